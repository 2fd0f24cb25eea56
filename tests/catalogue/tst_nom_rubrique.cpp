// Which typed names can name a rubrique file.

#include "catalogue/nom_rubrique.h"

#include <QtTest>

using namespace lanceron;

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

    QTest::newRow("simple") << "Jeux"
                            << "";
    QTest::newRow("blancs en tête et en fin") << "  Jeux  "
                                              << "";
    QTest::newRow("unicode") << QString::fromUtf8("Été — 日本語 🎮 ∑") << "";
    QTest::newRow("point en tête") << ".Cachée"
                                   << "";
    QTest::newRow("trois points") << "..."
                                  << "";
    QTest::newRow("caractères interdits sous Windows") << "a:b*c?\"<>|"
                                                       << "";
    QTest::newRow("251 octets") << QString(251, 'a') << "";
    QTest::newRow("125 lettres accentuées") << QString(125, QChar(0xE9)) << "";

    QTest::newRow("barre oblique") << "a/b"
                                   << "« / »";
    QTest::newRow("barre oblique inverse") << "a\\b"
                                           << "« / »";
    QTest::newRow("point") << "."
                           << "« . »";
    QTest::newRow("deux points") << ".."
                                 << "« . »";
    QTest::newRow("retour chariot") << "a\rb"
                                    << "contrôle";
    QTest::newRow("saut de ligne") << "a\n"
                                   << "contrôle";
    QTest::newRow("tabulation") << "\ta"
                                << "contrôle";
    QTest::newRow("nul") << QString(QChar(0)) + "a"
                         << "contrôle";
    QTest::newRow("contrôle C1") << QString(QChar(0x85)) << "contrôle";
    QTest::newRow("espaces seuls") << "   "
                                   << "espaces";
    QTest::newRow("espace insécable seule") << QString(QChar(0xA0)) << "espaces";
    QTest::newRow("252 octets") << QString(252, 'a') << "trop long";
    QTest::newRow("126 lettres accentuées") << QString(126, QChar(0xE9)) << "trop long";
    QTest::newRow("10000 caractères") << QString(10000, QChar(0x65E5)) << "trop long";
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
