#include <QImage>
#include <QtTest>

// The PNG renderings installed in the hicolor icon theme.
class TestIcone : public QObject {
    Q_OBJECT

private slots:
    void rendus();
};

void TestIcone::rendus()
{
    for (int taille : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image(
            QStringLiteral(LANCERON_DOSSIER_ICONES "/%1x%1/lanceron.png").arg(taille));
        QCOMPARE(image.size(), QSize(taille, taille));
        // A rounded tile: transparent corner, opaque middle.
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(taille / 2, taille / 2).alpha(), 255);
    }
}

QTEST_GUILESS_MAIN(TestIcone)
#include "tst_icone.moc"
