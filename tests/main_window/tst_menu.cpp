// The main window with its two lists: start-up, the shortcut list following the rubrique list
// whatever moves it, the list views, launching and the window's place.

#include "edition/logiciel.h"
#include "icons/ico_fichier.h"
#include "main_window/barre_etat.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/twips.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

using namespace lanceron;

namespace {

using Banc = test::BancMenu;

// Settings holding every key up to the window's state and geometry, which follow.
QByteArray reglagesFenetre(const char* divers)
{
    return QByteArray("[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                      "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\n") +
           divers;
}

// Rubrique A holds a1, a2; rubrique B holds b1, b2, b3.
void demarrerAB(Banc& b)
{
    test::ecrireRubrique(b.dossier.chemin(), "A",
                         {{"a1", "/opt/propre/a1", "F", ""}, {"a2", "/opt/propre/a2", "F", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "B",
                         {{"b1", "/opt/b1", "F", ""}, {"b2", "/opt/b2", "F", ""},
                          {"b3", "/opt/b3", "F", ""}});
    b.demarrer();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
}

QPoint centreDeLigne(ListeVue* l, int i)
{
    auto* v = l->vueActive();
    return v->visualRect(v->model()->index(i - 1, 0)).center();
}

} // namespace

class TstMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void premierDemarrage();
    void laListeSuitLaRubrique_data();
    void laListeSuitLaRubrique();
    void actualiserLesListesGardeLaRubrique();
    void vuesEtSelection();
    void survolSansDefilement();
    void texteImmenseBorne();
    void geometrieHorsEcranIgnoree();
    void fenetreMaximisee();
    void splitterGardeApresReduction();
};

void TstMenu::premierDemarrage()
{
    Banc b;
    b.demarrer();
    QCOMPARE(b.menu->windowTitle(), QStringLiteral("Lanceron"));
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Lanceron - Une application en trois clics de souris"));
    QVERIFY(QFileInfo(b.rubriques()).isDir());
    QCOMPARE(b.menu->List1->Count() + b.menu->List2->Count(), 0);
    // What a screen reader announces, and a column wide enough for its longest word.
    QCOMPARE(b.menu->List1->vueActive()->accessibleName(), QStringLiteral("Liste des rubriques"));
    QCOMPARE(b.menu->List2->vueActive()->accessibleName(),
             QStringLiteral("Liste des logiciels de la rubrique"));
    QCOMPARE(b.menu->Toolbar2->widgetForAction(b.menu->Toolbar2_Buttons[6])->accessibleName(),
             QStringLiteral("Afficher les propriétés"));
    QVERIFY(b.menu->List2->largeurColonne(2) >
            b.menu->List2->fontMetrics().horizontalAdvance(QStringLiteral("Fenêtre normale")));
}

void TstMenu::laListeSuitLaRubrique_data()
{
    QTest::addColumn<QString>("geste");
    for (const char* g : {"bouton du milieu", "bouton précédent", "bouton droit", "clavier",
                          "flèche", "Ctrl+flèche", "programme"})
        QTest::newRow(g) << QString::fromUtf8(g);
}

void TstMenu::laListeSuitLaRubrique()
{
    QFETCH(QString, geste);
    Banc b;
    demarrerAB(b);
    ListeVue* l1 = b.menu->List1;
    const QByteArray fichierA = test::lireOctets(b.fichierRubrique("A"));
    const QByteArray fichierB = test::lireOctets(b.fichierRubrique("B"));
    // The menu opened by the right button is closed at once.
    QTimer fermeMenu;
    QObject::connect(&fermeMenu, &QTimer::timeout, [] {
        if (QWidget* p = QApplication::activePopupWidget())
            p->close();
    });
    fermeMenu.start(10);
    const int lectures = b.menu->catalogue().lectures();

    auto* zone = l1->vueActive()->viewport();
    if (geste == "bouton du milieu")
        QTest::mouseClick(zone, Qt::MiddleButton, {}, centreDeLigne(l1, 2));
    else if (geste == "bouton précédent")
        QTest::mouseClick(zone, Qt::BackButton, {}, centreDeLigne(l1, 2));
    else if (geste == "bouton droit")
        QTest::mouseClick(zone, Qt::RightButton, {}, centreDeLigne(l1, 2));
    else if (geste == "clavier")
        QTest::keyClick(l1->vueActive(), Qt::Key_End);
    else if (geste == "flèche")
        QTest::keyClick(l1->vueActive(), Qt::Key_Right);
    else if (geste == "Ctrl+flèche")
        QTest::keyClick(l1->vueActive(), Qt::Key_Right, Qt::ControlModifier);
    else
        l1->selection()->setCurrentIndex(l1->modele()->index(1, 0),
                                         QItemSelectionModel::ClearAndSelect);
    QTRY_COMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("B"));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"b1", "b2", "b3"}));
    QCOMPARE(b.menu->catalogue().lectures(), lectures + 1); // one read of B, none of A
    QCOMPARE(b.menu->List2->texte(3, 1), QStringLiteral("/opt/b3"));
    // Each program's icon is stored once: going back to A adds no image.
    b.menu->raccourcis().terminerIcones();
    const int images = b.menu->icones().nombre();
    l1->setSelectedIndex(1);
    b.menu->raccourcis().terminerIcones();
    QCOMPARE(b.menu->icones().nombre(), images);
    QVERIFY(b.menu->raccourcis().image(0) != b.menu->raccourcis().image(1));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"a1", "a2"}));
    l1->setSelectedIndex(2);
    QCOMPARE(b.menu->rubriqueAffichee(), QStringLiteral("B.ini"));
    QCOMPARE(test::lireOctets(b.fichierRubrique("B")), fichierB);

    // Deleting the first shortcut shown deletes B's first, and touches A not at all.
    b.services.prompts.reponses << Reponse::Oui;
    Supprimer_Logiciel(*b.menu);
    QCOMPARE(b.services.prompts.appels.last().titre, QStringLiteral("Suppression du raccourci 'b1'"));
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("B")).size(), 2);
    QCOMPARE(test::lireOctets(b.fichierRubrique("A")), fichierA);
}

