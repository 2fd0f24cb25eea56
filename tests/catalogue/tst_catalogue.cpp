// The catalogue without any window: the names a rubrique may take, the rubriques of the folder,
// every operation on rubriques and shortcuts, judged by the files it leaves; importing the
// installed applications; finding shortcuts across every rubrique.

#include "catalogue/catalogue.h"
#include "catalogue/import.h"
#include "catalogue/recherche.h"
#include "testsupport.h"

#include <QtTest>

#include <unistd.h>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

const Raccourci Tetris{u"Tetris"_s, u"/opt/tetris"_s, u"Agrandie"_s, u"-x"_s};
const Raccourci Doom{u"Doom"_s, u"/opt/doom"_s, u"Réduite"_s, {}};
const Raccourci Calc{u"Calc"_s, u"/usr/bin/calc"_s, u"Fenêtre normale"_s, u"-b"_s};
const QDateTime Autrefois(QDate(2001, 2, 3), QTime(4, 5, 6));

// The shortcuts' names; a name marked "?" does not hold the fields of the shortcut of that name.
QString noms(const QList<Raccourci>& liste)
{
    QStringList r;
    for (const Raccourci& x : liste) {
        const bool connu = x == Tetris || x == Doom || x == Calc;
        r << x.Nom + (connu ? u""_s : u"?"_s);
    }
    return r.join(u' ');
}

// A folder "Rubriques" holding A (Tetris, Doom, Calc) in "A.INI" and B (Calc) in "B.INI",
// dated long ago.
struct Banc {
    test::DossierTest dossier;
    QString rubriques = dossier.fichier(u"Rubriques"_s);
    Catalogue catalogue{rubriques};
    QString corbeille = qEnvironmentVariable("XDG_DATA_HOME") + u"/Trash"_s;

    Banc()
    {
        QDir(corbeille).removeRecursively();
        QVERIFY(QDir().mkpath(rubriques));
        ecrire(u"A.INI"_s, {Tetris, Doom, Calc});
        ecrire(u"B.INI"_s, {Calc});
        catalogue.relire();
    }
    QString chemin(const QString& fichier) const { return rubriques + u'/' + fichier; }
    void ecrire(const QString& fichier, const QList<Raccourci>& liste)
    {
        QVERIFY(Ecrire_Rubrique(chemin(fichier), liste));
        QFile f(chemin(fichier));
        QVERIFY(f.open(QIODevice::Append) &&
                f.setFileTime(Autrefois, QFileDevice::FileModificationTime));
    }
    // The rubriques known, then each file of the folder and of the trash with its shortcuts:
    // "+" when the file was written, "=" when its working copy is kept and equals it, "≠" when
    // the working copy differs from it.
    QStringList etat() const
    {
        QStringList r;
        for (const Rubrique& x : catalogue.rubriques())
            r << x.nom;
        r = QStringList{r.join(u", "_s)};
        for (const QString& n : QDir(rubriques).entryList(QDir::Files | QDir::Hidden)) {
            const QList<Raccourci> liste = Lire_Rubrique(chemin(n));
            const QList<Raccourci>& copie = catalogue.raccourcis(n);
            const bool ecrit = QFileInfo(chemin(n)).lastModified() != Autrefois;
            const QString marque = copie.isEmpty() ? u""_s : copie == liste ? u" ="_s : u" ≠"_s;
            r << n + (ecrit ? u"+: "_s : u": "_s) + noms(liste) + marque;
        }
        const QString jetes = corbeille + u"/files/"_s;
        for (const QString& n : QDir(jetes).entryList(QDir::Files))
            r << u"corbeille/"_s + n + u": "_s + noms(Lire_Rubrique(jetes + n));
        return r;
    }
};

// An entry for each "name path categories" text; "caché" as a fourth word hides it.
QList<EntreeBureau> entrees(const QStringList& textes)
{
    QList<EntreeBureau> r;
    for (const QString& t : textes) {
        const QStringList m = t.split(u' ');
        r << EntreeBureau{
            QString(m[0]).replace(u'_', u' '), {}, m[2].split(u';'), m.size() > 3, m[1]};
    }
    return r;
}

} // namespace

