#include "about/version.h"

#include <QtTest>

using lanceron::EnregistrementVersion;

class TestVersion : public QObject {
    Q_OBJECT

private slots:
    void nomme_data();
    void nomme();
    void sansEnregistrement();
    void systemeSansEnregistrement();
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
    const QString vide;
    const QString sp = QStringLiteral(" Service Pack 3");
    // A text of the record's full width, letters of interest only in the last position.
    const QString longC = QString(127, QLatin1Char('x')) + QLatin1Char('c');
    const QString longA = QString(127, QLatin1Char('x')) + QLatin1Char('a');

    // Win32s: anything.
    ligne("win32s", 0, 3, 10, vide, 0, 0, QStringLiteral("Windows 3.x"));
    ligne("win32s, tout à zéro", 0, 0, 0, vide, 0, 0, QStringLiteral("Windows 3.x"));
    ligne("win32s, champs pleins", 0, 99, 99, QStringLiteral("AC"), 0xffff, 3,
          QStringLiteral("Windows 3.x"));

    // Windows 95 family: the major version is not looked at.
    ligne("95", 1, 4, 0, vide, 0, 0, QStringLiteral("Windows 95"));
    ligne("95 lettre B", 1, 4, 0, QStringLiteral(" B "), 0, 0, QStringLiteral("Windows 95"));
    ligne("95 lettre A", 1, 4, 0, QStringLiteral("A"), 0, 0, QStringLiteral("Windows 95"));
    ligne("95 OSR2", 1, 4, 0, QStringLiteral(" C "), 0, 0, QStringLiteral("Windows 95 OSR2"));
    ligne("95 OSR2 minuscule", 1, 4, 0, QStringLiteral("c"), 0, 0,
          QStringLiteral("Windows 95 OSR2"));
    ligne("95 OSR2 lettre au bout", 1, 4, 0, longC, 0, 0, QStringLiteral("Windows 95 OSR2"));
    ligne("95 majeure 0", 1, 0, 0, vide, 0, 0, QStringLiteral("Windows 95"));
    ligne("98", 1, 4, 10, vide, 0, 0, QStringLiteral("Windows 98"));
    ligne("98 lettre C", 1, 4, 10, QStringLiteral("C"), 0, 0, QStringLiteral("Windows 98"));
    ligne("98 SE", 1, 4, 10, QStringLiteral(" A "), 0, 0, QStringLiteral("Windows 98 SE"));
    ligne("98 SE minuscule", 1, 4, 10, QStringLiteral("a"), 0, 0, QStringLiteral("Windows 98 SE"));
    ligne("98 SE lettre au milieu", 1, 4, 10, QStringLiteral("xxAxx"), 0, 0,
          QStringLiteral("Windows 98 SE"));
    ligne("98 SE lettre au bout", 1, 4, 10, longA, 0, 0, QStringLiteral("Windows 98 SE"));
    ligne("98 majeure 5", 1, 5, 10, vide, 0, 0, QStringLiteral("Windows 98"));
    ligne("98 SE majeure 5", 1, 5, 10, QStringLiteral("a"), 0, 0, QStringLiteral("Windows 98 SE"));
    ligne("Me", 1, 4, 90, vide, 0, 0, QStringLiteral("Windows Me"));
    ligne("Me lettres", 1, 4, 90, QStringLiteral("AC"), 0, 0, QStringLiteral("Windows Me"));
    ligne("9x mineure 1", 1, 4, 1, vide, 0, 0, vide);
    ligne("9x mineure 11", 1, 4, 11, QStringLiteral("A"), 0, 0, vide);
    ligne("9x mineure 89", 1, 4, 89, vide, 0, 0, vide);
    ligne("9x mineure 91", 1, 4, 91, vide, 0, 0, vide);
    ligne("9x mineure 266", 1, 4, 266, vide, 0, 0, vide); // 266 = 0x10a: whole number compared

    // NT 3.
    ligne("NT 3", 2, 3, 0, vide, 0, 0, QStringLiteral("Windows NT 3"));
    ligne("NT 3.1", 2, 3, 1, vide, 0, 0, QStringLiteral("Windows NT 3.1"));
    ligne("NT 3.5", 2, 3, 5, vide, 0, 0, QStringLiteral("Windows NT 3.5"));
    ligne("NT 3.51", 2, 3, 51, vide, 0, 0, QStringLiteral("Windows NT 3.51"));
    ligne("NT 3.2", 2, 3, 2, vide, 0, 0, vide);
    ligne("NT 3.50", 2, 3, 50, vide, 0, 0, vide);
    ligne("NT 3.52", 2, 3, 52, vide, 0, 0, vide);
    ligne("NT 3.10", 2, 3, 10, vide, 0, 0, vide);

    // NT 4: whatever the rest.
    ligne("NT 4", 2, 4, 0, vide, 0, 1, QStringLiteral("Windows NT 4"));
    ligne("NT 4 serveur", 2, 4, 0, sp, 0x0002, 3, QStringLiteral("Windows NT 4"));
    ligne("NT 4.99", 2, 4, 99, vide, 0, 0, QStringLiteral("Windows NT 4"));

