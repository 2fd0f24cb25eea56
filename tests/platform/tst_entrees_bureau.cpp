// Desktop entries as the desktop reads them: names in the user's language (French here, from
// the test's environment), icons, categories, hidden entries and the installed applications.

#include "platform/entrees_bureau.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace Qt::StringLiterals;

class TstEntreesBureau : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qgetenv("LANGUAGE"), QByteArray("fr"));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_systeme.chemin()));
        qunsetenv("XDG_CURRENT_DESKTOP");
        // The installed applications, written before GIO first looks at the folders: it watches
        // them afterwards, and a change would reach it only through its event loop.
        QVERIFY(QDir().mkpath(utilisateur()) && QDir().mkpath(systeme()));
        const std::pair<QString, QByteArray> entrees[] = {
            {utilisateur() + u"/zebre.desktop"_s, "Name=Zebra\nName[fr]=Zèbre\n"},
            {utilisateur() + u"/alpha.desktop"_s, "Name=Alpha\nCategories=Game;\n"},
            {utilisateur() + u"/outil.desktop"_s, "Name=Outil\nNoDisplay=true\n"},
            {utilisateur() + u"/efface.desktop"_s, "Name=Effacé\nHidden=true\n"},
            {systeme() + u"/efface.desktop"_s, "Name=Système\n"},
            {systeme() + u"/beta.desktop"_s, "Name=Bêta\n"},
            {systeme() + u"/absent.desktop"_s, "Name=Absent\nTryExec=/nulle/part\n"}};
        for (const auto& [chemin, lignes] : entrees)
            test::ecrireOctets(chemin, "[Desktop Entry]\nType=Application\nExec=true\n" + lignes);
    }

    void lire_data()
    {
        // `contenu` after "[Desktop Entry]" (and "Type=Application", "Exec=true" unless it gives a
        // Type); null for a named pipe. `attendu`: name | icon | categories | hidden, or null when
        // the file gives no entry.
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("nom français")
            << QByteArray("Name=Firefox ESR\nName[fr]=Navigateur Firefox\nName[de]=Netz\n"
                          "Icon=firefox-esr\nCategories=Network;WebBrowser;\n")
            << u"Navigateur Firefox|firefox-esr|Network,WebBrowser|0"_s;
        QTest::newRow("sans nom ni icône") << QByteArray("") << u"|||0"_s;
        QTest::newRow("NoDisplay") << QByteArray("Name=A\nNoDisplay=true\n") << u"A|||1"_s;
        QTest::newRow("Hidden") << QByteArray("Name=A\nHidden=true\n") << u"A|||1"_s;
        QTest::newRow("autre bureau") << QByteArray("Name=A\nOnlyShowIn=KDE;\n") << u"A|||1"_s;
        QTest::newRow("lien") << QByteArray("Type=Link\nName=A\nURL=https://exemple.org\n")
                              << QString();
        QTest::newRow("TryExec absent") << QByteArray("Name=A\nTryExec=/nulle/part\n") << QString();
        QTest::newRow("tube nommé") << QByteArray() << QString();
    }

    void lire()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, attendu);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(u"app.desktop"_s);
        if (contenu.isNull())
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else
            test::ecrireOctets(chemin, "[Desktop Entry]\n" +
                                           (contenu.startsWith("Type=")
                                                ? contenu
                                                : "Type=Application\nExec=true %u\n" + contenu));
        const auto e = lireEntreeBureau(chemin);
        const QStringList champs = {e ? e->nom : QString(), e ? e->icone : QString(),
                                    e ? e->categories.join(u',') : QString(),
                                    QString::number(e && e->cachee)};
        QCOMPARE(e ? champs.join(u'|') : QString(), attendu);
        QCOMPARE(e ? e->chemin : chemin, chemin);
    }

    void installees()
    {
        // The user's entries (XDG_DATA_HOME) come first and hide the system's of the same name.
        QStringList noms;
        for (const EntreeBureau& e : applicationsInstallees())
            noms << e.nom + u'@' + QFileInfo(e.chemin).dir().path();
        QCOMPARE(noms, (QStringList{u"Alpha@"_s + utilisateur(), u"Bêta@"_s + systeme(),
                                    u"Zèbre@"_s + utilisateur()}));
    }

private:
    QString utilisateur() const
    {
        return QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(u"applications"_s);
    }
    QString systeme() const { return m_systeme.fichier(u"applications"_s); }

    test::DossierTest m_systeme; // XDG_DATA_DIRS
};

QTEST_GUILESS_MAIN(TstEntreesBureau)
#include "tst_entrees_bureau.moc"