class TstCatalogue : public QObject {
    Q_OBJECT
    test::DossierTest m_recherche;
    Catalogue m_catalogueRecherche{m_recherche.fichier("Rubriques")};
    IndexRecherche m_index;
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        const QString d = m_recherche.chemin();
        test::ecrireRubrique(d, "Bureau",
                             {{"Fenêtre de terminal", "/usr/bin/xterm", "F", ""},
                              {"Éditeur de texte", "/usr/bin/gedit", "F", ""},
                              {"Calc", "/opt/libreoffice/scalc", "F", ""},
                              {"Attente", "/usr/bin/attente", "F", ""}});
        test::ecrireRubrique(d, "Jeux",
                             {{"Évé Online", "/opt/eve/launcher", "F", ""},
                              {"Super Tux", "/usr/games/supertux2", "F", ""},
                              {"Lève-tôt", "/opt/leve", "F", ""}});
        test::ecrireRubrique(d, "Vide", {});
        m_catalogueRecherche.relire();
        m_index.construire(m_catalogueRecherche);
    }

    void rubriquesDuDossier()
    {
        Banc b;
        // Sorted as people read them; other files and folders are not rubriques.
        for (const char* n : {"Rubrique n°10", "Rubrique n°2", "outils", "Écrans", ""})
            b.ecrire(QString::fromUtf8(n) + u".ini"_s, {});
        test::ecrireOctets(b.chemin(u"notes.txt"_s), "x");
        // A name written in Windows-1252 on an old disk, and a link to nothing.
        const QByteArray latin1 = QFile::encodeName(b.rubriques) + "/Vid\xE9o.ini";
        QVERIFY(::link(QFile::encodeName(b.chemin(u"B.INI"_s)).constData(), latin1) == 0);
        QVERIFY(QFile::link(b.chemin(u"nulle-part"_s), b.chemin(u"mort.ini"_s)));
        QVERIFY(QDir().mkpath(b.chemin(u"dossier.ini"_s)));
        b.catalogue.relire();
        QCOMPARE(b.etat().constFirst(),
                 u", A, B, Écrans, mort, outils, Rubrique n°2, Rubrique n°10, Vidéo"_s);
        QCOMPARE(b.catalogue.indexFichier(u"a.ini"_s), -1);
        // The Windows-1252 name is read, written and renamed through its own bytes.
        const QString video = b.catalogue.rubriques().at(8).fichier;
        QCOMPARE(noms(b.catalogue.charger(video)), u"Calc"_s);
        QVERIFY(b.catalogue.ajouterRaccourci(video, Doom).fait());
        QVERIFY(b.catalogue.renommerRubrique(video, u"Vidéos"_s).fait());
        QCOMPARE(noms(Lire_Rubrique(b.chemin(u"Vidéos.ini"_s))), u"Calc Doom"_s);
        QVERIFY(::access(latin1.constData(), F_OK) != 0);
        // A file that cannot be read is listed, shows nothing, and tells why.
        QVERIFY(b.catalogue.charger(u"mort.ini"_s).isEmpty());
        QVERIFY(!b.catalogue.refus(u"mort.ini"_s).isEmpty());
    }

    void operations_data()
    {
        QTest::addColumn<QString>("prealable"); // a file removed, or renamed ("A.INI>A2.ini")
        QTest::addColumn<QString>("commande");  // the operation, then its index or name
        QTest::addColumn<int>("issue");
        QTest::addColumn<QString>("texte"); // the rubrique answered, or a part of the reason
        QTest::addColumn<QStringList>("apres");
        const auto ligne = [](const char* cas, const QString& prealable, const QString& commande,
                              Resultat::Issue issue, const QString& texte,
                              const QStringList& apres) {
            QTest::newRow(cas) << prealable << commande << int(issue) << texte << apres;
        };
        const auto fait = Resultat::Issue::Fait, refus = Resultat::Issue::Refuse,
                   echec = Resultat::Issue::Echec;
        // 251 bytes in UTF-8, the most a name may take: with ".ini", the 255 of a file name.
        const QString z = u" Zoé — 日本語 🎮 a:b*c?\"<>|"_s + QString(215, u'x') + u' ';
        const QString a = u"A.INI"_s, b = u"B.INI: Calc"_s;
        const QStringList intact = {u"A, B"_s, u"A.INI: Tetris Doom Calc ="_s, b};
        // Rubriques. An existing rubrique keeps its shortcuts; a rename keeps the file's bytes
        // and date, and the working copy follows it.
        ligne("création: unicode, blancs, caractères interdits sous Windows", {}, u"creer "_s + z,
              fait, z + u".ini"_s, {z + u", A, B"_s, z + u".ini+: "_s, intact[1], b});
        ligne("création: trois points", {}, u"creer ..."_s, fait, u"....ini"_s,
              {u"..., A, B"_s, u"....ini+: "_s, intact[1], b});
        ligne("création d'une existante", {}, u"creer B"_s, fait, u"B.INI"_s, intact);
        // Names holding a path or a control character, "..", blanks only, or too long.
        const auto nomRefuse = [&](const char* cas, const QString& nom, const QString& mot) {
            ligne(cas, {}, u"creer "_s + nom, refus, mot, intact);
        };
        nomRefuse("barre oblique", u"../Lanceron"_s, u"« / »"_s);
        nomRefuse("barre oblique inverse", u"a\\b"_s, u"« / »"_s);
        nomRefuse("deux points", u".."_s, u"« . »"_s);
        nomRefuse("contrôle C1", QString(QChar(0x85)), u"contrôle"_s);
        nomRefuse("espaces seuls", u"  \u00A0"_s, u"espaces"_s);
        nomRefuse("126 lettres accentuées: 252 octets", QString(126, u'é'), u"trop long"_s);
        ligne("renommage, casse seule, extension en capitales", {}, u"renommer a"_s, fait,
              u"a.ini"_s, {u"a, B"_s, u"a.ini: Tetris Doom Calc ="_s, b});
        ligne("renommage, même nom", {}, u"renommer A"_s, fait, u"A.INI"_s, intact);
        ligne("renommage sur une autre rubrique", {}, u"renommer B"_s, refus,
              u"Une rubrique nommée « B » existe déjà."_s, intact);
        ligne("renommage, nom refusé", {}, u"renommer a/b"_s, refus, u"« / »"_s, intact);
        ligne("renommage d'une rubrique disparue", a, u"renommer C"_s, echec,
              u"La rubrique « A » n'existe plus."_s, {u"B"_s, b});
        ligne("suppression à la corbeille", {}, u"supprimer"_s, fait, {},
              {u"B"_s, b, u"corbeille/A.INI: Tetris Doom Calc"_s});
        ligne("suppression d'une rubrique disparue", a, u"supprimer"_s, echec, u"supprimée"_s,
              {intact[0], b});
        // Shortcuts: the file, its working copy and nothing else.
        ligne("ajout", {}, u"ajout"_s, fait, {},
              {intact[0], u"A.INI+: Tetris Doom Calc Doom ="_s, b});
        ligne("modification", {}, u"modification 1"_s, fait, {},
              {intact[0], u"A.INI+: Tetris Tetris Calc ="_s, b});
        ligne("retrait", {}, u"retrait 1"_s, fait, {}, {intact[0], u"A.INI+: Tetris Calc ="_s, b});
        ligne("retrait hors liste", {}, u"retrait 3"_s, refus, {}, intact);
        ligne("vers le bas", {}, u"ordre 0"_s, fait, {},
              {intact[0], u"A.INI+: Doom Calc Tetris ="_s, b});
        // Moved: in the destination, then out of the source; never lost. A rubrique whose file
        // vanished meanwhile is not written.
        ligne("déplacement vers sa rubrique", {}, u"deplacement 0 A.INI"_s, refus, {}, intact);
        ligne("déplacement", {}, u"deplacement 0 B.INI"_s, fait, {},
              {intact[0], u"A.INI+: Doom Calc ="_s, u"B.INI+: Calc Tetris"_s});
        ligne("copie", {}, u"copie 0 B.INI"_s, fait, {},
              {intact[0], intact[1], u"B.INI+: Calc Tetris"_s});
        ligne("destination disparue", u"B.INI"_s, u"deplacement 1 B.INI"_s, echec,
              u"La rubrique « B » n'existe plus"_s, {intact[0], intact[1]});
        ligne("source disparue", u"A.INI>A2.ini"_s, u"deplacement 1 B.INI"_s, echec,
              u"dans les deux"_s,
              {intact[0], u"A2.ini: Tetris Doom Calc"_s, u"B.INI+: Calc Doom"_s});
    }

    void operations()
    {
        QFETCH(QString, prealable);
        QFETCH(QString, commande);
        QFETCH(int, issue);
        QFETCH(QString, texte);
        QFETCH(QStringList, apres);
        Banc b;
        Catalogue& c = b.catalogue;
        const QString fichierA = u"A.INI"_s;
        c.charger(fichierA);
        if (prealable.contains(u'>'))
            QVERIFY(QFile::rename(b.chemin(prealable.section(u'>', 0, 0)),
                                  b.chemin(prealable.section(u'>', 1))));
        else if (!prealable.isEmpty())
            QVERIFY(QFile::remove(b.chemin(prealable)));
        const QString operation = commande.section(u' ', 0, 0),
                      argument = commande.section(u' ', 1);
        const int index = argument.section(u' ', 0, 0).toInt();
        QString fichier;
        Resultat r;
        if (operation == "creer")
            r = c.creerRubrique(argument, &fichier);
        else if (operation == "renommer")
            r = c.renommerRubrique(fichierA, argument, &fichier);
        else if (operation == "supprimer")
            r = c.supprimerRubrique(fichierA);
        else if (operation == "ajout")
            r = c.ajouterRaccourci(fichierA, Doom);
        else if (operation == "modification")
            r = c.modifierRaccourci(fichierA, index, Tetris);
        else if (operation == "retrait")
            r = c.supprimerRaccourci(fichierA, index);
        else if (operation == "ordre")
            r = c.reordonnerRaccourci(fichierA, index, 2 - index);
        else
            r = c.deplacerRaccourci(fichierA, index, argument.section(u' ', 1),
                                    operation == "copie");
        QCOMPARE(int(r.issue), issue);
        if (r.fait())
            QCOMPARE(fichier, texte);
        else
            QVERIFY2(r.raison.contains(texte), qPrintable(r.raison));
        // A failure leaves the working copy of a rubrique still listed as it was.
        if (!r.fait() && c.indexFichier(fichierA) >= 0)
            QCOMPARE(noms(c.raccourcis(fichierA)), u"Tetris Doom Calc"_s);
        QCOMPARE(b.etat(), apres);
    }

    void changementPendantUneEcriture()
    {
        // While a rubrique file is written (off the window's thread), every change asked is
        // refused: nothing else is written, the write under way ends as asked.
        Banc b;
        Catalogue& c = b.catalogue;
        c.charger(u"A.INI"_s);
        QStringList refus;
        c.setExecuteur([&](const std::function<void()>& ecriture) {
            for (const Resultat& r : {c.supprimerRaccourci(u"B.INI"_s, 0), c.creerRubrique(u"C"_s),
                                      c.ajouterRaccourci(u"A.INI"_s, Calc)})
                refus << QString::number(int(r.issue)) + r.raison.left(30);
            ecriture();
        });
        QVERIFY(c.supprimerRaccourci(u"A.INI"_s, 0).fait() && !c.occupe());
        QCOMPARE(refus, QStringList(3, u"1Lanceron enregistre encore une"_s));
        QCOMPARE(b.etat(), (QStringList{u"A, B"_s, u"A.INI+: Doom Calc ="_s, u"B.INI: Calc"_s}));
    }

    void regroupement()
    {
        // A group per rubrique, named after the first main category in the order written, in
        // the order of the rubriques, "Autres" last; hidden entries, programs met twice or
        // already there, and paths holding a control character are left out.
        const QList<EntreeBureau> e = entrees(
            {u"Tux /a/tux.desktop Game"_s, u"Caché /a/cache.desktop Game caché"_s,
             u"Outil /a/outil.desktop X-Perso"_s, u"Gimp /a/gimp.desktop Graphics"_s,
             u"Tux_encore /a/tux.desktop Game"_s, u"Déjà /a/deja.desktop Graphics"_s,
             u"Mal\nnommé /a/nom.desktop Game"_s, u"Chemin /a/ch\tmin.desktop Game"_s,
             u"Lecteur /a/lecteur.desktop Audio;Player"_s, u"Pingus /a/p.desktop GTK;Game"_s,
             u"Tableur /a/tableur.desktop Utility;Game"_s, u"Sans /a/sans.desktop "_s,
             u"Casse /a/casse.desktop game"_s});
        const QList<GroupeImport> g = grouperApplications(e, {u"/a/deja.desktop"_s});
        QStringList groupes;
        for (const GroupeImport& x : g)
            groupes << x.rubrique + u": "_s + noms(x.raccourcis);
        QCOMPARE(groupes, (QStringList{u"Multimédia: Lecteur?"_s, u"Jeux: Tux? Malnommé? Pingus?"_s,
                                       u"Graphisme: Gimp?"_s, u"Accessoires: Tableur?"_s,
                                       u"Autres: Outil? Sans? Casse?"_s}));
        // Each a shortcut to its desktop entry, in a normal window, without a command line.
        QCOMPARE(g[0].raccourcis[0],
                 (Raccourci{u"Lecteur"_s, u"/a/lecteur.desktop"_s, u"Fenêtre normale"_s, {}}));
    }

    void importerDeuxFois()
    {
        // The user's "Jeux" holds Tetris already; the group of Firefox is not ticked.
        Banc b;
        b.ecrire(u"Jeux.ini"_s, {Tetris});
        b.catalogue.relire();
        QList<GroupeImport> choisis = grouperApplications(
            entrees({u"Tetris /opt/tetris Game"_s, u"Pingus /a/pingus.desktop Game"_s,
                     u"Gimp /a/gimp.desktop Graphics"_s, u"Firefox /a/firefox.desktop Network"_s}),
            programmesPresents(b.catalogue));
        choisis.removeIf([](const GroupeImport& g) { return g.rubrique == u"Internet"_s; });
        int ajoutes = -1;
        QVERIFY(importer(b.catalogue, choisis, &ajoutes).fait());
        QCOMPARE(ajoutes, 2);
        const QStringList apres = {u"A, B, Graphisme, Jeux"_s, u"A.INI: Tetris Doom Calc"_s,
                                   u"B.INI: Calc"_s, u"Graphisme.ini+: Gimp?"_s,
                                   u"Jeux.ini+: Tetris Pingus?"_s};
        QCOMPARE(b.etat(), apres);
        // Again, the same groups: nothing more is written, even though they were made before.
        QVERIFY(importer(b.catalogue, choisis, &ajoutes).fait());
        QCOMPARE(ajoutes, 0);
        QCOMPARE(b.etat(), apres);
    }

    void chercher_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("trouves"); // rubrique/index name, best first
        QTest::newRow("accent et casse")
            << "fenetre" << QStringList{"Bureau/0 Fenêtre de terminal"};
        QTest::newRow("debut puis mot puis dedans")
            << "eve" << QStringList{"Jeux/0 Évé Online", "Jeux/2 Lève-tôt"};
        QTest::newRow("mot apres tiret") << "TOT" << QStringList{"Jeux/2 Lève-tôt"};
        QTest::newRow("mots par nom puis milieu")
            << "te"
            << QStringList{"Bureau/1 Éditeur de texte", "Bureau/0 Fenêtre de terminal",
                           "Bureau/3 Attente"};
        QTest::newRow("nom du programme") << "supertux2" << QStringList{"Jeux/1 Super Tux"};
        QTest::newRow("nom avant programme") << "calc" << QStringList{"Bureau/2 Calc"};
        QTest::newRow("dossier du programme ignore") << "libreoffice" << QStringList{};
        QTest::newRow("vide") << "" << QStringList{};
        QTest::newRow("rien") << "zzz" << QStringList{};
    }

    void chercher()
    {
        QFETCH(QString, texte);
        QFETCH(QStringList, trouves);
        QStringList r;
        for (const Trouvaille& t : m_index.chercher(texte))
            r << Catalogue::nomDe(t.fichier) + u'/' + QString::number(t.index) + u' ' +
                     t.raccourci.Nom;
        QCOMPARE(r, trouves);
        QCOMPARE(m_index.chercher(texte, 1).size(), std::min<qsizetype>(trouves.size(), 1));
    }

    void indexSuitLeDisque()
    {
        // Built again, the index sees what was added since.
        QVERIFY(m_catalogueRecherche
                    .ajouterRaccourci("Vide.ini", {"Terminal", "/usr/bin/xterm", "F", ""})
                    .fait());
        m_index.construire(m_catalogueRecherche);
        QCOMPARE(m_index.chercher("terminal").size(), 2);
        QCOMPARE(m_index.chercher("terminal").constFirst().fichier, QString("Vide.ini"));
    }
};

QTEST_GUILESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