void TstMenu::actualiserLesListesGardeLaRubrique()
{
    Banc b;
    demarrerAB(b);
    b.menu->List1->setSelectedIndex(2);
    test::ecrireRubrique(b.dossier.chemin(), "0", {}); // listed first once the folder is read
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"0", "A", "B"}));
    QCOMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("B"));
    QCOMPARE(b.menu->List2->Count(), 3);

    // The rubrique shown vanished: the shortcuts shown are the new selection's.
    QFile::remove(b.fichierRubrique("B"));
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("0"));
    QCOMPARE(b.menu->rubriqueAffichee(), QStringLiteral("0.ini"));
    QCOMPARE(b.menu->List2->Count(), 0);
    // Every rubrique gone: nothing is shown, and nothing can be added.
    QDir(b.rubriques()).removeRecursively();
    QDir().mkpath(b.rubriques());
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(b.menu->List2->Count() + b.menu->List1->Count(), 0);
    QVERIFY(b.menu->rubriqueAffichee().isEmpty());
}

void TstMenu::vuesEtSelection()
{
    Banc b;
    test::ecrireOctets(b.reglages(),
                       "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=1\nHotTracking=0\n");
    QList<QStringList> cinq;
    for (int i = 1; i <= 5; ++i)
        cinq << QStringList{QStringLiteral("l%1").arg(i), QStringLiteral("/opt/l%1").arg(i), "F", ""};
    cinq[1] = QStringList{"l2", "/opt/mon prog", "Réduite", "--x \"a b\""};
    cinq[4][0] = QStringLiteral("un nom bien plus long que les autres");
    test::ecrireRubrique(b.dossier.chemin(), "R", cinq);
    b.demarrer();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    ListeVue* l = b.menu->List2;
    l->setSelectedIndex(4);
    // Every mode is entered from another one, then an out-of-range mode is refused.
    for (int mode : {3, 1, 0, 2, 3}) {
        QVERIFY(l->setView(mode));
        // Large icons and the list mode size each row by its own name, never cut to the first.
        auto* v = l->vueActive();
        const int longue = v->visualRect(v->model()->index(4, 0)).width();
        if (mode == 0)
            QVERIFY(longue > v->visualRect(v->model()->index(0, 0)).width());
        if (mode == 2)
            QVERIFY(longue > v->fontMetrics().horizontalAdvance(l->texte(5)));
        QCOMPARE(l->SelectedIndex(), 4);
        QCOMPARE(l->vueActive()->currentIndex().row(), 3);
        QVERIFY(l->vueActive()->isVisible());
    }
    QVERIFY(!l->setView(4));
    QCOMPARE(l->View(), 3);
    auto* details = qobject_cast<QTableView*>(l->vueActive());
    QVERIFY(details && !details->showGrid());
    l->setGridLines(true);
    QVERIFY(details->showGrid());
    // A click on empty space leaves the selected row selected.
    l->selection()->clearSelection();
    QCOMPARE(l->SelectedIndex(), 4);

    // Enter and a double-click start the selected row's program in its window state, and the
    // window is minimised first, as the option asks.
    QTest::keyClick(l->vueActive(), Qt::Key_Return);
    QTest::mouseClick(l->vueActive()->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QTest::mouseDClick(l->vueActive()->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QCOMPARE(b.services.shell.lancements.size(), 2);
    const auto lance = b.services.shell.lancements.last();
    QCOMPARE(lance.programme + '|' + lance.commande, QStringLiteral("/opt/mon prog|--x \"a b\""));
    QCOMPARE(lance.affichage, Affichage::Reduite);
    QVERIFY(b.menu->windowState() & Qt::WindowMinimized);
    // A failure is told in the status bar, without a message box.
    b.services.shell.resultat = {false, QStringLiteral("fichier introuvable")};
    b.menu->List2_DblClick();
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Impossible de lancer « l2 » : fichier introuvable"));
    QVERIFY(b.services.prompts.appels.isEmpty());
    b.menu->showNormal();

    // The keyboard's menu opens at the selected row, not at the corner of the list.
    QTimer fermeMenu;
    QObject::connect(&fermeMenu, &QTimer::timeout, [] {
        if (QWidget* p = QApplication::activePopupWidget())
            p->close();
    });
    fermeMenu.start(10);
    QSignalSpy menu(l, &ListeVue::menuContextuel);
    auto* v = l->vueActive();
    QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(0, 0), v->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(v, &e);
    QTest::keyClick(v, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(menu.count(), 2);
    for (const QList<QVariant>& signal : std::as_const(menu))
        QVERIFY(v->visualRect(v->model()->index(1, 0))
                    .contains(v->viewport()->mapFromGlobal(signal.first().toPoint())));
}

void TstMenu::survolSansDefilement()
{
    Banc b;
    QList<QStringList> lignes;
    for (int i = 1; i <= 200; ++i)
        lignes << QStringList{QStringLiteral("ligne %1").arg(i), "/opt/x", "F", ""};
    test::ecrireRubrique(b.dossier.chemin(), "R", lignes);
    b.demarrer();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    ListeVue* l = b.menu->List2;
    l->setView(3);
    l->setHotTracking(true);
    auto* v = l->vueActive();
    // The pointer on the half-visible bottom row: it becomes the selection, nothing scrolls.
    const QPoint bas(20, v->viewport()->height() - 2);
    const int avant = v->verticalScrollBar()->value();
    for (int i = 0; i < 10; ++i) {
        QMouseEvent e(QEvent::MouseMove, bas + QPoint(i, 0), v->viewport()->mapToGlobal(bas),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &e);
    }
    QTRY_COMPARE(l->SelectedIndex(), v->indexAt(bas).row() + 1);
    QCOMPARE(v->verticalScrollBar()->value(), avant);
}

void TstMenu::texteImmenseBorne()
{
    Banc b;
    const QString immense(2'000'000, QLatin1Char('n'));
    test::ecrireRubrique(b.dossier.chemin(), "R", {{immense, "/opt/x", "F", ""}});
    b.demarrer();
    // The list shows the beginning of the name; the catalogue keeps it whole.
    const QString montre = b.menu->List2->modele()->index(0, 0).data().toString();
    QCOMPARE(montre.size(), ModeleListe::LongueurAffichee);
    QVERIFY(montre.endsWith(QChar(0x2026)));
    QCOMPARE(b.menu->List2->texte(1), immense);
}

void TstMenu::geometrieHorsEcranIgnoree()
{
    Banc centre;
    centre.demarrer();
    // The monitor that held the window is gone: the size is applied, the position is not.
    Banc b;
    test::ecrireOctets(b.reglages(), reglagesFenetre("Windows=0\nHauteur=7200\nLargeur=11100\n"
                                                     "PositionX=-60000\nPositionY=90000\n"));
    b.demarrer();
    QCOMPARE(b.menu->pos(), centre.menu->pos());
    QCOMPARE(b.menu->size(), QSize(740, 480));
}

void TstMenu::fenetreMaximisee()
{
    Banc b;
    const char* divers = "Windows=2\nHauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n";
    test::ecrireOctets(b.reglages(), reglagesFenetre(divers));
    b.demarrer();
    b.menu->show();
    QTRY_VERIFY(b.menu->isMaximized());
    b.menu->close();
    QVERIFY(test::lireOctets(b.reglages()).contains(divers));
}

void TstMenu::splitterGardeApresReduction()
{
    Banc b;
    test::ecrireOctets(b.reglages(), reglagesFenetre("Windows=0\nHauteur=7200\nLargeur=13000\n"
                                                     "PositionX=600\nPositionY=600\n"));
    b.demarrer();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QTRY_COMPARE(b.menu->Splitter1->sizes().value(0), pixels(3170));
    // The user moves the bar, then the window is hidden and shown again (a minimise).
    b.menu->Splitter1->setSizes({pixels(4200), 400});
    b.menu->hide();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QCOMPARE(b.menu->Splitter1->sizes().value(0), pixels(4200));
    b.menu->close();
    QVERIFY(test::lireOctets(b.reglages()).contains("Splitter1=4200\n"));
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
