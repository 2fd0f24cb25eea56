// The options dialog: where the four options live while the program runs, applied at once,
// written by "&Ok" only, re-read from the file whenever the dialog is loaded again.

#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "options/options.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace lanceron;

namespace {

struct Banc : test::BancMenu {
    explicit Banc(const QByteArray& contenu = {})
    {
        if (!contenu.isNull())
            test::ecrireOctets(reglages(), contenu);
        demarrer();
    }
    QByteArray fichier() const { return test::lireOctets(reglages()); }
    // Opens the dialog from the menu and lets `action` act on it while it is shown.
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

// The section OPTIONS holding the four values given, in order ("0102").
QByteArray reglages(const char* v)
{
    return QByteArray("[OPTIONS]\nRubrique=") + v[0] + "\nLogiciel=" + v[1] +
           "\nApplication=" + v[2] + "\nHotTracking=" + v[3] + "\n";
}

} // namespace

class TstOptions : public QObject {
    Q_OBJECT
private slots:
    void cocherPuisAnnuler();
    void decocherPuisAnnuler();
    void okEcritTout();
    void valeursStockees();
    void reouvertureNeDeplacePasLaFenetre();
    void libelles();
};

void TstOptions::cocherPuisAnnuler()
{
    Banc b(reglages("0000"));
    test::ecrireRubrique(b.dossier.chemin(), "R", {{"Jeu", "/opt/jeu", "Fenêtre normale", ""}});
    b.menu->Actualiser_Rubrique();
    b.menu->show();
    b.ouvrir([](Options& o) {
        o.Check1[1]->click();
        o.Check1[2]->click();
    });
    // The list keeps the look for the run; the file keeps 0; the boxes show 0 again.
    QVERIFY(b.menu->List2->GridLines());
    QVERIFY(b.fichier().contains("Logiciel=0\nApplication=0\n"));
    QCOMPARE(b.menu->option(1), qint16(0));
    // The cancelled box 2 does not reduce the window at the next launch.
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 1);
    QVERIFY(!b.menu->isMinimized());
}

void TstOptions::decocherPuisAnnuler()
{
    Banc b(reglages("1000"));
    QVERIFY(b.menu->List1->GridLines());
    bool perduAussitot = false;
    b.ouvrir([&](Options& o) {
        o.Check1[0]->click();
        perduAussitot = !b.menu->List1->GridLines();
    });
    QVERIFY(perduAussitot);
    // The next load of the dialog ticks the box again and gives the look back.
    QCOMPARE(b.menu->option(0), qint16(1));
    QVERIFY(b.menu->List1->GridLines());
}

void TstOptions::okEcritTout()
{
    Banc b(reglages("0000"));
    b.ouvrir([](Options& o) {
        o.Check1[2]->click();
        o.Check1[3]->click();
        o.Command1_Click(0);
    });
    QVERIFY(b.menu->List2->HotTracking());
    const QByteArray f = b.fichier();
    QVERIFY(f.contains("Application=1\nHotTracking=1\n[AFFICHAGE]"));
    QCOMPARE(b.menu->option(2), qint16(1));
}

void TstOptions::valeursStockees()
{
    // A stored 2 is the third state: the box is greyed, the list has no grid.
    Banc gris(reglages("2000"));
    QCOMPARE(gris.menu->options()->Check1[0]->checkState(), Qt::PartiallyChecked);
    QVERIFY(!gris.menu->List1->GridLines());
    QCOMPARE(gris.menu->option(0), qint16(2));
    // Clicks only tick and untick: the third state comes from the file alone.
    QCheckBox* box = gris.menu->options()->Check1[0];
    for (Qt::CheckState attendu : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
        box->click();
        QCOMPARE(box->checkState(), attendu);
    }
    // A stored 7 is refused, and nothing after it is read.
    Banc b(reglages("1711"));
    QVERIFY(b.menu->List1->GridLines());
    QCOMPARE(b.menu->option(1), qint16(0));
    QCOMPARE(b.menu->option(2), qint16(0));
    QVERIFY(!b.menu->List2->HotTracking());
}

void TstOptions::reouvertureNeDeplacePasLaFenetre()
{
    Banc b(reglages("0000") +
           "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\nWindows=0\n"
           "Hauteur=6000\nLargeur=10700\nPositionX=600\nPositionY=750\n");
    b.menu->show();
    b.menu->move(100, 80);
    b.menu->List1->setView(3);
    const QPoint avant = b.menu->pos();
    b.ouvrir([](Options&) {});
    b.ouvrir([](Options&) {});
    QCOMPARE(b.menu->pos(), avant);
    QCOMPARE(b.menu->List1->View(), 3);
}

void TstOptions::libelles()
{
    Banc b;
    b.menu->show();
    b.ouvrir([](Options& o) {
        // Every caption is shown whole, whatever the font.
        for (QCheckBox* box : o.Check1)
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->text()));
    });
}

QTEST_MAIN(TstOptions)
#include "tst_options.moc"