    // NT 5.0.
    ligne("2000 Pro", 2, 5, 0, sp, 0, 1, QStringLiteral("Windows 2000 Professional"));
    ligne("2000 Pro bits serveur", 2, 5, 0, vide, 0x0082, 1,
          QStringLiteral("Windows 2000 Professional"));
    ligne("2000 Advanced", 2, 5, 0, vide, 0x0002, 3,
          QStringLiteral("Windows 2000 Advanced Server"));
    ligne("2000 Advanced et DataCenter", 2, 5, 0, vide, 0x0082, 3,
          QStringLiteral("Windows 2000 Advanced Server"));
    ligne("2000 DataCenter", 2, 5, 0, vide, 0x0080, 3,
          QStringLiteral("Windows 2000 DataCenter Server"));
    ligne("2000 Server", 2, 5, 0, vide, 0, 3, QStringLiteral("Windows 2000 Server"));
    ligne("2000 Server bit personnel", 2, 5, 0, vide, 0x0200, 3,
          QStringLiteral("Windows 2000 Server"));
    ligne("2000 contrôleur de domaine", 2, 5, 0, vide, 0, 2, vide);
    ligne("2000 contrôleur de domaine entreprise", 2, 5, 0, vide, 0x0002, 2, vide);
    ligne("2000 type 0", 2, 5, 0, vide, 0, 0, vide);
    ligne("2000 type 4", 2, 5, 0, vide, 0, 4, vide);

    // NT 5.1.
    ligne("XP Home", 2, 5, 1, vide, 0x0200, 1, QStringLiteral("Windows XP Home Edition"));
    ligne("XP Home terminal", 2, 5, 1, sp, 0x0300, 1, QStringLiteral("Windows XP Home Edition"));
    ligne("XP Home tous bits", 2, 5, 1, vide, 0xffff, 1, QStringLiteral("Windows XP Home Edition"));
    ligne("XP Pro", 2, 5, 1, sp, 0, 1, QStringLiteral("Windows XP Professional"));
    ligne("XP Pro bit entreprise", 2, 5, 1, vide, 0x0002, 1,
          QStringLiteral("Windows XP Professional"));
    ligne("XP Pro terminal", 2, 5, 1, vide, 0x0100, 1, QStringLiteral("Windows XP Professional"));
    ligne(".NET Enterprise", 2, 5, 1, vide, 0x0002, 3,
          QStringLiteral("Windows .NET Enterprise Server"));
    ligne(".NET Enterprise contrôleur", 2, 5, 1, vide, 0x0082, 2,
          QStringLiteral("Windows .NET Enterprise Server"));
    ligne(".NET Server", 2, 5, 1, vide, 0, 3, QStringLiteral("Windows .NET Server"));
    ligne(".NET Server bit personnel", 2, 5, 1, vide, 0x0200, 3,
          QStringLiteral("Windows .NET Server"));
    ligne(".NET Server DataCenter", 2, 5, 1, vide, 0x0080, 3,
          QStringLiteral("Windows .NET Server"));
    ligne(".NET Server type 0", 2, 5, 1, vide, 0, 0, QStringLiteral("Windows .NET Server"));

    // Later and unknown NT versions.
    ligne("NT 5.2", 2, 5, 2, vide, 0, 1, vide);
    ligne("NT 5.2 serveur", 2, 5, 2, vide, 0x0002, 3, vide);
    ligne("NT 5.257", 2, 5, 257, vide, 0, 1, vide); // 257 = 0x101
    ligne("NT 6.0", 2, 6, 0, vide, 0, 1, vide);
    ligne("NT 6.1", 2, 6, 1, vide, 0x0200, 1, vide);
    ligne("NT 10.0", 2, 10, 0, vide, 0, 1, vide);
    ligne("NT 2", 2, 2, 0, vide, 0, 1, vide);
    ligne("NT 0", 2, 0, 0, vide, 0, 0, vide);
    ligne("NT 261.1", 2, 261, 1, vide, 0, 1, vide); // 261 = 0x105

    // Unknown platforms.
    ligne("plateforme 3", 3, 5, 1, vide, 0, 1, vide);
    ligne("plateforme 258", 258, 5, 1, vide, 0, 1, vide); // 258 = 0x102
    ligne("plateforme 256", 256, 4, 0, vide, 0, 0, vide);
    ligne("plateforme maximale", 0xffffffff, 4, 10, QStringLiteral("A"), 0, 0, vide);
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
}

void TestVersion::systemeSansEnregistrement()
{
    // No Unix system gives a Windows version record: the name is empty, never "Windows XP...".
    QCOMPARE(lanceron::Version_Windows(), QString());
}

void TestVersion::versionProgramme()
{
    QCOMPARE(lanceron::versionProgramme(), QStringLiteral(LANCERON_VERSION_PROJET));
}

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
