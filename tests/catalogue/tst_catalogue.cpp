// The catalogue without any window: the rubriques of the folder, and every operation on
// rubriques and shortcuts, judged by the files it leaves.

#include "catalogue/catalogue.h"
#include "catalogue/nom_rubrique.h"
#include "testsupport.h"

#include <QtTest>

#include <unistd.h>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

const Raccourci Tetris{u"Tetris"_s, u"/opt/tetris"_s, u"Agrandie"_s, u"-x"_s};
const Raccourci Doom{u"Doom"_s, u"/opt/doom"_s, u"Réduite"_s, {}};
const Raccourci Calc{u"Calc"_s, u"/usr/bin/calc"_s, u"Fenêtre normale"_s, u"-b"_s};

QList<QStringList> champs(const QList<Raccourci>& liste)
{
    QList<QStringList> r;
    for (const Raccourci& x : liste)
        r << QStringList{x.Nom, x.Dossier, x.Executer, x.Commande};
    return r;
}

// A folder "Rubriques" holding A (Tetris, Doom, Calc) and B (Calc), in the files given.
struct Banc {
    test::DossierTest dossier;
    QString rubriques = dossier.fichier(u"Rubriques"_s);
    Catalogue catalogue{rubriques};

    explicit Banc(const QString& fichierA = u"A.ini"_s, const QString& fichierB = u"B.ini"_s)
    {
        ecrire(fichierA, {Tetris, Doom, Calc});
        ecrire(fichierB, {Calc});
        catalogue.relire();
    }
    QString chemin(const QString& fichier) const { return rubriques + u'/' + fichier; }
    void ecrire(const QString& fichier, const QList<Raccourci>& liste)
    {
        QList<QStringList> textes = champs(liste);
        test::ecrireRubrique(dossier.chemin(), u"tmp"_s, textes);
        QVERIFY(QFile::rename(chemin(u"tmp.ini"_s), chemin(fichier)));
    }
    // Every file of the folder with its bytes.
    QMap<QString, QByteArray> contenu() const
    {
        QMap<QString, QByteArray> c;
        for (const QString& n : QDir(rubriques).entryList(QDir::Files | QDir::Hidden))
            c.insert(n, test::lireOctets(chemin(n)));
        return c;
    }
    QStringList noms() const
    {
        QStringList r;
        for (const Rubrique& x : catalogue.rubriques())
            r << x.nom;
        return r;
    }
};

} // namespace

class TstCatalogue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rubriquesDuDossier();
    void creation_data();
    void creation();
    void renommage_data();
    void renommage();
    void suppression();
    void operationsSurLesRaccourcis_data();
    void operationsSurLesRaccourcis();
    void rubriqueDisparueRienNEstEcrit_data();
    void rubriqueDisparueRienNEstEcrit();
    void deplacementSansPerte();

private:
    test::DossierTest m_maison;
};

void TstCatalogue::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Deleted rubriques go to a trash of the tests' own.
    QVERIFY(QDir().mkpath(m_maison.fichier(u"data"_s)));
    qputenv("HOME", QFile::encodeName(m_maison.chemin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier(u"data"_s)));
}

