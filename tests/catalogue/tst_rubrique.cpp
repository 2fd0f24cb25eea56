// Creating, renaming and deleting rubriques: the files in the folder and the two lists.

#include "banc_catalogue.h"
#include "catalogue/rubrique.h"

#include <QtTest>

using namespace lanceron;
using Banc = test::BancCatalogue;

namespace {

const QList<QStringList> deuxRaccourcis = {{"Tetris", "/opt/tetris", "Agrandie", "-x"},
                                           {"Doom", "/opt/doom", "Réduite", ""}};

} // namespace

class TstRubrique : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sansEffet_data();
    void sansEffet();
    void nomProposeCompteLesRubriques();
    void creation_data();
    void creation();
    void creationSousUnNomExistant_data();
    void creationSousUnNomExistant();
    void nomRefuse_data();
    void nomRefuse();
    void renommage_data();
    void renommage();
    void renommageSurUneAutreRubrique_data();
    void renommageSurUneAutreRubrique();
    void renommageDUneRubriqueDisparue();
    void suppression();
    void suppressionDUneRubriqueDisparue();
    void listeVide();

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
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("sorte");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte");

    QTest::newRow("création annulée")
        << 0 << "saisie" << QString::fromUtf8("Création d'une nouvelle rubrique...")
        << "Donnez un nom explicite pour votre nouvelle rubrique.\r\r";
    QTest::newRow("renommage annulé") << 1 << "saisie"
                                      << "Renommer une rubrique"
                                      << "Donnez un nom explicite pour votre rubrique.\r\r";
    QTest::newRow("suppression refusée") << 2 << "message"
                                         << "Suppression de la rubrique 'Jeux'"
                                         << "Souhaitez-vous vraiment supprimer cette rubrique ?";
}

void TstRubrique::sansEffet()
{
    QFETCH(int, operation);
    QFETCH(QString, sorte);
    QFETCH(QString, titre);
    QFETCH(QString, texte);

    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "Outils", {});
    b.demarrer();
    const auto avant = b.contenu();
    const QList<ElementListe> lignes2 = b.menu->List2->elements();

    // No scripted answer: the input box is cancelled, the confirmation answered No.
    void (*const operations[])(Menu&) = {Creer_Rubrique, Renommer_Rubrique, Supprimer_Rubrique};
    operations[operation](*b.menu);

    QCOMPARE(b.contenu(), avant);
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"Jeux", "Outils"}));
    QCOMPARE(b.rubriqueSelectionnee(), QStringLiteral("Jeux"));
    QCOMPARE(b.menu->List2->Count(), lignes2.size());
    for (int i = 0; i < lignes2.size(); ++i)
        QCOMPARE(b.menu->List2->Item(i + 1).sousElements, lignes2[i].sousElements);
    QCOMPARE(b.appels().size(), 1);
    const auto& appel = b.appels().first();
    QCOMPARE(appel.sorte, sorte);
    QCOMPARE(appel.titre, titre);
    QCOMPARE(appel.texte, texte);
    if (operation == 1)
        QCOMPARE(appel.defaut, QStringLiteral("Jeux"));
    if (operation == 2) {
        QCOMPARE(appel.icone, IconeMessage::Question);
        QCOMPARE(appel.boutons, BoutonsMessage::OuiNon);
    }
}

void TstRubrique::nomProposeCompteLesRubriques()
{
    Banc b;
    b.demarrer();
    Creer_Rubrique(*b.menu);
    QCOMPARE(b.appels().last().defaut, QString::fromUtf8("Rubrique n°1"));

    test::ecrireRubrique(b.dossier.chemin(), QString::fromUtf8("Rubrique n°1"), {});
    test::ecrireRubrique(b.dossier.chemin(), QString::fromUtf8("Rubrique n°3"), {});
    b.menu->Actualiser_Rubrique();
    Creer_Rubrique(*b.menu);
    QCOMPARE(b.appels().last().defaut, QString::fromUtf8("Rubrique n°3"));
}

void TstRubrique::creation_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("simple") << "Bureautique";
    QTest::newRow("blancs en tête gardés") << "  Bureautique";
    QTest::newRow("unicode") << QString::fromUtf8("Été — 日本語 🎮");
    QTest::newRow("avant les autres") << "A";
}

void TstRubrique::creation()
{
    QFETCH(QString, nom);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", deuxRaccourcis);
    b.demarrer();
    b.services.prompts.saisies << nom;
    Creer_Rubrique(*b.menu);

    QCOMPARE(test::lireOctets(b.fichier(nom)), QByteArray("[LOGICIEL]\nNombre=0\n"));
    QVERIFY(Banc::textes(b.menu->List1).contains(nom));
    // The new rubrique is selected, with its empty list of shortcuts.
    QCOMPARE(b.rubriqueSelectionnee(), nom);
    QCOMPARE(b.menu->List2->Count(), 0);
    QCOMPARE(b.appels().size(), 1);
    QCOMPARE(Ecrire_Rubrique(b.fichier("Jeux"), {}), true); // the other file is still writable
}

