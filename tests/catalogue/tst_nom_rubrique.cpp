// Which typed names can name a rubrique file.

#include "catalogue/nom_rubrique.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;

class TstNomRubrique : public QObject {
    Q_OBJECT
private slots:
    void nom_data();
    void nom();
};

void TstNomRubrique::nom_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("motDuRefus"); // "" when the name is accepted

    QTest::newRow("blancs en tête et en fin") << u"  Jeux  "_s << QString();
    QTest::newRow("unicode, caractères interdits sous Windows")
        << u"Été — 日本語 🎮 a:b*c?\"<>|"_s << QString();
    QTest::newRow("trois points") << u"..."_s << QString();
    QTest::newRow("251 octets") << QString(251, u'a') << QString();

    QTest::newRow("barre oblique") << u"../a"_s << u"« / »"_s;
    QTest::newRow("barre oblique inverse") << u"a\\b"_s << u"« / »"_s;
    QTest::newRow("deux points") << u".."_s << u"« . »"_s;
    QTest::newRow("saut de ligne") << u"a\n"_s << u"contrôle"_s;
    QTest::newRow("contrôle C1") << QString(QChar(0x85)) << u"contrôle"_s;
    QTest::newRow("espaces seuls") << u"  \u00A0"_s << u"espaces"_s;
    QTest::newRow("252 octets") << QString(252, u'a') << u"trop long"_s;
    QTest::newRow("126 lettres accentuées") << QString(126, u'é') << u"trop long"_s;
}

void TstNomRubrique::nom()
{
    QFETCH(QString, nom);
    QFETCH(QString, motDuRefus);
    const QString refus = refusNomRubrique(nom);
    if (motDuRefus.isEmpty())
        QCOMPARE(refus, QString());
    else
        QVERIFY2(refus.contains(motDuRefus), qPrintable(refus));
}

QTEST_GUILESS_MAIN(TstNomRubrique)
#include "tst_nom_rubrique.moc"
