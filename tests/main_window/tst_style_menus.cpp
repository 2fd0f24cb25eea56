// The menus' colours: ordinary items on the item colour with a white border, the menu's own
// background white around them, no frame of another colour.

#include "main_window/menu.h"
#include "testsupport.h"

#include <QMenu>
#include <QtTest>

using namespace lanceron;

class TstStyleMenus : public QObject {
    Q_OBJECT
private slots:
    void couleurs()
    {
        test::BancMenu b;
        b.demarrer();
        QMenu* menu = b.menu->Mnu_Fichier;
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage image = menu->grab().toImage();
        const QRect item = menu->actionGeometry(b.menu->Mnu_OutFich[2]); // "Quitter"
        const auto couleur = [&](int x, int y) { return image.pixelColor(x, y).name(); };
        QCOMPARE(couleur(0, 0), QStringLiteral("#ffffff"));
        QCOMPARE(couleur(image.width() - 1, image.height() - 1), QStringLiteral("#ffffff"));
        QCOMPARE(couleur(item.right() - 3, item.center().y()), QStringLiteral("#c0c0ff"));
        QCOMPARE(couleur(item.right(), item.center().y()), QStringLiteral("#ffffff"));
        menu->close();
    }
};

QTEST_MAIN(TstStyleMenus)
#include "tst_style_menus.moc"
