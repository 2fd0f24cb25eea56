// Renaming without ever replacing a file, and deleting through the desktop's trash.

#include "platform/fichiers.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;
using Issue = ResultatRenommage::Issue;

class TstFichiers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void renommage_data();
    void renommage();
    void corbeille();
    void sansCorbeilleLeFichierEstSupprime();

private:
    test::DossierTest m_maison;
};

void TstFichiers::initTestCase()
{
    // The trash of the tests lies in their own folder.
    qputenv("HOME", QFile::encodeName(m_maison.chemin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("data")));
    QVERIFY(QDir().mkpath(m_maison.fichier("data")));
}

void TstFichiers::renommage_data()
{
    QTest::addColumn<QString>("nouveau"); // "a.ini" is renamed to it; "b.ini" exists
    QTest::addColumn<Issue>("issue");
    QTest::newRow("pris") << "b.ini" << Issue::NomPris;
    QTest::newRow("casse seule") << "A.ini" << Issue::Fait;
    QTest::newRow("même nom") << "a.ini" << Issue::Fait;
    QTest::newRow("ancien disparu") << "c.ini" << Issue::Absent; // renaming "absent.ini"
}

void TstFichiers::renommage()
{
    QFETCH(QString, nouveau);
    QFETCH(Issue, issue);
    test::DossierTest d;
    test::ecrireOctets(d.fichier("a.ini"), "ancien");
    test::ecrireOctets(d.fichier("b.ini"), "autre");
    const QString ancien = d.fichier(issue == Issue::Absent ? "absent.ini" : "a.ini");
    QCOMPARE(renommerSansRemplacer(ancien, d.fichier(nouveau)).issue, issue);
    const QString garde = issue == Issue::Fait ? nouveau : "a.ini";
    QCOMPARE(QDir(d.chemin()).entryList(QDir::Files, QDir::Name), (QStringList{garde, "b.ini"}));
    QCOMPARE(test::lireOctets(d.fichier(garde)), QByteArray("ancien"));
    QCOMPARE(test::lireOctets(d.fichier("b.ini")), QByteArray("autre"));
}

void TstFichiers::corbeille()
{
    test::DossierTest d;
    test::ecrireOctets(d.fichier("R.ini"), "[LOGICIEL]\nNombre=0\n");
    QVERIFY(mettreALaCorbeille(d.fichier("R.ini")));
    QVERIFY(!QFileInfo::exists(d.fichier("R.ini")));
    const QString corbeille = m_maison.fichier("data/Trash");
    QCOMPARE(test::lireOctets(corbeille + "/files/R.ini"), QByteArray("[LOGICIEL]\nNombre=0\n"));
    QVERIFY(QFileInfo::exists(corbeille + "/info/R.ini.trashinfo"));
    QVERIFY(!mettreALaCorbeille(d.fichier("R.ini"))); // gone already
}

void TstFichiers::sansCorbeilleLeFichierEstSupprime()
{
    test::DossierTest d;
    test::ecrireOctets(d.fichier("R.ini"), "x");
    // A data folder that does not exist: no trash can be made there.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("absent")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("trash"));
    const bool fait = mettreALaCorbeille(d.fichier("R.ini"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("data")));
    QVERIFY(fait);
    QVERIFY(!QFileInfo::exists(d.fichier("R.ini")));
    QVERIFY(!QFileInfo::exists(m_maison.fichier("absent")));
}

QTEST_GUILESS_MAIN(TstFichiers)
#include "tst_fichiers.moc"
