// The text export of the catalogue: the text itself, the save dialog, writing the file and
// what the main window shows afterwards.

#include "main_window/export.h"
#include "main_window/export_texte.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

Q_DECLARE_METATYPE(RubriqueExportee)

namespace {

// The two rubriques of the reference example, as text.
const QByteArray Exemple = "1) Bureautique :\r\n"
                           " \r\n"
                           " Tableur\r\n"
                           " C:\\Outils\\tableur.exe\r\n"
                           " \r\n"
                           " Traitement de texte\r\n"
                           " C:\\Outils\\texte.exe\r\n"
                           " \r\n"
                           " \r\n"
                           "2) Jeux :\r\n"
                           " \r\n"
                           " \r\n";

struct Banc : test::BancMenu {
    // The example's catalogue as rubrique files.
    void ecrireExemple() const
    {
        test::ecrireRubrique(dossier.chemin(), "Bureautique",
                             {{"Tableur", "C:\\Outils\\tableur.exe", "Agrandie", "-a"},
                              {"Traitement de texte", "C:\\Outils\\texte.exe", "Réduite", ""}});
        test::ecrireRubrique(dossier.chemin(), "Jeux", {});
    }
    // Exports to the path the user "chooses".
    void exporter(const QString& chemin)
    {
        services.prompts.fichiers = {chemin};
        Export_TXT(*menu);
    }
    QString cible() const { return dossier.fichier("export.txt"); }
};

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void texte_data();
    void texte();
    void exportDuCatalogue();
    void rubriqueEnCrLfEtWindows1252();
    void fichierRemplaceEnEntier();
    void derniereRubriqueAffichee();
    void reglagesDuDialogue_data();
    void reglagesDuDialogue();
    void modePortable();
    void annulation();
    void echecDEcriture_data();
    void echecDEcriture();

private:
    test::DossierTest m_config;
};

void TstExport::initTestCase()
{
    // The user's folders come from a configuration of the test's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.chemin()));
}

void TstExport::texte_data()
{
    // The expected texts are written in UTF-8, the system's encoding here.
    QTest::addColumn<QList<RubriqueExportee>>("rubriques");
    QTest::addColumn<QByteArray>("attendu");

    QTest::newRow("exemple")
        << QList<RubriqueExportee>{{"Bureautique",
                                    {{"Tableur", "C:\\Outils\\tableur.exe", "Agrandie", "-a"},
                                     {"Traitement de texte", "C:\\Outils\\texte.exe",
                                      "Fenêtre normale", ""}}},
                                   {"Jeux", {}}}
        << Exemple;
    QTest::newRow("une rubrique vide")
        << QList<RubriqueExportee>{{"Jeux", {}}} << QByteArray("1) Jeux :\r\n \r\n \r\n");
    QTest::newRow("dossier vide") << QList<RubriqueExportee>{{"R", {{"Sans chemin", "", "", ""}}}}
                                  << QByteArray("1) R :\r\n \r\n Sans chemin\r\n \r\n \r\n \r\n");
    QTest::newRow("accents")
        << QList<RubriqueExportee>{{"Théâtre", {{"Éditeur", "/opt/éditeur", "", ""}}}}
        << QByteArray("1) Théâtre :\r\n \r\n Éditeur\r\n /opt/éditeur\r\n \r\n \r\n");
    QList<RubriqueExportee> onze;
    for (int i = 0; i < 11; ++i)
        onze.append({QString(QChar(u'A' + i)), {}});
    QTest::newRow("numéros à deux chiffres")
        << onze
        << QByteArray("1) A :\r\n \r\n \r\n2) B :\r\n \r\n \r\n3) C :\r\n \r\n \r\n"
                      "4) D :\r\n \r\n \r\n5) E :\r\n \r\n \r\n6) F :\r\n \r\n \r\n"
                      "7) G :\r\n \r\n \r\n8) H :\r\n \r\n \r\n9) I :\r\n \r\n \r\n"
                      "10) J :\r\n \r\n \r\n11) K :\r\n \r\n \r\n");
}

