// The list-view component: numbering, the selection kept across the four modes, one selected
// row whenever the list is not empty, and the signals the main window relies on.

#include "main_window/liste_vue.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace lanceron;

class TstListeVue : public QObject {
    Q_OBJECT
private slots:
    void numerotationEtPremiereSelection();
    void selectionConserveeEntreLesModes_data();
    void selectionConserveeEntreLesModes();
    void modeRefuseHorsPlage();
    void selectionToujoursPresente();
    void retraitDeLaLigneSelectionnee_data();
    void retraitDeLaLigneSelectionnee();
    void entreeEtDoubleClicActivent();
    void touchesSignalentUnClic();
    void grilleEtSuivi();
    void menuAuClavier_data();
    void menuAuClavier();
};

static ListeVue* liste(QWidget& parent, int lignes)
{
    auto* l = new ListeVue({"Nom", "Dossier", "Exécuter", "Commande"}, &parent);
    for (int i = 1; i <= lignes; ++i)
        l->Add(QStringLiteral("ligne %1").arg(i), 1, {QStringLiteral("/p/%1").arg(i), "F", ""});
    return l;
}

void TstListeVue::numerotationEtPremiereSelection()
{
    QWidget w;
    ListeVue* l = liste(w, 0);
    QCOMPARE(l->Count(), 0);
    QCOMPARE(l->SelectedIndex(), 0);
    QCOMPARE(l->Add("a", 1), 1);
    QCOMPARE(l->SelectedIndex(), 1); // the first row added is selected
    QCOMPARE(l->Add("b", 1, {"x", "y", "z"}), 2);
    QCOMPARE(l->SelectedIndex(), 1);
    QCOMPARE(l->Item(2).texte, QStringLiteral("b"));
    QCOMPARE(l->Item(2).sousElements.value(2), QStringLiteral("z"));
    l->remplacer({{"c", {}, 0, {}}, {"d", {}, 0, {}}});
    QCOMPARE(l->Count(), 2);
    QCOMPARE(l->SelectedIndex(), 1);
}

void TstListeVue::selectionConserveeEntreLesModes_data()
{
    QTest::addColumn<int>("de");
    QTest::addColumn<int>("vers");
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            QTest::addRow("%d vers %d", a, b) << a << b;
}

void TstListeVue::selectionConserveeEntreLesModes()
{
    QFETCH(int, de);
    QFETCH(int, vers);
    QWidget w;
    ListeVue* l = liste(w, 5);
    w.show();
    QVERIFY(l->setView(de));
    l->setSelectedIndex(4);
    QVERIFY(l->setView(vers));
    QCOMPARE(l->View(), vers);
    QCOMPARE(l->SelectedIndex(), 4);
    QCOMPARE(l->vueActive()->selectionModel(), l->selection());
    QCOMPARE(l->vueActive()->currentIndex().row(), 3);
    QVERIFY(l->vueActive()->isVisible());
}

void TstListeVue::modeRefuseHorsPlage()
{
    QWidget w;
    ListeVue* l = liste(w, 1);
    QVERIFY(l->setView(2));
    QVERIFY(!l->setView(4));
    QVERIFY(!l->setView(-1));
    QCOMPARE(l->View(), 2);
}

void TstListeVue::selectionToujoursPresente()
{
    QWidget w;
    ListeVue* l = liste(w, 3);
    l->setSelectedIndex(2);
    l->selection()->clearSelection(); // as a click on empty space would
    QCOMPARE(l->SelectedIndex(), 2);
}

void TstListeVue::retraitDeLaLigneSelectionnee_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<int>("retiree");
    QTest::addColumn<int>("attendue");
    QTest::newRow("milieu") << 2 << 2 << 2;
    QTest::newRow("derniere") << 3 << 3 << 2;
    QTest::newRow("une autre") << 3 << 1 << 2;
}

void TstListeVue::retraitDeLaLigneSelectionnee()
{
    QFETCH(int, selection);
    QFETCH(int, retiree);
    QFETCH(int, attendue);
    QWidget w;
    ListeVue* l = liste(w, 3);
    l->setSelectedIndex(selection);
    const QString suivante = l->Item(attendue < retiree ? attendue : attendue + 1).texte;
    l->Remove(retiree);
    QCOMPARE(l->Count(), 2);
    QCOMPARE(l->SelectedIndex(), attendue);
    QCOMPARE(l->Item(attendue).texte, suivante);
}

void TstListeVue::entreeEtDoubleClicActivent()
{
    QWidget w;
    ListeVue* l = liste(w, 2);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy activation(l, &ListeVue::activation);
    QTest::keyClick(l->vueActive(), Qt::Key_Return);
    QCOMPARE(activation.count(), 1);
    QTest::keyClick(l->vueActive(), Qt::Key_A);
    QCOMPARE(activation.count(), 1);
    l->setView(3);
    auto* v = l->vueActive();
    const QRect r = v->visualRect(v->model()->index(1, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(activation.count(), 2);
    QCOMPARE(l->SelectedIndex(), 2);

    // An empty list starts nothing on Enter.
    ListeVue* vide = liste(w, 0);
    QSignalSpy rien(vide, &ListeVue::activation);
    QTest::keyClick(vide->vueActive(), Qt::Key_Enter);
    QCOMPARE(rien.count(), 0);
}

void TstListeVue::touchesSignalentUnClic()
{
    QWidget w;
    ListeVue* l = liste(w, 3);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    l->setView(3);
    l->vueActive()->setFocus();
    QSignalSpy clic(l, &ListeVue::clic);
    QTest::keyClick(l->vueActive(), Qt::Key_Down);
    // Key down and key up each report, the key down once the selection has moved.
    QTRY_COMPARE(clic.count(), 2);
    QCOMPARE(l->SelectedIndex(), 2);
}

void TstListeVue::grilleEtSuivi()
{
    QWidget w;
    ListeVue* l = liste(w, 2);
    l->setView(3);
    auto* details = qobject_cast<QTableView*>(l->vueActive());
    QVERIFY(details);
    QVERIFY(!details->showGrid());
    l->setGridLines(true);
    QVERIFY(details->showGrid());
    QVERIFY(l->GridLines());
    l->setHotTracking(true);
    QVERIFY(l->HotTracking());
    l->setHotTracking(false);
    QVERIFY(!l->HotTracking());
}

void TstListeVue::menuAuClavier_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("modificateurs");
    QTest::newRow("touche menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("maj F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TstListeVue::menuAuClavier()
{
    QFETCH(int, touche);
    QFETCH(int, modificateurs);
    QWidget w;
    ListeVue* l = liste(w, 3);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    l->setView(3);
    l->setSelectedIndex(3);
    QSignalSpy menu(l, &ListeVue::menuContextuel);
    auto* v = l->vueActive();
    if (touche == Qt::Key_Menu) {
        // The window system turns the menu key into a keyboard context-menu request.
        QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(0, 0), v->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(v, &e);
    } else {
        QTest::keyClick(v, Qt::Key(touche), Qt::KeyboardModifiers(modificateurs));
    }
    QCOMPARE(menu.count(), 1);
    // The menu opens at the selected row, not at the corner of the list.
    const QRect ligne = v->visualRect(v->model()->index(2, 0));
    const QPoint ou = v->viewport()->mapFromGlobal(menu.first().first().toPoint());
    QVERIFY2(ligne.contains(ou), qPrintable(QStringLiteral("%1,%2").arg(ou.x()).arg(ou.y())));
}

QTEST_MAIN(TstListeVue)
#include "tst_liste_vue.moc"