void TstCatalogue::rubriquesDuDossier()
{
    Banc b(u"JEUX.INI"_s);
    // Sorted as people read them; other files and folders are not rubriques.
    for (const char* n : {"Rubrique n°10", "Rubrique n°2", "outils", "Écrans", ""})
        b.ecrire(QString::fromUtf8(n) + u".ini"_s, {});
    test::ecrireOctets(b.chemin(u"notes.txt"_s), "x");
    // A name written in Windows-1252 on an old disk, and a link to nothing.
    const QByteArray latin1 = QFile::encodeName(b.rubriques) + "/Vid\xE9o.ini";
    QFile source(b.chemin(u"B.ini"_s));
    QVERIFY(::link(QFile::encodeName(source.fileName()).constData(), latin1.constData()) == 0);
    QVERIFY(QFile::link(b.chemin(u"nulle-part"_s), b.chemin(u"mort.ini"_s)));
    QVERIFY(QDir().mkpath(b.chemin(u"dossier.ini"_s)));
    b.catalogue.relire();
    QCOMPARE(b.noms(), (QStringList{"", "B", "Écrans", "JEUX", "mort", "outils", "Rubrique n°2",
                                    "Rubrique n°10", "Vidéo"}));
    QCOMPARE(b.catalogue.rubriques().at(3).fichier, u"JEUX.INI"_s);
    QCOMPARE(b.catalogue.indexNom(u"JEUX"_s), 3);
    // The Windows-1252 name is read, written and renamed through its own bytes.
    const QString video = b.catalogue.rubriques().at(8).fichier;
    QCOMPARE(champs(b.catalogue.charger(video)), champs({Calc}));
    QVERIFY(b.catalogue.ajouterRaccourci(video, Doom).fait());
    QVERIFY(b.catalogue.renommerRubrique(video, u"Vidéos"_s).fait());
    QCOMPARE(champs(Lire_Rubrique(b.chemin(u"Vidéos.ini"_s))), champs({Calc, Doom}));
    QVERIFY(::access(latin1.constData(), F_OK) != 0);
    // A file that cannot be read is listed, shows nothing, and is never written.
    const QString mort = b.catalogue.rubriques().at(4).fichier;
    QVERIFY(b.catalogue.charger(mort).isEmpty());
    QVERIFY(!b.catalogue.refus(mort).isEmpty());
    QCOMPARE(b.catalogue.ajouterRaccourci(mort, Doom).issue, Resultat::Issue::Echec);
    QVERIFY(!QFile::exists(b.chemin(u"nulle-part"_s)));
    QCOMPARE(b.catalogue.indexFichier(u"JEUX.ini"_s), -1);
    QCOMPARE(champs(b.catalogue.charger(u"JEUX.INI"_s)), champs({Tetris, Doom, Calc}));
}

void TstCatalogue::creation_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("fichierB");
    QTest::addColumn<int>("issue");
    QTest::addColumn<QString>("fichier"); // the rubrique answered
    const int fait = int(Resultat::Issue::Fait), refus = int(Resultat::Issue::Refuse);
    QTest::newRow("nouvelle, blancs gardés")
        << u" Zoé — 日本語 🎮 "_s << u"B.ini"_s << fait << u" Zoé — 日本語 🎮 .ini"_s;
    QTest::newRow("existante") << u"B"_s << u"B.ini"_s << fait << u"B.ini"_s;
    QTest::newRow("existante, extension en capitales") << u"B"_s << u"B.INI"_s << fait << u"B.INI"_s;
    for (const QString& nom : {u"../Lanceron"_s, u".."_s, u"Je\nux"_s, QString(252, u'a')})
        QTest::addRow("refusée: %s", qPrintable(nom.left(12))) << nom << u"B.ini"_s << refus << QString();
}

void TstCatalogue::creation()
{
    QFETCH(QString, nom);
    QFETCH(QString, fichierB);
    QFETCH(int, issue);
    QFETCH(QString, fichier);
    Banc b(u"A.ini"_s, fichierB);
    auto attendu = b.contenu();
    const bool nouvelle = issue == int(Resultat::Issue::Fait) && b.catalogue.indexNom(nom) < 0;
    if (nouvelle)
        attendu.insert(fichier, "[LOGICIEL]\nNombre=0\n");
    QString cree;
    const Resultat r = b.catalogue.creerRubrique(nom, &cree);
    QCOMPARE(int(r.issue), issue);
    if (r.issue == Resultat::Issue::Refuse)
        QCOMPARE(r.raison, refusNomRubrique(nom));
    else
        QCOMPARE(cree, fichier);
    // An existing rubrique keeps its shortcuts; nothing else appears in the folder.
    QCOMPARE(b.contenu(), attendu);
    QCOMPARE(b.catalogue.rubriques().size(), nouvelle ? 3 : 2);
}

void TstCatalogue::renommage_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("nouveau");
    QTest::addColumn<QString>("fichierApres");
    QTest::addColumn<QString>("raison");
    QTest::newRow("extension en capitales") << u"JEUX.INI"_s << u"Loisirs"_s << u"Loisirs.ini"_s << QString();
    QTest::newRow("casse seule") << u"jeux.ini"_s << u"Jeux"_s << u"Jeux.ini"_s << QString();
    QTest::newRow("même nom") << u"JEUX.INI"_s << u"JEUX"_s << u"JEUX.INI"_s << QString();
    QTest::newRow("nom d'une autre rubrique")
        << u"jeux.ini"_s << u"B"_s << u"jeux.ini"_s << u"Une rubrique nommée « B » existe déjà."_s;
    QTest::newRow("nom refusé") << u"jeux.ini"_s << u"a/b"_s << u"jeux.ini"_s << refusNomRubrique(u"a/b"_s);
}

