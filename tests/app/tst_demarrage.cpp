// The real program, started offscreen on an empty data folder and stopped with SIGTERM.

#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

using namespace lanceron;

namespace {

struct Environnement {
    test::DossierTest racine;
    QString reglages() const { return racine.fichier("data/lanceron/Lanceron.ini"); }
    QString rubriques() const { return racine.fichier("data/lanceron/Rubriques"); }

    Environnement()
    {
        for (const char* d : {"home", "data", "config", "run"})
            QDir().mkpath(racine.fichier(d));
        QFile::setPermissions(racine.fichier("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void demarrer(QProcess& p) const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY"})
            e.remove(v);
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("HOME", racine.fichier("home"));
        e.insert("XDG_DATA_HOME", racine.fichier("data"));
        e.insert("XDG_CONFIG_HOME", racine.fichier("config"));
        e.insert("XDG_RUNTIME_DIR", racine.fichier("run"));
        p.setProcessEnvironment(e);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(LANCERON_EXECUTABLE, {});
        QVERIFY2(p.waitForStarted(20000), qPrintable(p.errorString()));
    }

    // True once the program catches SIGTERM (SigCgt in /proc): a signal sent before would
    // end it at once, which is not what is tested.
    static bool capteArret(const QProcess& p)
    {
        QFile f(QStringLiteral("/proc/%1/status").arg(p.processId()));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& ligne : f.readAll().split('\n')) {
            if (ligne.startsWith("SigCgt:"))
                return (ligne.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        }
        return false;
    }

    static void arreter(QProcess& p)
    {
        QTRY_VERIFY_WITH_TIMEOUT(capteArret(p), 30000);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }
};

// The lines of a settings file, without their values.
QStringList structure(const QByteArray& contenu)
{
    QStringList r;
    for (const QByteArray& ligne : contenu.trimmed().split('\n'))
        r << QString(ligne).section('=', 0, 0);
    return r;
}

QString valeur(const QByteArray& contenu, const QString& cle)
{
    return QRegularExpression("(?m)^" + cle + "=(.*)$").match(contenu).captured(1).trimmed();
}

} // namespace

class TstDemarrage : public QObject {
    Q_OBJECT
private slots:
    void premierDemarrageEtArret();
    void secondeInstanceNeToucheRien();
};

void TstDemarrage::premierDemarrageEtArret()
{
    Environnement e;
    QProcess p;
    e.demarrer(p);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(e.rubriques()).isDir(), 30000);
    QVERIFY(!QFileInfo::exists(e.reglages())); // written only at shutdown
    Environnement::arreter(p);

    const QByteArray ini = test::lireOctets(e.reglages());
    QCOMPARE(structure(ini),
             (QStringList{"[OPTIONS]", "Rubrique", "Logiciel", "Application", "HotTracking",
                          "[AFFICHAGE]", "Splitter1", "Rubrique", "Logiciel", "[DIVERS]", "Windows",
                          "Hauteur", "Largeur", "PositionX", "PositionY"}));
    QCOMPARE(valeur(ini, "Windows"), QString("0"));
    // 10700 twips, to the nearest whole pixel (15 twips at 96 dots per inch).
    QVERIFY(qAbs(valeur(ini, "Largeur").toInt() - 10700) < 15);

    // A second start with that file keeps the geometry it wrote.
    QByteArray modifie = ini;
    for (const auto& [cle, v] : {std::pair{"PositionX", "1200"}, {"PositionY", "900"}})
        modifie.replace(cle + ("=" + valeur(ini, cle)).toUtf8(), QByteArray(cle) + "=" + v);
    test::ecrireOctets(e.reglages(), modifie);
    QProcess p2;
    e.demarrer(p2);
    // Its lock is taken once it heeds SIGTERM.
    QTRY_VERIFY_WITH_TIMEOUT(!QDir(e.racine.fichier("run")).entryList({"*.lock"}).isEmpty(), 30000);
    Environnement::arreter(p2);
    const QByteArray relu = test::lireOctets(e.reglages());
    for (const char* cle : {"Hauteur", "Largeur", "PositionX", "PositionY"})
        QCOMPARE(valeur(relu, cle), valeur(modifie, cle));
}

void TstDemarrage::secondeInstanceNeToucheRien()
{
    Environnement e;
    QProcess premiere;
    e.demarrer(premiere);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(e.rubriques()).isDir(), 30000);
    // The second instance waits on its notice; stopping it must leave no settings behind.
    QProcess seconde;
    e.demarrer(seconde);
    QTest::qWait(1500);
    QCOMPARE(seconde.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(seconde.processId()), SIGTERM);
    QVERIFY(seconde.waitForFinished(30000));
    QVERIFY(!QFileInfo::exists(e.reglages()));
    Environnement::arreter(premiere);
    QVERIFY(QFileInfo::exists(e.reglages()));
}

QTEST_GUILESS_MAIN(TstDemarrage)
#include "tst_demarrage.moc"
