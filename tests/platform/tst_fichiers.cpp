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
    void corbeilleFichierDisparu();
    void sansCorbeilleLeFichierEstSupprime();

private:
    test::DossierTest m_maison;
};

void TstFichiers::initTestCase()
{
    // The trash of the tests lies in their own folder, never in the user's.
    QVERIFY(m_maison.isValid());
    qputenv("HOME", QFile::encodeName(m_maison.chemin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("data")));
    QVERIFY(QDir().mkpath(m_maison.fichier("data")));
}

void TstFichiers::renommage_data()
{
    QTest::addColumn<QString>("ancien");
    QTest::addColumn<QString>("nouveau");
    QTest::addColumn<bool>("nouveauExiste");
    QTest::addColumn<int>("issue");
    QTest::addColumn<QStringList>("apres"); // the folder afterwards

    QTest::newRow("libre") << "a.ini"
                           << "b.ini" << false << int(Issue::Fait) << QStringList{"b.ini"};
    QTest::newRow("pris") << "a.ini"
                          << "b.ini" << true << int(Issue::NomPris)
                          << QStringList{"a.ini", "b.ini"};
    QTest::newRow("casse seule") << "jeux.ini"
                                 << "Jeux.ini" << false << int(Issue::Fait)
                                 << QStringList{"Jeux.ini"};
    QTest::newRow("extension seule")
        << "JEUX.INI"
        << "JEUX.ini" << false << int(Issue::Fait) << QStringList{"JEUX.ini"};
    QTest::newRow("même nom") << "a.ini"
                              << "a.ini" << false << int(Issue::Fait) << QStringList{"a.ini"};
    QTest::newRow("unicode") << "a.ini" << QString::fromUtf8("Été 🎮.ini") << false
                             << int(Issue::Fait) << QStringList{QString::fromUtf8("Été 🎮.ini")};
}

void TstFichiers::renommage()
{
    QFETCH(QString, ancien);
    QFETCH(QString, nouveau);
    QFETCH(bool, nouveauExiste);
    QFETCH(int, issue);
    QFETCH(QStringList, apres);

    test::DossierTest d;
    test::ecrireOctets(d.fichier(ancien), "contenu de l'ancien");
    if (nouveauExiste)
        test::ecrireOctets(d.fichier(nouveau), "contenu du nouveau");
    const ResultatRenommage r = renommerSansRemplacer(d.fichier(ancien), d.fichier(nouveau));
    QCOMPARE(int(r.issue), issue);
    QCOMPARE(QDir(d.chemin()).entryList(QDir::Files, QDir::Name), apres);
    QCOMPARE(test::lireOctets(d.fichier(issue == int(Issue::Fait) ? nouveau : ancien)),
             QByteArray("contenu de l'ancien"));
    if (nouveauExiste)
        QCOMPARE(test::lireOctets(d.fichier(nouveau)), QByteArray("contenu du nouveau"));
}

void TstFichiers::corbeille()
{
    test::DossierTest d;
    test::ecrireOctets(d.fichier("R.ini"), "[LOGICIEL]\nNombre=0\n");
    QVERIFY(mettreALaCorbeille(d.fichier("R.ini")));
    QVERIFY(!QFileInfo::exists(d.fichier("R.ini")));
    const QString corbeille = m_maison.fichier("data/Trash");
    const QStringList jetes = QDir(corbeille + "/files").entryList(QDir::Files);
    QVERIFY(jetes.contains("R.ini"));
    QCOMPARE(test::lireOctets(corbeille + "/files/R.ini"), QByteArray("[LOGICIEL]\nNombre=0\n"));
    QVERIFY(QFileInfo::exists(corbeille + "/info/R.ini.trashinfo"));
}

void TstFichiers::corbeilleFichierDisparu()
{
    test::DossierTest d;
    QVERIFY(!mettreALaCorbeille(d.fichier("absent.ini")));
    const ResultatRenommage r = renommerSansRemplacer(d.fichier("absent.ini"), d.fichier("b.ini"));
    QCOMPARE(r.issue, Issue::Absent);
    QVERIFY(!QFileInfo::exists(d.fichier("b.ini")));
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
