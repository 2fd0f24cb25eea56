// The commands of the main window: the menu bar as designed, the empty-list guards, the view
// modes, the pane layout and the keyboard.

#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/twips.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>
#include <QtTest>

using namespace lanceron;

namespace {

struct Banc : test::BancMenu {
    QStringList fenetres; // titles of the modal windows and pop-up menus that opened

    // No rubrique when `raccourcis` is negative, else one rubrique holding that many shortcuts.
    explicit Banc(int raccourcis = -1, const QByteArray& contenu = {})
    {
        if (!contenu.isEmpty())
            test::ecrireOctets(reglages(), contenu);
        QList<QStringList> liste;
        for (int i = 1; i <= raccourcis; ++i)
            liste << QStringList{QStringLiteral("L%1").arg(i), QStringLiteral("/opt/l%1").arg(i),
                                 "Fenêtre normale", ""};
        if (raccourcis >= 0)
            test::ecrireRubrique(dossier.chemin(), "R", liste);
        demarrer();
    }

    // Runs `commande`; any modal window or pop-up it opens is noted and closed.
    void executer(const std::function<void()>& commande)
    {
        QTimer veille;
        veille.setInterval(20);
        QObject::connect(&veille, &QTimer::timeout, [this] {
            if (QWidget* p = QApplication::activePopupWidget()) {
                auto* m = qobject_cast<QMenu*>(p);
                fenetres << QStringLiteral("popup:") +
                                (m && m->defaultAction() ? m->defaultAction()->text() : QString());
                p->close();
            } else if (QWidget* m = QApplication::activeModalWidget()) {
                fenetres << m->windowTitle();
                m->close();
            }
        });
        veille.start();
        commande();
        QTest::qWait(60);
    }

    QStringList effets() const
    {
        QStringList r = fenetres;
        for (const auto& a : services.prompts.appels)
            r << a.sorte + QLatin1Char(':') + a.titre;
        for (const QString& p : services.shell.proprietesDemandees)
            r << QStringLiteral("proprietes:") + p;
        return r;
    }
};

// Captions in order, "-" for a separator, a submenu's items in brackets.
QString decrire(const QList<QAction*>& items)
{
    QStringList r;
    for (QAction* a : items)
        r << (a->isSeparator() ? QStringLiteral("-")
              : a->menu()      ? a->text() + " [" + decrire(a->menu()->actions()) + "]"
                               : a->text());
    return r.join(" | ");
}

const QByteArray OptionsNeutres =
    "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n";

} // namespace

class TstCommandes : public QObject {
    Q_OBJECT
private slots:
    void barreDeMenus();
    void gardes_data();
    void gardes();
    void modesDAffichage();
    void disposition();
    void raccourcisClavier_data();
    void raccourcisClavier();
    void couleursDesMenus();
};

void TstCommandes::barreDeMenus()
{
    Banc b;
    QStringList menus;
    for (QAction* a : b.menu->menuBar()->actions())
        menus << a->text() + ": " + decrire(a->menu()->actions());
    const QString modes = "[Grandes icônes | Petites icônes | Liste | Détails]";
    QCOMPARE(menus, (QStringList{"Fichier: Importer les applications installées… | "
                                 "Exporter une rubrique | - | Quitter",
                                 "Rubrique: Ajouter une rubrique | Modifier une rubrique | - | "
                                 "Supprimer une rubrique",
                                 "Logiciel: Ajouter un logiciel | - | Modifier un raccourci | "
                                 "Supprimer de la liste | Déplacer vers la rubrique… | - | "
                                 "Propriétés",
                                 "Affichage: Rubrique " + modes + " | Logiciel " + modes +
                                     " | - | Actualiser les listes | - | Options",
                                 "Aide: Visitez le site web | - | A propos    "}));
    // The arrays the commands are reached through are the menus' own items.
    QList<QAction*> logiciel = b.menu->Mnu_Dossier->actions();
    logiciel.removeOne(b.menu->Mnu_Deplacer);
    QCOMPARE(logiciel, b.menu->Mnu_OutLog);
    QCOMPARE(b.menu->Mnu_OutAffichage[1]->menu()->actions(), b.menu->Mnu_AffDoss_Ico);
}

