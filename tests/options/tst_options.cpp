// The options dialog: where the four options live while the program runs, applied at once,
// written by "&Ok" only, re-read from the file whenever the dialog is loaded again.

#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "options/options.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace lanceron;

namespace {

// A main window started on a settings file holding the four options given, in order ("0102").
struct Banc : test::BancMenu {
    explicit Banc(const char* v, const QByteArray& suite = {})
    {
        test::ecrireOctets(reglages(), QByteArray("[OPTIONS]\nRubrique=") + v[0] +
                                           "\nLogiciel=" + v[1] + "\nApplication=" + v[2] +
                                           "\nHotTracking=" + v[3] + "\n" + suite);
        demarrer();
    }
    // Opens the dialog from the menu, lets `action` act on it while it is shown, then cancels.
    void ouvrir(const std::function<void(Options&)>& action)
    {
        QTimer::singleShot(0, menu.get(), [this, action] {
            QPointer<Options> o = menu->findChild<Options*>();
            QVERIFY(o && o->isVisible());
            action(*o);
            if (o && o->isVisible())
                o->Command1_Click(1);
        });
        menu->Afficher_Options();
    }
};

} // namespace

class TstOptions : public QObject {
    Q_OBJECT
private slots:
    void annulerPuisOk()
    {
        Banc b("1000", "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\n"
                       "Windows=0\nHauteur=6000\nLargeur=10700\nPositionX=600\nPositionY=750\n");
        test::ecrireRubrique(b.dossier.chemin(), "R", {{"Jeu", "/opt/jeu", "Fenêtre normale", ""}});
        b.menu->Actualiser_Rubrique();
        b.menu->show();
        // Loading the dialog again never moves the window nor changes its views.
        b.menu->move(100, 80);
        b.menu->List1->setView(3);
        const QPoint avant = b.menu->pos();
        bool perduAussitot = false;
        b.ouvrir([&](Options& o) {
            // Every caption is shown whole, whatever the font.
            for (QCheckBox* box : o.Check1)
                QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->text()));
            o.Check1[0]->click();
            perduAussitot = !b.menu->List1->GridLines();
            o.Check1[1]->click();
            o.Check1[2]->click();
        });
        QVERIFY(perduAussitot);
        // The file keeps its values. The next load of the dialog ticks box 0 again and gives
        // its look back; the list keeps the look of box 1 for the run, its box shows 0 again.
        QCOMPARE(b.menu->option(0), qint16(1));
        QCOMPARE(b.menu->option(1), qint16(0));
        QVERIFY(b.menu->List1->GridLines());
        QVERIFY(b.menu->List2->GridLines());
        QVERIFY(test::lireOctets(b.reglages()).contains("Logiciel=0\nApplication=0\n"));
        // The cancelled box 2 does not reduce the window at the next launch.
        b.menu->List2_DblClick();
        QCOMPARE(b.services.shell.lancements.size(), 1);
        QVERIFY(!b.menu->isMinimized());
        // "&Ok" writes them all.
        b.ouvrir([](Options& o) {
            o.Check1[2]->click();
            o.Check1[3]->click();
            o.Command1_Click(0);
        });
        QVERIFY(b.menu->List2->HotTracking());
        QVERIFY(test::lireOctets(b.reglages()).contains("Application=1\nHotTracking=1\n[AFF"));
        QCOMPARE(b.menu->pos(), avant);
        QCOMPARE(b.menu->List1->View(), 3);
    }

    void valeursStockees()
    {
        // A stored 2 is the third state: the box is greyed, the list has no grid.
        Banc gris("2000");
        QCheckBox* box = gris.menu->options()->Check1[0];
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        QVERIFY(!gris.menu->List1->GridLines());
        // Clicks only tick and untick: the third state comes from the file alone.
        for (Qt::CheckState attendu : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            box->click();
            QCOMPARE(box->checkState(), attendu);
        }
        // A stored 7 is refused, and nothing after it is read.
        Banc b("1711");
        QCOMPARE(b.menu->option(1), qint16(0));
        QCOMPARE(b.menu->option(2), qint16(0));
    }
};

QTEST_MAIN(TstOptions)
#include "tst_options.moc"
