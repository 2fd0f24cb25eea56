// Creating, renaming and deleting rubriques: the files in the folder and the two lists.

#include "banc_catalogue.h"
#include "catalogue/nom_rubrique.h"
#include "catalogue/rubrique.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Banc = test::BancCatalogue;

namespace {

const QList<QStringList> deuxRaccourcis = {{"Tetris", "/opt/tetris", "Agrandie", "-x"},
                                           {"Doom", "/opt/doom", "Réduite", ""}};

// Every file of the rubrique folder with its bytes.
QMap<QString, QByteArray> contenu(const Banc& b)
{
    QMap<QString, QByteArray> c;
    for (const QString& n : QDir(b.rubriques()).entryList(QDir::Files | QDir::Hidden))
        c.insert(n, test::lireOctets(b.rubriques() + u'/' + n));
    return c;
}

// Starts over the rubrique "A" with two shortcuts and "B" with one, in the files given.
void demarrerAB(Banc& b, const QString& fichierA = u"A.ini"_s, const QString& fichierB = u"B.ini"_s)
{
    test::ecrireRubrique(b.dossier.chemin(), "1", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "2", {{"b", "/opt/b", "Agrandie", ""}});
    QVERIFY(QFile::rename(b.fichierRubrique("1"), b.rubriques() + u'/' + fichierA));
    QVERIFY(QFile::rename(b.fichierRubrique("2"), b.rubriques() + u'/' + fichierB));
    b.demarrer();
}

} // namespace

class TstRubrique : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sansEffet_data();
    void sansEffet();
    void creation_data();
    void creation();
    void renommage_data();
    void renommage();
    void renommageDUneRubriqueDisparue();
    void suppression();

private:
    test::DossierTest m_maison;
};

void TstRubrique::initTestCase()
{
    // Deleted rubriques go to a trash of the tests' own.
    QVERIFY(QDir().mkpath(m_maison.fichier("data")));
    qputenv("HOME", QFile::encodeName(m_maison.chemin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("data")));
}

void TstRubrique::sansEffet_data()
{
    // Without `saisie`, the input box is cancelled and the confirmation answered No.
    QTest::addColumn<int>("operation"); // create, rename, delete
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("fichierB");
    QTest::addColumn<QString>("titre"); // of the last message
    QTest::addColumn<QString>("texte");
    const QString b = u"B.ini"_s;
    const QString info = u"Information"_s;
    QTest::newRow("création annulée")
        << 0 << QString() << b << u"Création d'une nouvelle rubrique..."_s
        << u"Donnez un nom explicite pour votre nouvelle rubrique.\r\r"_s;
    QTest::newRow("renommage annulé") << 1 << QString() << b << u"Renommer une rubrique"_s
                                      << u"Donnez un nom explicite pour votre rubrique.\r\r"_s;
    QTest::newRow("suppression refusée")
        << 2 << QString() << b << u"Suppression de la rubrique 'A'"_s
        << u"Souhaitez-vous vraiment supprimer cette rubrique ?"_s;
    const std::pair<const char*, QString> refuses[] = {{"dossier parent", u"../Lanceron"_s},
                                                       {"deux points", u".."_s},
                                                       {"saut de ligne", u"Je\nux"_s},
                                                       {"252 octets", QString(252, u'a')}};
    for (const auto& [cas, nom] : refuses) {
        QTest::addRow("création, %s", cas) << 0 << nom << b << info << refusNomRubrique(nom);
        QTest::addRow("renommage, %s", cas) << 1 << nom << b << info << refusNomRubrique(nom);
    }
    for (const QString& fichier : {b, u"B.INI"_s})
        QTest::addRow("renommage sur %s", qPrintable(fichier))
            << 1 << u"B"_s << fichier << info << u"Une rubrique nommée « B » existe déjà."_s;
}

void TstRubrique::sansEffet()
{
    QFETCH(int, operation);
    QFETCH(QString, saisie);
    QFETCH(QString, fichierB);
    QFETCH(QString, titre);
    QFETCH(QString, texte);
    Banc b;
    demarrerAB(b, u"A.ini"_s, fichierB);
    const auto avant = contenu(b);
    const QStringList dossierApplication = QDir(b.dossier.chemin()).entryList(QDir::AllEntries);
    if (!saisie.isNull())
        b.services.prompts.saisies << saisie;
    void (*const operations[])(Menu&) = {Creer_Rubrique, Renommer_Rubrique, Supprimer_Rubrique};
    operations[operation](*b.menu);

    QCOMPARE(contenu(b), avant);
    QCOMPARE(QDir(b.dossier.chemin()).entryList(QDir::AllEntries), dossierApplication);
    QCOMPARE(Banc::textes(b.menu->List1) + Banc::textes(b.menu->List2),
             (QStringList{"A", "B", "Tetris", "Doom"}));
    const auto& appels = b.services.prompts.appels;
    QCOMPARE(appels.size(), saisie.isNull() ? 1 : 2);
    const QString defauts[] = {u"Rubrique n°3"_s, u"A"_s, QString()};
    QCOMPARE(appels.first().defaut, defauts[operation]);
    QCOMPARE(appels.last().titre, titre);
    QCOMPARE(appels.last().texte, texte);
    QCOMPARE(appels.first().boutons == BoutonsMessage::OuiNon, operation == 2);
}