void TstCatalogue::renommage()
{
    QFETCH(QString, fichier);
    QFETCH(QString, nouveau);
    QFETCH(QString, fichierApres);
    QFETCH(QString, raison);
    Banc b(fichier, u"B.INI"_s);
    const QDateTime date = QFileInfo(b.chemin(fichier)).lastModified();
    auto attendu = b.contenu();
    attendu.insert(fichierApres, attendu.take(fichier));
    b.catalogue.charger(fichier);
    QString apres;
    const Resultat r = b.catalogue.renommerRubrique(fichier, nouveau, &apres);
    QCOMPARE(r.raison, raison);
    QCOMPARE(apres, fichierApres);
    // The file keeps its bytes and its date: it is renamed, not written again.
    QCOMPARE(b.contenu(), attendu);
    QCOMPARE(QFileInfo(b.chemin(fichierApres)).lastModified(), date);
    QVERIFY(b.catalogue.indexFichier(fichierApres) >= 0);
    // The working copy follows the rename.
    QCOMPARE(b.catalogue.raccourcis(fichierApres).size(), 3);

    // A rubrique whose file vanished meanwhile.
    QVERIFY(QFile::remove(b.chemin(fichierApres)));
    QCOMPARE(b.catalogue.renommerRubrique(fichierApres, u"C"_s).raison,
             u"La rubrique « %1 » n'existe plus."_s.arg(Catalogue::nomDe(fichierApres)));
    QCOMPARE(b.noms(), QStringList{"B"});
}

void TstCatalogue::suppression()
{
    Banc b;
    const QByteArray octets = test::lireOctets(b.chemin(u"A.ini"_s));
    QVERIFY(b.catalogue.supprimerRubrique(u"A.ini"_s).fait());
    QCOMPARE(b.contenu().keys(), QStringList{"B.ini"});
    QCOMPARE(b.noms(), QStringList{"B"});
    const QString jete = m_maison.fichier(u"data/Trash/files/A.ini"_s);
    QCOMPARE(test::lireOctets(jete), octets);
    QVERIFY(QFile::remove(jete));
    // Already gone: nothing changes.
    QCOMPARE(b.catalogue.supprimerRubrique(u"A.ini"_s).issue, Resultat::Issue::Echec);
    QCOMPARE(b.contenu().keys(), QStringList{"B.ini"});
}

void TstCatalogue::operationsSurLesRaccourcis_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("issue");
    QTest::addColumn<QList<QStringList>>("apres");
    const int fait = int(Resultat::Issue::Fait), refus = int(Resultat::Issue::Refuse);
    QTest::newRow("ajout") << "ajout" << 0 << fait << champs({Tetris, Doom, Calc, Doom});
    QTest::newRow("modification") << "modification" << 1 << fait << champs({Tetris, Tetris, Calc});
    QTest::newRow("suppression") << "suppression" << 1 << fait << champs({Tetris, Calc});
    QTest::newRow("suppression hors liste") << "suppression" << 3 << refus << champs({Tetris, Doom, Calc});
    QTest::newRow("vers le haut") << "ordre" << 2 << fait << champs({Calc, Tetris, Doom});
    QTest::newRow("vers le bas") << "ordre" << 0 << fait << champs({Doom, Calc, Tetris});
}