void TstRubrique::creationSousUnNomExistant_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::newRow("même fichier") << "Jeux.ini";
    QTest::newRow("extension en capitales") << "Jeux.INI";
}

void TstRubrique::creationSousUnNomExistant()
{
    QFETCH(QString, fichier);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Autre", {{"a", "/opt/a", "Fenêtre normale", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", deuxRaccourcis);
    if (fichier != "Jeux.ini")
        QVERIFY(QFile::rename(b.fichier("Jeux"), b.rubriques() + "/" + fichier));
    b.demarrer();
    const auto avant = b.contenu();
    b.services.prompts.saisies << "Jeux";
    Creer_Rubrique(*b.menu);

    QCOMPARE(b.contenu(), avant);
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"Autre", "Jeux"}));
    QCOMPARE(b.rubriqueSelectionnee(), QStringLiteral("Jeux"));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", "Doom"}));
}

void TstRubrique::nomRefuse_data()
{
    QTest::addColumn<QString>("nom");
    QTest::newRow("barre oblique") << "a/b";
    QTest::newRow("vers le dossier parent") << "../Lanceron";
    QTest::newRow("barre oblique inverse") << "a\\b";
    QTest::newRow("point") << ".";
    QTest::newRow("deux points") << "..";
    QTest::newRow("retour chariot") << "Jeux\r";
    QTest::newRow("saut de ligne") << "Je\nux";
    QTest::newRow("tabulation") << "\tJeux";
    QTest::newRow("espaces seuls") << "   ";
    QTest::newRow("10000 caractères") << QString::fromUtf8("été🎮").repeated(2500);
    QTest::newRow("252 octets") << QString(252, 'a');
}

void TstRubrique::nomRefuse()
{
    QFETCH(QString, nom);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", deuxRaccourcis);
    b.demarrer();
    const auto avant = b.contenu();
    const QStringList dossierApplication = QDir(b.dossier.chemin()).entryList(QDir::AllEntries);

    for (auto operation : {Creer_Rubrique, Renommer_Rubrique}) {
        b.appels().clear();
        b.services.prompts.saisies << nom;
        operation(*b.menu);
        QCOMPARE(b.appels().size(), 2);
        const auto& refus = b.appels().last();
        QCOMPARE(refus.sorte, QStringLiteral("message"));
        QCOMPARE(refus.titre, QStringLiteral("Information"));
        QCOMPARE(refus.icone, IconeMessage::Information);
        QCOMPARE(refus.boutons, BoutonsMessage::Ok);
        QVERIFY(!refus.texte.isEmpty());
        QCOMPARE(b.contenu(), avant);
        QCOMPARE(QDir(b.dossier.chemin()).entryList(QDir::AllEntries), dossierApplication);
        QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
        QCOMPARE(b.menu->List2->Count(), 2);
    }
}

void TstRubrique::renommage_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("nouveau");
    QTest::addColumn<QString>("fichierApres");

    QTest::newRow("autre nom") << "Jeux.ini"
                               << "Loisirs"
                               << "Loisirs.ini";
    QTest::newRow("extension en capitales") << "JEUX.INI"
                                            << "Loisirs"
                                            << "Loisirs.ini";
    QTest::newRow("casse seule") << "jeux.ini"
                                 << "Jeux"
                                 << "Jeux.ini";
    QTest::newRow("même nom") << "Jeux.ini"
                              << "Jeux"
                              << "Jeux.ini";
    QTest::newRow("même nom, extension en capitales") << "JEUX.INI"
                                                      << "JEUX"
                                                      << "JEUX.INI";
    QTest::newRow("même nom, fait hors du programme avec une tabulation") << "a\tb.ini"
                                                                          << "a\tb"
                                                                          << "a\tb.ini";
    QTest::newRow("blancs gardés") << "Jeux.ini"
                                   << " Jeux "
                                   << " Jeux .ini";
    QTest::newRow("unicode") << "Jeux.ini" << QString::fromUtf8("日本語 🎮")
                             << QString::fromUtf8("日本語 🎮.ini");
}