void TstExport::texte()
{
    QFETCH(QList<RubriqueExportee>, rubriques);
    QFETCH(QByteArray, attendu);
    QCOMPARE(octetsExport(rubriques), attendu);
}

void TstExport::exportDuCatalogue()
{
    Banc b;
    b.ecrireExemple();
    b.demarrer();
    // The path is used as chosen: no extension is added.
    const QString cible = b.dossier.fichier("Bureautique");
    b.exporter(cible);
    QCOMPARE(test::lireOctets(cible), Exemple);
    QVERIFY(!QFileInfo::exists(cible + ".txt"));
    QCOMPARE(b.services.prompts.appels.size(), 1); // the dialog, no message
}

void TstExport::rubriqueEnCrLfEtWindows1252()
{
    Banc b;
    QDir().mkpath(b.dossier.fichier("Rubriques"));
    test::ecrireOctets(b.dossier.fichier("Rubriques/Vidéo.ini"),
                       "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Lecteur \xE9l\xE9gant\r\n"
                       "Dossier=C:\\Vid\xE9o\\lecteur.exe\r\nExecuter=Fen\xEAtre normale\r\n"
                       "Commande=\r\n");
    b.demarrer();
    b.exporter(b.cible());
    QCOMPARE(test::lireOctets(b.cible()),
             QByteArray("1) Vid\xC3\xA9o :\r\n \r\n Lecteur \xC3\xA9l\xC3\xA9gant\r\n"
                        " C:\\Vid\xC3\xA9o\\lecteur.exe\r\n \r\n \r\n"));
}

void TstExport::fichierRemplaceEnEntier()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", {});
    b.demarrer();
    test::ecrireOctets(b.cible(), QByteArray(4096, 'x'));
    b.exporter(b.cible());
    QCOMPARE(test::lireOctets(b.cible()), QByteArray("1) Jeux :\r\n \r\n \r\n"));
}

void TstExport::derniereRubriqueAffichee()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", {{"a", "/opt/a", "F", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "B", {});
    test::ecrireRubrique(b.dossier.chemin(), "C",
                         {{"c1", "/opt/c1", "F", ""}, {"c2", "/opt/c2", "F", ""}});
    b.demarrer();
    QCOMPARE(b.menu->List1->SelectedIndex(), 1);
    b.exporter(b.cible());
    QCOMPARE(b.menu->List1->SelectedIndex(), 3);
    QCOMPARE(b.menu->List2->Count(), 2);
    QCOMPARE(b.menu->List2->Item(2).texte, QStringLiteral("c2"));
    QCOMPARE(b.menu->List2->Item(2).sousElements.value(0), QStringLiteral("/opt/c2"));
}

void TstExport::reglagesDuDialogue_data()
{
    QTest::addColumn<bool>("documents");
    QTest::newRow("dossier des documents") << true;
    QTest::newRow("pas de dossier des documents") << false;
}

void TstExport::reglagesDuDialogue()
{
    QFETCH(bool, documents);
    const QString dossierDocuments = m_config.fichier("Documents");
    if (documents)
        QVERIFY(QDir().mkpath(dossierDocuments));
    else
        QDir(dossierDocuments).removeRecursively();
    test::ecrireOctets(m_config.fichier("user-dirs.dirs"),
                       "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(dossierDocuments) + "\"\n");

    Banc b;
    b.ecrireExemple();
    b.demarrer();
    b.menu->List1->setSelectedIndex(2);
    b.menu->List1_Click();
    Export_TXT(*b.menu);

    QCOMPARE(b.services.prompts.appels.size(), 1);
    const auto appel = b.services.prompts.appels.first();
    QCOMPARE(appel.sorte, QStringLiteral("enregistrer"));
    const DialogueFichier& d = appel.dialogue;
    QCOMPARE(d.titre, QStringLiteral("Exporter au format Texte"));
    QCOMPARE(d.filtres.size(), 1);
    QCOMPARE(d.filtres.first().texte(), QStringLiteral("Fichier texte (*.txt)"));
    QCOMPARE(d.filtres.first().motifs, QStringLiteral("*.txt"));
    QCOMPARE(d.filtreChoisi, 0);
    QCOMPARE(d.nomInitial, QStringLiteral("Jeux"));
    QVERIFY(d.confirmerRemplacement);
    // The hidden application folder is never offered.
    QCOMPARE(d.dossierInitial, documents ? dossierDocuments : QDir::homePath());
}

