// The text export of the catalogue: the text written, the save dialog, and a failed write.

#include "main_window/export.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

namespace {

struct Banc : test::BancMenu {
    // The two rubriques of the reference example.
    Banc()
    {
        test::ecrireRubrique(dossier.chemin(), "Bureautique",
                             {{"Tableur", "C:\\Outils\\tableur.exe", "Agrandie", "-a"},
                              {"Traitement de texte", "C:\\Outils\\texte.exe", "Réduite", ""}});
        test::ecrireRubrique(dossier.chemin(), "Jeux", {});
        demarrer();
    }
    // Exports to the path the user "chooses".
    void exporter(const QString& chemin)
    {
        services.prompts.fichiers = {chemin};
        Export_TXT(*menu);
    }
};

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void exportDuCatalogue();
    void dialogue_data();
    void dialogue();
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

void TstExport::exportDuCatalogue()
{
    Banc b;
    // The path is used as chosen (no extension added) and a longer old file is replaced whole.
    const QString cible = b.dossier.fichier("Bureautique");
    test::ecrireOctets(cible, QByteArray(4096, 'x'));
    // A rubrique written on Windows, in Windows-1252: the export is in the system's encoding.
    test::ecrireOctets(b.fichierRubrique("Vidéo"),
                       "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Lecteur \xE9l\xE9gant\r\n"
                       "Dossier=C:\\Vid\xE9o\\lecteur.exe\r\n");
    b.menu->Affiche_Rubrique();
    b.exporter(cible);
    QCOMPARE(test::lireOctets(cible),
             QByteArray("1) Bureautique :\r\n \r\n Tableur\r\n C:\\Outils\\tableur.exe\r\n \r\n"
                        " Traitement de texte\r\n C:\\Outils\\texte.exe\r\n \r\n \r\n"
                        "2) Jeux :\r\n \r\n \r\n"
                        "3) Vid\xC3\xA9o :\r\n \r\n Lecteur \xC3\xA9l\xC3\xA9gant\r\n"
                        " C:\\Vid\xC3\xA9o\\lecteur.exe\r\n \r\n \r\n"));
    QCOMPARE(b.services.prompts.appels.size(), 1); // the dialog, no message
    // The last rubrique is shown afterwards.
    QCOMPARE(b.menu->List1->SelectedIndex(), 3);
    QCOMPARE(b.menu->List2->Count(), 1);
}

void TstExport::dialogue_data()
{
    QTest::addColumn<bool>("documents");
    QTest::addColumn<bool>("portable"); // the application folder is the executable's
    QTest::newRow("dossier des documents") << true << false;
    QTest::newRow("pas de dossier des documents") << false << false;
    QTest::newRow("mode portable") << true << true;
}

void TstExport::dialogue()
{
    QFETCH(bool, documents);
    QFETCH(bool, portable);
    const QString dossierDocuments = m_config.fichier("Documents");
    if (documents)
        QVERIFY(QDir().mkpath(dossierDocuments));
    else
        QDir(dossierDocuments).removeRecursively();
    test::ecrireOctets(m_config.fichier("user-dirs.dirs"),
                       "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(dossierDocuments) + "\"\n");
    test::DossierTest dossier;
    const QString application =
        portable ? QCoreApplication::applicationDirPath() : dossier.chemin();
    test::ServicesFactices services;
    Menu menu(application, services.services());
    menu.catalogue().relire();
    if (!portable) {
        for (const char* nom : {"A", "Jeux", "C"})
            test::ecrireRubrique(application, QString::fromLatin1(nom), {});
        menu.Affiche_Rubrique();
        menu.List1->setSelectedIndex(3);
    }

    Export_TXT(menu); // no path scripted: the dialog is cancelled

    QCOMPARE(services.prompts.appels.size(), 1); // no message
    const DialogueFichier& d = services.prompts.appels.first().dialogue;
    QCOMPARE(d.titre, QStringLiteral("Exporter au format Texte"));
    QCOMPARE(d.filtres.size(), 1);
    QCOMPARE(d.filtres.first().texte(), QStringLiteral("Fichier texte (*.txt)"));
    QCOMPARE(d.nomInitial, portable ? QString() : QStringLiteral("Jeux"));
    QVERIFY(d.confirmerRemplacement);
    // The hidden application folder is never offered, unless it is the program's own.
    QCOMPARE(d.dossierInitial, portable    ? application
                               : documents ? dossierDocuments
                                           : QDir::homePath());
    QCOMPARE(menu.List1->SelectedIndex(), portable ? 0 : 3); // cancelled: nothing moved
}

void TstExport::echecDEcriture_data()
{
    QTest::addColumn<bool>("lectureSeule");
    QTest::newRow("sur un dossier") << false;
    QTest::newRow("ancien export en lecture seule") << true;
}

void TstExport::echecDEcriture()
{
    QFETCH(bool, lectureSeule);
    Banc b;
    const QString dossier = b.dossier.fichier("sortie");
    const QString cible = dossier + "/export.txt";
    // The old export, or a file in the folder standing at the chosen path, keeps its content.
    const QString temoin = lectureSeule ? cible : cible + "/dedans";
    QVERIFY(QDir().mkpath(QFileInfo(temoin).absolutePath()));
    test::ecrireOctets(temoin, "ancien contenu");
    const auto permissions = QFile::permissions(dossier);
    if (lectureSeule) {
        QVERIFY(QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner));
        if (QFile sonde(dossier + "/sonde"); sonde.open(QIODevice::WriteOnly)) {
            sonde.remove();
            QFile::setPermissions(dossier, permissions);
            QSKIP("the folder stays writable for this user");
        }
    }

    b.exporter(cible);
    QFile::setPermissions(dossier, permissions);

    QCOMPARE(b.services.prompts.appels.size(), 2);
    const auto appel = b.services.prompts.appels.last();
    QCOMPARE(appel.sorte, QStringLiteral("message"));
    QCOMPARE(appel.titre, QStringLiteral("Attention"));
    QCOMPARE(appel.icone, IconeMessage::Avertissement);
    QVERIFY(appel.texte.startsWith("L'export n'a pas pu être écrit dans « " + cible + " »"));
    QCOMPARE(test::lireOctets(temoin), QByteArray("ancien contenu"));
    QCOMPARE(QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"export.txt"}); // no temporary file left
}

QTEST_MAIN(TstExport)
#include "tst_export.moc"
