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
    void selectionConserveeEntreLesModes();
    void retraitDeLaLigneSelectionnee_data();
    void retraitDeLaLigneSelectionnee();
    void activation();
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
    QCOMPARE(l->SelectedIndex(), 0);
    QCOMPARE(l->Add("a", 1), 1);
    QCOMPARE(l->SelectedIndex(), 1); // the first row added is selected
    QCOMPARE(l->Add("b", 1, {"x", "y", "z"}), 2);
    QCOMPARE(l->SelectedIndex(), 1);
    QCOMPARE(l->Item(2).sousElements.value(2), QStringLiteral("z"));
    l->remplacer({{"c", {}, 0, {}}, {"d", {}, 0, {}}, {"e", {}, 0, {}}});
    QCOMPARE(l->Count(), 3);
    QCOMPARE(l->SelectedIndex(), 1);
    // A click on empty space leaves the selected row selected.
    l->setSelectedIndex(2);
    l->selection()->clearSelection();
    QCOMPARE(l->SelectedIndex(), 2);
}

void TstListeVue::selectionConserveeEntreLesModes()
{
    QWidget w;
    ListeVue* l = liste(w, 5);
    w.show();
    l->setSelectedIndex(4);
    // Every mode is entered from another one, then an out-of-range mode is refused.
    for (int mode : {3, 1, 0, 2, 3}) {
        QVERIFY(l->setView(mode));
        QCOMPARE(l->View(), mode);
        QCOMPARE(l->SelectedIndex(), 4);
        QCOMPARE(l->vueActive()->selectionModel(), l->selection());
        QCOMPARE(l->vueActive()->currentIndex().row(), 3);
        QVERIFY(l->vueActive()->isVisible());
    }
    QVERIFY(!l->setView(4));
    QVERIFY(!l->setView(-1));
    QCOMPARE(l->View(), 3);
    // The details mode draws the grid on demand.
    auto* details = qobject_cast<QTableView*>(l->vueActive());
    QVERIFY(details && !details->showGrid());
    l->setGridLines(true);
    QVERIFY(details->showGrid());
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
    QCOMPARE(l->SelectedIndex(), attendue);
    QCOMPARE(l->Item(attendue).texte, suivante);
}

void TstListeVue::activation()
{
    QWidget w;
    ListeVue* l = liste(w, 2);
    ListeVue* vide = liste(w, 0);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy activation(l, &ListeVue::activation);
    QTest::keyClick(l->vueActive(), Qt::Key_Return);
    QCOMPARE(activation.count(), 1);
    l->setView(3);
    auto* v = l->vueActive();
    const QRect r = v->visualRect(v->model()->index(1, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(activation.count(), 2);
    QCOMPARE(l->SelectedIndex(), 2);
    // An empty list starts nothing on Enter.
    QSignalSpy rien(vide, &ListeVue::activation);
    QTest::keyClick(vide->vueActive(), Qt::Key_Enter);
    QCOMPARE(rien.count(), 0);
}

void TstListeVue::menuAuClavier()
{
    QWidget w;
    ListeVue* l = liste(w, 3);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    l->setView(3);
    l->setSelectedIndex(3);
    QSignalSpy menu(l, &ListeVue::menuContextuel);
    auto* v = l->vueActive();
    // The window system turns the menu key into a keyboard context-menu request.
    QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(0, 0), v->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(v, &e);
    QTest::keyClick(v, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(menu.count(), 2);
    // Either way the menu opens at the selected row, not at the corner of the list.
    const QRect ligne = v->visualRect(v->model()->index(2, 0));
    for (const QList<QVariant>& signal : std::as_const(menu))
        QVERIFY(ligne.contains(v->viewport()->mapFromGlobal(signal.first().toPoint())));
}

QTEST_MAIN(TstListeVue)
#include "tst_liste_vue.moc"
