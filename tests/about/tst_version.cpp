#include "about/version.h"

#include <QtTest>

using lanceron::EnregistrementVersion;
using Rec = std::optional<EnregistrementVersion>;

namespace {

// A record: major, minor, platform, service-pack text, suite mask, product type.
Rec v(quint32 majeure, quint32 mineure, quint32 plateforme, const QString& csd = {},
      quint16 suite = 0, quint8 produit = 0)
{
    return EnregistrementVersion{majeure, mineure, plateforme, csd, suite, produit};
}

} // namespace

class TestVersion : public QObject {
    Q_OBJECT

private slots:
    void nomme_data();
    void nomme();
    void versionProgramme();
};

void TestVersion::nomme_data()
{
    QTest::addColumn<Rec>("rec");
    QTest::addColumn<QString>("nom");
    auto ligne = [](const char* cas, const Rec& rec, const char* nom) {
        QTest::newRow(cas) << rec << QString::fromUtf8(nom);
    };
    // Each name, with the fields that must not sway it set; the letter may stand anywhere in
    // a text of the record's full width, in either case.
    ligne("3.x", v(99, 99, 0, "AC", 0xffff, 3), "Windows 3.x");
    ligne("95, autre lettre", v(4, 0, 1, "A"), "Windows 95");
    ligne("95 OSR2", v(4, 0, 1, QString(127, 'x') + 'c'), "Windows 95 OSR2");
    ligne("98, autre lettre", v(5, 10, 1, "C"), "Windows 98");
    ligne("98 SE", v(4, 10, 1, "xxaxx"), "Windows 98 SE");
    ligne("Me", v(4, 90, 1, "AC"), "Windows Me");
    ligne("NT 3", v(3, 0, 2), "Windows NT 3");
    ligne("NT 3.1", v(3, 1, 2), "Windows NT 3.1");
    ligne("NT 3.5", v(3, 5, 2), "Windows NT 3.5");
    ligne("NT 3.51", v(3, 51, 2), "Windows NT 3.51");
    ligne("NT 4, serveur", v(4, 99, 2, " Service Pack 3", 2, 3), "Windows NT 4");
    ligne("2000 Pro", v(5, 0, 2, "", 0x82, 1), "Windows 2000 Professional");
    ligne("2000 Advanced", v(5, 0, 2, "", 0x82, 3), "Windows 2000 Advanced Server");
    ligne("2000 DataCenter", v(5, 0, 2, "", 0x80, 3), "Windows 2000 DataCenter Server");
    ligne("2000 Server", v(5, 0, 2, "", 0x200, 3), "Windows 2000 Server");
    ligne("XP Home", v(5, 1, 2, "", 0xffff, 1), "Windows XP Home Edition");
    ligne("XP Pro", v(5, 1, 2, "", 2, 1), "Windows XP Professional");
    ligne(".NET Enterprise", v(5, 1, 2, "", 0x82, 2), "Windows .NET Enterprise Server");
    ligne(".NET Server", v(5, 1, 2, "", 0x200, 0), "Windows .NET Server");
    // No name: no record, and numbers a careless comparison would take for a known one.
    ligne("sans enregistrement", std::nullopt, "");
    ligne("9x mineure 266", v(4, 266, 1), "");
    ligne("NT 3.50", v(3, 50, 2), "");
    ligne("2000 contrôleur de domaine", v(5, 0, 2, "", 0, 2), "");
    ligne("NT 5.257", v(5, 257, 2, "", 0, 1), "");
    ligne("NT 261.1", v(261, 1, 2, "", 0, 1), "");
    ligne("plateforme 258", v(5, 1, 258, "", 0, 1), "");
}

void TestVersion::nomme()
{
    QFETCH(Rec, rec);
    QFETCH(QString, nom);
    QCOMPARE(lanceron::Version_Windows(rec), nom);
}

void TestVersion::versionProgramme()
{
    QCOMPARE(lanceron::versionProgramme(), QStringLiteral(LANCERON_VERSION_PROJET));
    QCOMPARE(lanceron::Version_Windows(), QString()); // no Unix system gives a version record
}

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
