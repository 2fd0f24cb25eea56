#include "about/version.h"

#include <QtTest>

using lanceron::EnregistrementVersion;

class TestVersion : public QObject {
    Q_OBJECT

private slots:
    void nomme_data();
    void nomme();
    void sansEnregistrement();
    void versionProgramme();
};

void TestVersion::nomme_data()
{
    QTest::addColumn<quint32>("plateforme");
    QTest::addColumn<quint32>("majeure");
    QTest::addColumn<quint32>("mineure");
    QTest::addColumn<QString>("csd");
    QTest::addColumn<quint16>("suite");
    QTest::addColumn<quint8>("produit");
    QTest::addColumn<QString>("nom");

    auto ligne = [](const char* cas, quint32 plateforme, quint32 majeure, quint32 mineure,
                    const QString& csd, quint16 suite, quint8 produit, const QString& nom) {
        QTest::newRow(cas) << plateforme << majeure << mineure << csd << suite << produit << nom;
    };
    // A text of the record's full width, the letter of interest in the last position.
    const QString longC = QString(127, QLatin1Char('x')) + QLatin1Char('c');

    // Each name, with the fields that must not sway it set.
    ligne("3.x", 0, 99, 99, "AC", 0xffff, 3, "Windows 3.x");
    ligne("95, autre lettre", 1, 0, 0, "A", 0, 0, "Windows 95");
    ligne("95 OSR2, minuscule au bout", 1, 4, 0, longC, 0, 0, "Windows 95 OSR2");
    ligne("98, autre lettre", 1, 5, 10, "C", 0, 0, "Windows 98");
    ligne("98 SE, minuscule au milieu", 1, 4, 10, "xxaxx", 0, 0, "Windows 98 SE");
    ligne("Me, lettres", 1, 4, 90, "AC", 0, 0, "Windows Me");
    ligne("NT 3", 2, 3, 0, "", 0, 0, "Windows NT 3");
    ligne("NT 3.1", 2, 3, 1, "", 0, 0, "Windows NT 3.1");
    ligne("NT 3.5", 2, 3, 5, "", 0, 0, "Windows NT 3.5");
    ligne("NT 3.51", 2, 3, 51, "", 0, 0, "Windows NT 3.51");
    ligne("NT 4, serveur", 2, 4, 99, " Service Pack 3", 0x0002, 3, "Windows NT 4");
    ligne("2000 Pro, bits serveur", 2, 5, 0, "", 0x0082, 1, "Windows 2000 Professional");
    ligne("2000 Advanced et DataCenter", 2, 5, 0, "", 0x0082, 3, "Windows 2000 Advanced Server");
    ligne("2000 DataCenter", 2, 5, 0, "", 0x0080, 3, "Windows 2000 DataCenter Server");
    ligne("2000 Server, bit personnel", 2, 5, 0, "", 0x0200, 3, "Windows 2000 Server");
    ligne("XP Home, tous bits", 2, 5, 1, "", 0xffff, 1, "Windows XP Home Edition");
    ligne("XP Pro, bit entreprise", 2, 5, 1, "", 0x0002, 1, "Windows XP Professional");
    ligne(".NET Enterprise, contrôleur", 2, 5, 1, "", 0x0082, 2, "Windows .NET Enterprise Server");
    ligne(".NET Server, type 0", 2, 5, 1, "", 0x0200, 0, "Windows .NET Server");

    // Each case without a name, with numbers a careless comparison would take for a known one.
    ligne("9x mineure 266", 1, 4, 266, "", 0, 0, ""); // 0x10a
    ligne("NT 3.50", 2, 3, 50, "", 0, 0, "");
    ligne("2000 contrôleur de domaine", 2, 5, 0, "", 0, 2, "");
    ligne("NT 5.257", 2, 5, 257, "", 0, 1, "");       // 0x101
    ligne("NT 261.1", 2, 261, 1, "", 0, 1, "");       // 0x105
    ligne("plateforme 258", 258, 5, 1, "", 0, 1, ""); // 0x102
}

void TestVersion::nomme()
{
    QFETCH(quint32, plateforme);
    QFETCH(quint32, majeure);
    QFETCH(quint32, mineure);
    QFETCH(QString, csd);
    QFETCH(quint16, suite);
    QFETCH(quint8, produit);
    QFETCH(QString, nom);

    EnregistrementVersion v;
    v.idPlateforme = plateforme;
    v.versionMajeure = majeure;
    v.versionMineure = mineure;
    v.szCSDVersion = csd;
    v.wSuiteMask = suite;
    v.wProductType = produit;
    QCOMPARE(lanceron::Version_Windows(v), nom);
}

void TestVersion::sansEnregistrement()
{
    QCOMPARE(lanceron::Version_Windows(std::nullopt), QString());
    // No Unix system gives a Windows version record.
    QCOMPARE(lanceron::Version_Windows(), QString());
}

void TestVersion::versionProgramme()
{
    QCOMPARE(lanceron::versionProgramme(), QStringLiteral(LANCERON_VERSION_PROJET));
}

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
