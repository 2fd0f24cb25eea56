#include <QImage>
#include <QtTest>

// The PNG renderings installed in the hicolor icon theme.
class TestIcone : public QObject {
    Q_OBJECT

private slots:
    void rendu_data();
    void rendu();
};

void TestIcone::rendu_data()
{
    QTest::addColumn<int>("taille");
    for (int taille : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(taille))) << taille;
}

void TestIcone::rendu()
{
    QFETCH(int, taille);
    const QString chemin =
        QStringLiteral(LANCERON_DOSSIER_ICONES "/%1x%1/lanceron.png").arg(taille);
    const QImage image(chemin);
    QVERIFY2(!image.isNull(), qPrintable(chemin));
    QCOMPARE(image.size(), QSize(taille, taille));
    QVERIFY(image.hasAlphaChannel());
    // A rounded tile: transparent corner, opaque middle.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(taille / 2, taille / 2).alpha(), 255);
}

QTEST_GUILESS_MAIN(TestIcone)
#include "tst_icone.moc"
