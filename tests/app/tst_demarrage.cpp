// The real program, started offscreen on an empty data folder and stopped with SIGTERM.

#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

namespace {

QString valeur(const QByteArray& contenu, const QString& cle)
{
    return QRegularExpression("(?m)^" + cle + "=(.*)$").match(contenu).captured(1).trimmed();
}

} // namespace

class TstDemarrage : public QObject {
    Q_OBJECT
    lanceron::test::DossierTest m_racine;
    QString reglages() const { return m_racine.fichier("XDG_DATA_HOME/lanceron/Lanceron.ini"); }

    static void demarrer(QProcess& p)
    {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(LANCERON_EXECUTABLE, {});
        QVERIFY2(p.waitForStarted(20000), qPrintable(p.errorString()));
    }

    // The program heeds SIGTERM from its very start: a stop is asked once it holds its lock or
    // has made its folders.
    static void arreter(QProcess& p)
    {
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

private slots:
    void initTestCase()
    {
        // The program's folders are the test's own, and no display nor session bus is used.
        for (const char* v : {"DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"})
            qunsetenv(v);
        for (const char* d : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
            QVERIFY(QDir().mkpath(m_racine.fichier(d)));
            qputenv(d, QFile::encodeName(m_racine.fichier(d)));
        }
        QFile::setPermissions(m_racine.fichier("XDG_RUNTIME_DIR"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void demarragesEtArrets()
    {
        QProcess premiere;
        demarrer(premiere);
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo(m_racine.fichier("XDG_DATA_HOME/lanceron/Rubriques")).isDir(), 30000);
        // A second instance waits on its notice; stopping it must leave no settings behind.
        QProcess seconde;
        demarrer(seconde);
        QTest::qWait(1500);
        QCOMPARE(seconde.state(), QProcess::Running);
        arreter(seconde);
        QVERIFY(!QFileInfo::exists(reglages())); // written only at shutdown
        arreter(premiere);

        const QByteArray ini = lanceron::test::lireOctets(reglages());
        QCOMPARE(valeur(ini, "Windows"), QString("0"));
        // 10700 twips, to the nearest whole pixel (15 twips at 96 dots per inch).
        QVERIFY(qAbs(valeur(ini, "Largeur").toInt() - 10700) < 15);

        // A start with that file keeps the geometry it wrote.
        QByteArray modifie = ini;
        modifie.replace("PositionX=" + valeur(ini, "PositionX").toUtf8(), "PositionX=1200")
            .replace("PositionY=" + valeur(ini, "PositionY").toUtf8(), "PositionY=900");
        lanceron::test::ecrireOctets(reglages(), modifie);
        QProcess troisieme;
        demarrer(troisieme);
        QTRY_VERIFY_WITH_TIMEOUT(
            !QDir(m_racine.fichier("XDG_RUNTIME_DIR")).entryList({"*.lock"}).isEmpty(), 30000);
        arreter(troisieme);
        const QByteArray relu = lanceron::test::lireOctets(reglages());
        for (const char* cle : {"Hauteur", "Largeur", "PositionX", "PositionY"})
            QCOMPARE(valeur(relu, cle), valeur(modifie, cle));
    }
};

QTEST_GUILESS_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
