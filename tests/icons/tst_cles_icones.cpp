#include "icons/cles_icones.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;

class TstClesIcones : public QObject {
    Q_OBJECT

private slots:
    void extension_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("cle");

        QTest::newRow("casse gardee") << u"C:\\Jeux\\Lanceur.Bat"_s << u"Bat"_s << u"BATID"_s;
        QTest::newRow("derniere seule") << u"/tmp/archive.tar.gz"_s << u"gz"_s << u"GZID"_s;
        QTest::newRow("point dans un dossier") << u"C:\\Prog.v2/outil"_s << u""_s << u"ID"_s;
        QTest::newRow("fichier cache") << u"/home/u/.bashrc"_s << u""_s << u"ID"_s;
        QTest::newRow("cache avec extension") << u"/u/.config.bak"_s << u"bak"_s << u"BAKID"_s;
        QTest::newRow("point final") << u"C:\\bizarre."_s << u""_s << u"ID"_s;
        QTest::newRow("accents") << u"/tmp/fenêtre.exé"_s << u"exé"_s << u"EXÉID"_s;
        QTest::newRow("4000 caracteres")
            << u"/tmp/"_s + QString(4000, u'a') + u".exe"_s << u"exe"_s << u"EXEID"_s;
    }

    void extension()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, extension);
        QFETCH(QString, cle);
        QCOMPARE(Extension_Fichier(chemin), extension);
        QCOMPARE(Cle_Icone_Associee(chemin), cle);
    }
};

QTEST_GUILESS_MAIN(TstClesIcones)
#include "tst_cles_icones.moc"
