// Long lists are laid out in batches after the first paint: a row far down is still scrolled to.

#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QtTest>

using namespace lanceron;

class TstLot : public QObject {
    Q_OBJECT
private slots:
    void defilerLoin_data()
    {
        QTest::addColumn<int>("vue");
        for (int vue : {0, 1, 2, 3})
            QTest::addRow("vue %d", vue) << vue;
    }

    void defilerLoin()
    {
        QFETCH(int, vue);
        test::BancMenu b;
        QByteArray ini = "[LOGICIEL]\nNombre=2000\n";
        for (int i = 1; i <= 2000; ++i)
            ini += "[LOGICIEL " + QByteArray::number(i) + "]\nNom=n" + QByteArray::number(i) +
                   "\nDossier=/opt/x\n";
        QDir().mkpath(b.rubriques());
        test::ecrireOctets(b.fichierRubrique(u"A"_qs), ini);
        b.demarrer();
        b.menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
        b.menu->List2->setView(vue);
        QVERIFY(b.menu->catalogue().ajouterRaccourci(u"A.ini"_qs, {u"d"_qs, u"/d"_qs, {}, {}}).fait());
        b.menu->List2->setSelectedIndex(2001);
        const QAbstractItemView* v = b.menu->List2->vueActive();
        QTRY_VERIFY(v->viewport()->rect().intersects(v->visualRect(v->model()->index(2000, 0))));
    }
};

QTEST_MAIN(TstLot)
#include "tst_lot.moc"