void TstRubrique::creation_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("fichierB");
    QTest::newRow("nouvelle, blancs gardés") << u"Zoé — 日本語 🎮 "_s << u"B.ini"_s;
    QTest::newRow("existante") << u"B"_s << u"B.ini"_s;
    QTest::newRow("existante, extension en capitales") << u"B"_s << u"B.INI"_s;
}

void TstRubrique::creation()
{
    QFETCH(QString, nom);
    QFETCH(QString, fichierB);
    Banc b;
    demarrerAB(b, u"A.ini"_s, fichierB);
    const bool nouvelle = nom != u"B"_s;
    auto attendu = contenu(b);
    if (nouvelle)
        attendu.insert(nom + u".ini"_s, "[LOGICIEL]\nNombre=0\n");
    b.services.prompts.saisies << nom;
    Creer_Rubrique(*b.menu);

    // The new rubrique, or the one of that name with its shortcuts, is selected.
    QCOMPARE(contenu(b), attendu);
    QCOMPARE(b.menu->rubriqueSelectionnee(), nom);
    QCOMPARE(Banc::textes(b.menu->List2), nouvelle ? QStringList() : QStringList{"b"});
    QCOMPARE(b.services.prompts.appels.size(), 1);
}

void TstRubrique::renommage_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("nouveau");
    QTest::addColumn<QString>("fichierApres");
    QTest::newRow("extension en capitales") << u"JEUX.INI"_s << u"Loisirs"_s << u"Loisirs.ini"_s;
    QTest::newRow("casse seule") << u"jeux.ini"_s << u"Jeux"_s << u"Jeux.ini"_s;
    QTest::newRow("même nom, extension en capitales")
        << u"JEUX.INI"_s << u"JEUX"_s << u"JEUX.INI"_s;
    QTest::newRow("même nom, fait hors du programme avec une tabulation")
        << u"a\tb.ini"_s << u"a\tb"_s << u"a\tb.ini"_s;
}

void TstRubrique::renommage()
{
    QFETCH(QString, fichier);
    QFETCH(QString, nouveau);
    QFETCH(QString, fichierApres);
    Banc b;
    demarrerAB(b, fichier);
    const QDateTime date = QFileInfo(b.rubriques() + u'/' + fichier).lastModified();
    auto attendu = contenu(b);
    attendu.insert(fichierApres, attendu.take(fichier));
    b.menu->List1->setSelectedIndex(Banc::textes(b.menu->List1).indexOf(fichier.chopped(4)) + 1);
    b.menu->List1_Click();
    b.services.prompts.saisies << nouveau;
    Renommer_Rubrique(*b.menu);

    // The file keeps its bytes and its date: it is renamed, not written again.
    QCOMPARE(b.services.prompts.appels.size(), 1);
    QCOMPARE(contenu(b), attendu);
    QCOMPARE(QFileInfo(b.rubriques() + u'/' + fichierApres).lastModified(), date);
    QCOMPARE(b.menu->rubriqueSelectionnee(), nouveau);
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", "Doom"}));
}

void TstRubrique::renommageDUneRubriqueDisparue()
{
    Banc b;
    demarrerAB(b);
    QVERIFY(QFile::remove(b.fichierRubrique("A")));
    b.services.prompts.saisies << "C";
    Renommer_Rubrique(*b.menu);

    QCOMPARE(b.services.prompts.appels.last().texte, u"La rubrique « A » n'existe plus."_s);
    QCOMPARE(contenu(b).keys(), QStringList{"B.ini"});
    // The list is rebuilt: the vanished rubrique is no longer shown.
    QCOMPARE(Banc::textes(b.menu->List1) + Banc::textes(b.menu->List2), (QStringList{"B", "b"}));
}

void TstRubrique::suppression()
{
    Banc b;
    demarrerAB(b);
    const QByteArray octets = test::lireOctets(b.fichierRubrique("A"));
    b.services.prompts.reponses << Reponse::Oui;
    Supprimer_Rubrique(*b.menu);

    QCOMPARE(contenu(b).keys(), QStringList{"B.ini"});
    const QString jete = m_maison.fichier("data/Trash/files/A.ini");
    QCOMPARE(test::lireOctets(jete), octets);
    QVERIFY(QFile::remove(jete));
    QCOMPARE(Banc::textes(b.menu->List1) + Banc::textes(b.menu->List2), (QStringList{"B", "b"}));
}

QTEST_MAIN(TstRubrique)
#include "tst_rubrique.moc"