void TstRubrique::renommage()
{
    QFETCH(QString, fichier);
    QFETCH(QString, nouveau);
    QFETCH(QString, fichierApres);

    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Autre", {});
    test::ecrireRubrique(b.dossier.chemin(), "x", deuxRaccourcis);
    QVERIFY(QFile::rename(b.fichier("x"), b.rubriques() + "/" + fichier));
    b.demarrer();
    const QByteArray octets = test::lireOctets(b.rubriques() + "/" + fichier);
    const QDateTime date = QFileInfo(b.rubriques() + "/" + fichier).lastModified();
    b.menu->List1->setSelectedIndex(Banc::textes(b.menu->List1).indexOf(fichier.chopped(4)) + 1);
    b.menu->List1_Click();

    b.services.prompts.saisies << nouveau;
    Renommer_Rubrique(*b.menu);

    QCOMPARE(b.appels().size(), 1);
    QStringList fichiers{"Autre.ini", fichierApres};
    fichiers.sort();
    QCOMPARE(b.contenu().keys(), fichiers);
    QCOMPARE(b.contenu().value(fichierApres), octets);
    QCOMPARE(QFileInfo(b.rubriques() + "/" + fichierApres).lastModified(), date);
    QCOMPARE(b.rubriqueSelectionnee(), nouveau);
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", "Doom"}));
}

void TstRubrique::renommageSurUneAutreRubrique_data()
{
    QTest::addColumn<QString>("autre");
    QTest::newRow("même fichier") << "B.ini";
    QTest::newRow("extension en capitales") << "B.INI";
}

void TstRubrique::renommageSurUneAutreRubrique()
{
    QFETCH(QString, autre);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "B", {{"b", "/opt/b", "Agrandie", ""}});
    if (autre != "B.ini")
        QVERIFY(QFile::rename(b.fichier("B"), b.rubriques() + "/" + autre));
    b.demarrer();
    const auto avant = b.contenu();
    b.services.prompts.saisies << "B";
    Renommer_Rubrique(*b.menu);

    QCOMPARE(b.contenu(), avant);
    QCOMPARE(b.appels().size(), 2);
    QCOMPARE(b.appels().last().texte, QString::fromUtf8("Une rubrique nommée « B » existe déjà."));
    QCOMPARE(b.appels().last().titre, QStringLiteral("Information"));
    QCOMPARE(b.appels().last().icone, IconeMessage::Information);
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"A", "B"}));
    QCOMPARE(b.rubriqueSelectionnee(), QStringLiteral("A"));
    QCOMPARE(b.menu->List2->Count(), 2);
}

void TstRubrique::renommageDUneRubriqueDisparue()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "B", {{"b", "/opt/b", "Agrandie", ""}});
    b.demarrer();
    QVERIFY(QFile::remove(b.fichier("A")));
    b.services.prompts.saisies << "C";
    Renommer_Rubrique(*b.menu);

    QCOMPARE(b.appels().size(), 2);
    QCOMPARE(b.appels().last().texte, QString::fromUtf8("La rubrique « A » n'existe plus."));
    QCOMPARE(b.contenu().keys(), QStringList{"B.ini"});
    // The list is rebuilt: the vanished rubrique is no longer shown.
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"B"});
    QCOMPARE(Banc::textes(b.menu->List2), QStringList{"b"});
}

void TstRubrique::suppression()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "B", {{"b", "/opt/b", "Agrandie", ""}});
    b.demarrer();
    const QByteArray octets = test::lireOctets(b.fichier("A"));
    b.services.prompts.reponses << Reponse::Oui;
    Supprimer_Rubrique(*b.menu);

    QCOMPARE(b.contenu().keys(), QStringList{"B.ini"});
    QCOMPARE(test::lireOctets(m_maison.fichier("data/Trash/files/A.ini")), octets);
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"B"});
    QCOMPARE(Banc::textes(b.menu->List2), QStringList{"b"});
    QVERIFY(QFile::remove(m_maison.fichier("data/Trash/files/A.ini")));
}

void TstRubrique::suppressionDUneRubriqueDisparue()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", deuxRaccourcis);
    test::ecrireRubrique(b.dossier.chemin(), "B", {});
    b.demarrer();
    QVERIFY(QFile::remove(b.fichier("A")));
    b.services.prompts.reponses << Reponse::Oui;
    Supprimer_Rubrique(*b.menu);

    QCOMPARE(b.appels().size(), 1); // the confirmation only
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"A", "B"}));
    QCOMPARE(b.rubriqueSelectionnee(), QStringLiteral("A"));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", "Doom"}));
}

void TstRubrique::listeVide()
{
    Banc b;
    b.demarrer();
    b.services.prompts.saisies << "X";
    b.services.prompts.reponses << Reponse::Oui;
    Renommer_Rubrique(*b.menu);
    Supprimer_Rubrique(*b.menu);
    QVERIFY(b.appels().isEmpty());
    QVERIFY(b.contenu().isEmpty());
}

QTEST_MAIN(TstRubrique)
#include "tst_rubrique.moc"
