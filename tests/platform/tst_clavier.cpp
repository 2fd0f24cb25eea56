// The lock indicators where no X11 display exists.

#include "platform/clavier.h"

#include <QtTest>

using namespace lanceron;

class TestClavier : public QObject {
    Q_OBJECT

private slots:
    void sansAffichageX11()
    {
        // Offscreen, the X11 interface may be there with no display behind it: nothing is read.
        const auto etat = creerEtatClavier();
        QVERIFY(etat);
        QCOMPARE(etat->majuscules(), std::nullopt);
        QCOMPARE(etat->numerique(), std::nullopt);
    }
};

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
