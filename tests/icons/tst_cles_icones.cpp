#include "icons/cles_icones.h"

#include <QtTest>

using namespace lanceron;

class TstClesIcones : public QObject {
    Q_OBJECT

private slots:
    void extension_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("cle");

        auto ligne = [](const char* nom, const char* chemin, const char* extension,
                        const char* cle) {
            QTest::newRow(nom) << QString::fromUtf8(chemin) << QString::fromUtf8(extension)
                               << QString::fromUtf8(cle);
        };
        ligne("windows", "C:\\Jeux\\Solitaire.exe", "exe", "EXEID");
        ligne("casse gardee", "C:\\Outils\\Lanceur.Bat", "Bat", "BATID");
        ligne("unix", "/usr/share/applications/gimp.desktop", "desktop", "DESKTOPID");
        ligne("derniere extension seule", "/tmp/archive.tar.gz", "gz", "GZID");
        ligne("point dans un dossier", "/opt/app.d/lanceur", "", "ID");
        ligne("point dans un dossier windows", "C:\\Prog.v2\\outil", "", "ID");
        ligne("separateurs melanges", "C:\\a.b/c\\d.txt", "txt", "TXTID");
        ligne("sans extension", "/usr/bin/firefox", "", "ID");
        ligne("vide", "", "", "ID");
        ligne("fichier cache", "/home/u/.bashrc", "", "ID");
        ligne("fichier cache avec extension", "/home/u/.config.bak", "bak", "BAKID");
        ligne("points en tete seuls", "..", "", "ID");
        ligne("point final", "C:\\bizarre.", "", "ID");
        ligne("dossier final", "/tmp/dossier.d/", "", "ID");
        ligne("nom seul", "notes.TXT", "TXT", "TXTID");
        ligne("accents", "/tmp/fenêtre.exé", "exé", "EXÉID");
        ligne("blancs gardes", "/tmp/a. exe ", " exe ", " EXE ID");
    }

    void extension()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, extension);
        QFETCH(QString, cle);
        QCOMPARE(Extension_Fichier(chemin), extension);
        QCOMPARE(Cle_Icone_Associee(chemin), cle);
    }

    void longCheminEntier()
    {
        // The whole path is used, however long: the extension is found at its very end.
        const QString chemin =
            QStringLiteral("/tmp/") + QString(4000, QLatin1Char('a')) + QStringLiteral(".exe");
        QCOMPARE(Cle_Icone_Associee(chemin), QStringLiteral("EXEID"));
    }
};

QTEST_GUILESS_MAIN(TstClesIcones)
#include "tst_cles_icones.moc"