void TstCommandes::gardes_data()
{
    // A menu array, a toolbar (buttons from 1) or a list's pop-up menu, then the index.
    QTest::addColumn<QString>("commande");
    QTest::addColumn<int>("raccourcis"); // -1: no rubrique
    QTest::addColumn<bool>("agit");
    for (const char* c :
         {"Fich:0", "Rub:1", "Rub:3", "Log:0", "Barre1:3", "Barre1:5", "Barre2:2", "Liste2:0"}) {
        QTest::addRow("%s sans rubrique", c) << c << -1 << false;
        QTest::addRow("%s avec rubrique", c) << c << 0 << true;
    }
    for (const char* c : {"Log:2", "Log:3", "Log:5", "Barre2:4", "Barre2:5", "Barre2:7"}) {
        QTest::addRow("%s sans raccourci", c) << c << 0 << false;
        QTest::addRow("%s avec raccourci", c) << c << 2 << true;
    }
    QTest::addRow("Rub:0 toujours") << "Rub:0" << -1 << true;
    QTest::addRow("Barre1:2 toujours") << "Barre1:2" << -1 << true;
}

void TstCommandes::gardes()
{
    QFETCH(QString, commande);
    QFETCH(int, raccourcis);
    QFETCH(bool, agit);
    Banc b(raccourcis);
    const QString tableau = commande.section(':', 0, 0);
    const int i = commande.section(':', 1).toInt();
    Menu& m = *b.menu;
    b.executer([&] {
        if (tableau == "Liste2")
            return m.List2_MouseDown(QPoint(10, 10));
        QAction* action = tableau == "Barre1"   ? m.Toolbar1_Buttons[i - 1]
                          : tableau == "Barre2" ? m.Toolbar2_Buttons[i - 1]
                          : tableau == "Fich"   ? m.Mnu_OutFich[i]
                          : tableau == "Rub"    ? m.Mnu_OutRub[i]
                                                : m.Mnu_OutLog[i];
        action->trigger();
    });
    const QStringList effets = b.effets();
    QVERIFY2(agit != effets.isEmpty(), qPrintable(effets.join(QLatin1String(" | "))));
}

void TstCommandes::modesDAffichage()
{
    Banc b(1, OptionsNeutres + "[AFFICHAGE]\nSplitter1=3170\nRubrique=2\nLogiciel=3\n");
    auto coches = [](const QList<QAction*>& items) {
        QList<int> r;
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->isChecked())
                r << i;
        return r;
    };
    QCOMPARE(b.menu->List1->View(), 2);
    QCOMPARE(coches(b.menu->Mnu_AffRub_Ico), QList<int>{2});
    QCOMPARE(coches(b.menu->Mnu_AffDoss_Ico), QList<int>{3});
    b.menu->Mnu_AffDoss_Ico[1]->trigger();
    QCOMPARE(b.menu->List2->View(), 1);
    QCOMPARE(coches(b.menu->Mnu_AffDoss_Ico), QList<int>{1});
    b.menu->Mnu_AffDoss_Ico[1]->trigger(); // the mode already in force stays the only one
    QCOMPARE(coches(b.menu->Mnu_AffDoss_Ico), QList<int>{1});
    QCOMPARE(coches(b.menu->Mnu_AffRub_Ico), QList<int>{2});
}

void TstCommandes::disposition()
{
    Banc b(1, OptionsNeutres +
                  "[AFFICHAGE]\nSplitter1=3600\nRubrique=0\nLogiciel=3\n[DIVERS]\n"
                  "Windows=0\nHauteur=7000\nLargeur=12000\nPositionX=600\nPositionY=600\n");
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QTRY_COMPARE(b.menu->Splitter1->sizes().value(0), pixels(3600));
    // The first column takes what the other columns leave, whatever the window's width.
    for (int largeur : {900, 1200}) {
        b.menu->resize(largeur, 500);
        QTRY_COMPARE(b.menu->List2->largeurColonne(0), b.menu->List2->width() - pixels(4800));
        QCOMPARE(b.menu->List1->largeurColonne(0), b.menu->List1->width() - pixels(350));
    }
}

void TstCommandes::raccourcisClavier_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("modificateurs");
    QTest::addColumn<QString>("effet");
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << "A propos de...";
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << "Péférences";
    QTest::newRow("F3") << int(Qt::Key_F3) << int(Qt::NoModifier) << "proprietes:/opt/l1";
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "fermee";
}

void TstCommandes::raccourcisClavier()
{
    QFETCH(int, touche);
    QFETCH(int, modificateurs);
    QFETCH(QString, effet);
    Banc b(1);
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
    b.executer([&] {
        QTest::keyClick(b.menu->List2->vueActive(), Qt::Key(touche),
                        Qt::KeyboardModifiers(modificateurs));
    });
    QStringList effets = b.effets();
    if (!b.menu->isVisible())
        effets << "fermee";
    QCOMPARE(effets, QStringList{effet});
}

void TstCommandes::couleursDesMenus()
{
    // Ordinary items on the item colour with a white border, the menu's own background white
    // around them, no frame of another colour.
    Banc b;
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

QTEST_MAIN(TstCommandes)
#include "tst_commandes.moc"