void TstExport::modePortable()
{
    // The application folder is the executable's folder: the dialog opens there. Nothing is
    // written: the dialog is cancelled.
    test::ServicesFactices services;
    Menu menu(QCoreApplication::applicationDirPath(), services.services());
    menu.List1->Add("Jeux", 1, {}, "Jeux.ini");
    Export_TXT(menu);
    QCOMPARE(services.prompts.appels.size(), 1);
    QCOMPARE(services.prompts.appels.first().dialogue.dossierInitial,
             QCoreApplication::applicationDirPath());
}

void TstExport::annulation()
{
    Banc b;
    b.ecrireExemple();
    b.demarrer();
    const QStringList avant = QDir(b.dossier.chemin()).entryList(QDir::AllEntries);
    Export_TXT(*b.menu); // no path scripted: the dialog is cancelled
    QCOMPARE(QDir(b.dossier.chemin()).entryList(QDir::AllEntries), avant);
    QCOMPARE(b.services.prompts.appels.size(), 1); // no message
    QCOMPARE(b.menu->List1->SelectedIndex(), 1);
    QCOMPARE(b.menu->List2->Count(), 2);
}

void TstExport::echecDEcriture_data()
{
    QTest::addColumn<QString>("cas");
    QTest::newRow("dans un fichier") << "dans un fichier";
    QTest::newRow("sur un dossier") << "sur un dossier";
    QTest::newRow("dossier en lecture seule") << "dossier en lecture seule";
}

void TstExport::echecDEcriture()
{
    QFETCH(QString, cas);
    Banc b;
    b.ecrireExemple();
    b.demarrer();

    QString cible;
    QString temoin; // a file that must keep its content
    if (cas == "dans un fichier") {
        temoin = b.dossier.fichier("notes");
        cible = temoin + "/export.txt";
    } else if (cas == "sur un dossier") {
        cible = b.dossier.fichier("export.txt");
        QVERIFY(QDir().mkpath(cible));
        temoin = cible + "/dedans";
    } else {
        const QString dossier = b.dossier.fichier("protege");
        QVERIFY(QDir().mkpath(dossier));
        cible = dossier + "/export.txt";
        temoin = cible;
    }
    test::ecrireOctets(temoin, "ancien contenu");
    if (cas == "dossier en lecture seule") {
        const QString dossier = QFileInfo(cible).absolutePath();
        QVERIFY(QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner));
        if (QFile sonde(dossier + "/sonde"); sonde.open(QIODevice::WriteOnly)) {
            sonde.remove();
            QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("the folder stays writable for this user");
        }
    }

    b.exporter(cible);

    QCOMPARE(b.services.prompts.appels.size(), 2);
    const auto appel = b.services.prompts.appels.last();
    QCOMPARE(appel.sorte, QStringLiteral("message"));
    QCOMPARE(appel.titre, QStringLiteral("Attention"));
    QCOMPARE(appel.icone, IconeMessage::Avertissement);
    QCOMPARE(appel.boutons, BoutonsMessage::Ok);
    QVERIFY(appel.texte.startsWith("L'export n'a pas pu être écrit"));
    QVERIFY(appel.texte.contains(cible));
    QCOMPARE(test::lireOctets(temoin), QByteArray("ancien contenu"));
    QCOMPARE(QDir(QFileInfo(temoin).absolutePath()).entryList(QDir::Files),
             QStringList{QFileInfo(temoin).fileName()}); // no temporary file left
    if (cas == "dossier en lecture seule")
        QFile::setPermissions(QFileInfo(cible).absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_MAIN(TstExport)
#include "tst_export.moc"