void TstCatalogue::operationsSurLesRaccourcis()
{
    QFETCH(QString, operation);
    QFETCH(int, index);
    QFETCH(int, issue);
    QFETCH(QList<QStringList>, apres);
    Banc b;
    const QString a = u"A.ini"_s;
    const QByteArray autre = test::lireOctets(b.chemin(u"B.ini"_s));
    b.catalogue.charger(a);
    Resultat r;
    if (operation == "ajout")
        r = b.catalogue.ajouterRaccourci(a, Doom);
    else if (operation == "modification")
        r = b.catalogue.modifierRaccourci(a, index, Tetris);
    else if (operation == "suppression")
        r = b.catalogue.supprimerRaccourci(a, index);
    else
        r = b.catalogue.reordonnerRaccourci(a, index, index == 0 ? 2 : 0);
    QCOMPARE(int(r.issue), issue);
    // The file, its working copy and nothing else.
    QCOMPARE(champs(Lire_Rubrique(b.chemin(a))), apres);
    QCOMPARE(champs(b.catalogue.raccourcis(a)), apres);
    QCOMPARE(test::lireOctets(b.chemin(u"B.ini"_s)), autre);
}

void TstCatalogue::rubriqueDisparueRienNEstEcrit_data()
{
    QTest::addColumn<bool>("renommee"); // renamed by another program rather than deleted
    QTest::newRow("supprimée") << false;
    QTest::newRow("renommée") << true;
}

void TstCatalogue::rubriqueDisparueRienNEstEcrit()
{
    QFETCH(bool, renommee);
    Banc b;
    b.catalogue.charger(u"A.ini"_s);
    if (renommee)
        QVERIFY(QFile::rename(b.chemin(u"A.ini"_s), b.chemin(u"A2.ini"_s)));
    else
        QVERIFY(QFile::remove(b.chemin(u"A.ini"_s)));
    const auto avant = b.contenu();
    for (const Resultat& r : {b.catalogue.ajouterRaccourci(u"A.ini"_s, Doom),
                              b.catalogue.supprimerRaccourci(u"A.ini"_s, 0),
                              b.catalogue.modifierRaccourci(u"A.ini"_s, 0, Doom)}) {
        QCOMPARE(r.issue, Resultat::Issue::Echec);
        QVERIFY2(r.raison.startsWith(u"La rubrique « A » n'existe plus"), qPrintable(r.raison));
    }
    QCOMPARE(b.contenu(), avant);
    QCOMPARE(b.catalogue.raccourcis(u"A.ini"_s).size(), 3); // the working copy is unchanged
}

void TstCatalogue::deplacementSansPerte()
{
    Banc b;
    const QString a = u"A.ini"_s, bb = u"B.ini"_s;
    b.catalogue.charger(a);
    QCOMPARE(b.catalogue.deplacerRaccourci(a, 0, a).issue, Resultat::Issue::Refuse);
    // Moved: in the destination, then out of the source.
    QVERIFY(b.catalogue.deplacerRaccourci(a, 0, bb).fait());
    QCOMPARE(champs(Lire_Rubrique(b.chemin(a))), champs({Doom, Calc}));
    QCOMPARE(champs(Lire_Rubrique(b.chemin(bb))), champs({Calc, Tetris}));
    // Copied: the source keeps it.
    QVERIFY(b.catalogue.deplacerRaccourci(a, 0, bb, true).fait());
    QCOMPARE(champs(Lire_Rubrique(b.chemin(a))), champs({Doom, Calc}));
    QCOMPARE(champs(Lire_Rubrique(b.chemin(bb))), champs({Calc, Tetris, Doom}));

    // The destination cannot be written: the source keeps the shortcut.
    QVERIFY(QFile::remove(b.chemin(bb)));
    QCOMPARE(b.catalogue.deplacerRaccourci(a, 1, bb).issue, Resultat::Issue::Echec);
    QCOMPARE(champs(Lire_Rubrique(b.chemin(a))), champs({Doom, Calc}));
    QVERIFY(!QFile::exists(b.chemin(bb)));

    // The source cannot be written: the shortcut stays in both, and the user is told.
    b.ecrire(u"C.ini"_s, {});
    QVERIFY(QFile::rename(b.chemin(a), b.chemin(u"A2.ini"_s)));
    const Resultat r = b.catalogue.deplacerRaccourci(a, 1, u"C.ini"_s);
    QCOMPARE(r.issue, Resultat::Issue::Echec);
    QVERIFY2(r.raison.contains(u"dans les deux"), qPrintable(r.raison));
    QCOMPARE(champs(Lire_Rubrique(b.chemin(u"C.ini"_s))), champs({Calc}));
    QCOMPARE(champs(Lire_Rubrique(b.chemin(u"A2.ini"_s))), champs({Doom, Calc}));
}

QTEST_GUILESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
