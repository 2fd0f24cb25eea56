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
    QString donnees() const { return racine.fichier(QStringLiteral("data/lanceron")); }
    QString reglages() const { return donnees() + QStringLiteral("/Lanceron.ini"); }
    QString rubriques() const { return donnees() + QStringLiteral("/Rubriques"); }

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("HOME"), racine.fichier(QStringLiteral("home")));
        e.insert(QStringLiteral("XDG_DATA_HOME"), racine.fichier(QStringLiteral("data")));
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), racine.fichier(QStringLiteral("config")));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), racine.fichier(QStringLiteral("run")));
        e.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        e.remove(QStringLiteral("DISPLAY"));
        e.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return e;
    }

    Environnement()
    {
        for (const char* d : {"home", "data", "config"})
            QDir().mkpath(racine.fichier(QString::fromLatin1(d)));
        QDir().mkpath(racine.fichier(QStringLiteral("run")));
        QFile::setPermissions(racine.fichier(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void demarrer(QProcess& p) const
    {
        p.setProcessEnvironment(env());
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(LANCERON_EXECUTABLE), {});
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

// Section and key names of a settings file, in order.
QStringList structure(const QByteArray& contenu)
{
    QStringList r;
    for (const QByteArray& ligne : contenu.split('\n')) {
        const QString l = QString::fromUtf8(ligne).trimmed();
        if (!l.isEmpty())
            r << l.section(QLatin1Char('='), 0, 0);
    }
    return r;
}

QString valeur(const QByteArray& contenu, const QString& cle)
{
    const QRegularExpression re(QStringLiteral("(?m)^") + cle + QStringLiteral("=(.*)$"));
    return re.match(QString::fromUtf8(contenu)).captured(1).trimmed();
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
                          "[AFFICHAGE]", "Splitter1", "Rubrique", "Logiciel", "[DIVERS]",
                          "Windows", "Hauteur", "Largeur", "PositionX", "PositionY"}));
    QCOMPARE(valeur(ini, QStringLiteral("Windows")), QStringLiteral("0"));
    // 10700 twips, to the nearest whole pixel (15 twips at 96 dots per inch).
    QVERIFY(qAbs(valeur(ini, QStringLiteral("Largeur")).toInt() - 10700) < 15);

    // A second start with that file keeps the geometry it wrote.
    QByteArray modifie = ini;
    modifie.replace(("PositionX=" + valeur(ini, QStringLiteral("PositionX"))).toUtf8(),
                    "PositionX=1200");
    modifie.replace(("PositionY=" + valeur(ini, QStringLiteral("PositionY"))).toUtf8(),
                    "PositionY=900");
    test::ecrireOctets(e.reglages(), modifie);
    QProcess p2;
    e.demarrer(p2);
    QTRY_VERIFY_WITH_TIMEOUT(p2.state() == QProcess::Running, 30000);
    QTest::qWait(500);
    Environnement::arreter(p2);
    const QByteArray relu = test::lireOctets(e.reglages());
    for (const QString& cle : {QStringLiteral("Hauteur"), QStringLiteral("Largeur"),
                               QStringLiteral("PositionX"), QStringLiteral("PositionY")})
        QCOMPARE(valeur(relu, cle), valeur(modifie, cle));
}

void TstDemarrage::secondeInstanceNeToucheRien()
{
    Environnement e;
    QProcess premiere;
    e.demarrer(premiere);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(e.rubriques()).isDir(), 30000);

    QProcess seconde;
    e.demarrer(seconde);
    // The second instance waits on its notice; stopping it must leave no settings behind.
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
