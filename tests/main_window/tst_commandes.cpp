// The commands of the main window: the menu bar as designed, the empty-list guards (menu,
// toolbar and pop-up alike), the view modes, the menu pictures and the pane layout.

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
#include <QToolBar>
#include <QtTest>

using namespace lanceron;

namespace {

struct Banc : test::BancMenu {
    QStringList fenetres; // titles of the modal windows and pop-up menus that opened

    explicit Banc(int rubriques = 0, int raccourcis = 0, const QByteArray& contenu = {})
    {
        if (!contenu.isEmpty())
            test::ecrireOctets(reglages(), contenu);
        for (int r = 1; r <= rubriques; ++r) {
            QList<QStringList> liste;
            for (int i = 1; i <= (r == 1 ? raccourcis : 0); ++i)
                liste << QStringList{QStringLiteral("L%1").arg(i), QStringLiteral("/opt/l%1").arg(i),
                                     "Fenêtre normale", ""};
            test::ecrireRubrique(dossier.chemin(), QStringLiteral("R%1").arg(r), liste);
        }
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
        for (const QString& p : services.shell.adresses)
            r << QStringLiteral("adresse:") + p;
        return r;
    }
};

QStringList legendes(const QList<QAction*>& items)
{
    QStringList r;
    for (QAction* a : items)
        r << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return r;
}

} // namespace

class TstCommandes : public QObject {
    Q_OBJECT
private slots:
    void barreDeMenus();
    void raccourcisClavier();
    void gardes_data();
    void gardes();
    void separateursDesBarres();
    void boutonsDesBarres();
    void menusSurgissants();
    void modesDAffichage();
    void imagesDesMenus();
    void dispositionDesVolets();
    void positionDuSplitterConservee();
    void touchesDeFonction_data();
    void touchesDeFonction();
    void menusAuClavier();
};

void TstCommandes::barreDeMenus()
{
    Banc b;
    QStringList titres;
    for (QAction* a : b.menu->menuBar()->actions())
        titres << a->text();
    QCOMPARE(titres, (QStringList{"Fichier", "Rubrique", "Logiciel", "Affichage", "Aide"}));
    QCOMPARE(legendes(b.menu->Mnu_OutFich),
             (QStringList{"Exporter une rubrique", "-", "Quitter"}));
    QCOMPARE(legendes(b.menu->Mnu_OutRub),
             (QStringList{"Ajouter une rubrique", "Modifier une rubrique", "-",
                          "Supprimer une rubrique"}));
    QCOMPARE(legendes(b.menu->Mnu_OutLog),
             (QStringList{"Ajouter un logiciel", "-", "Modifier un raccourci",
                          "Supprimer de la liste", "-", "Propriétés"}));
    QCOMPARE(legendes(b.menu->Mnu_OutAffichage),
             (QStringList{"Rubrique", "Logiciel", "-", "Actualiser les listes", "-", "Options"}));
    QCOMPARE(legendes(b.menu->Mnu_OutAide),
             (QStringList{"Visitez le site web", "-", "A propos    "}));
    const QStringList modes{"Grandes icônes", "Petites icônes", "Liste", "Détails"};
    QCOMPARE(legendes(b.menu->Mnu_AffRub_Ico), modes);
    QCOMPARE(legendes(b.menu->Mnu_AffDoss_Ico), modes);
    QCOMPARE(b.menu->Mnu_OutAffichage[0]->menu()->actions(), b.menu->Mnu_AffRub_Ico);
    QCOMPARE(b.menu->Mnu_OutAffichage[1]->menu()->actions(), b.menu->Mnu_AffDoss_Ico);
    // The menu arrays are the menus' own items, in order.
    QCOMPARE(b.menu->Mnu_Fichier->actions(), b.menu->Mnu_OutFich);
    QCOMPARE(b.menu->Mnu_Dossier->actions(), b.menu->Mnu_OutLog);
    QCOMPARE(b.menu->Mnu_Affichage->actions(), b.menu->Mnu_OutAffichage);
}

void TstCommandes::raccourcisClavier()
{
    Banc b;
    QCOMPARE(b.menu->Mnu_OutFich[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(b.menu->Mnu_OutLog[5]->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(b.menu->Mnu_OutAffichage[5]->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(b.menu->Mnu_OutAide[2]->shortcut(), QKeySequence(Qt::Key_F1));
    int avecRaccourci = 0;
    for (QAction* a : b.menu->findChildren<QAction*>())
        avecRaccourci += !a->shortcut().isEmpty();
    QCOMPARE(avecRaccourci, 4);
}

void TstCommandes::gardes_data()
{
    QTest::addColumn<QString>("source"); // "menu" or "barre"
    QTest::addColumn<QString>("tableau");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rubriques");
    QTest::addColumn<int>("raccourcis");
    QTest::addColumn<bool>("agit");

    struct Cas {
        const char* nom;
        const char* tableau;
        int index;
        int bouton; // toolbar button, 0 when none
    };
    const Cas rubriques[] = {{"exporter", "Fich", 0, 0},
                             {"modifier rubrique", "Rub", 1, 3},
                             {"supprimer rubrique", "Rub", 3, 5},
                             {"ajouter logiciel", "Log", 0, 2}};
    const Cas logiciels[] = {{"modifier raccourci", "Log", 2, 4},
                             {"supprimer raccourci", "Log", 3, 5},
                             {"proprietes", "Log", 5, 7}};
    for (const Cas& c : rubriques) {
        QTest::addRow("menu %s sans rubrique", c.nom) << "menu" << c.tableau << c.index << 0 << 0 << false;
        QTest::addRow("menu %s avec rubrique", c.nom) << "menu" << c.tableau << c.index << 1 << 0 << true;
        if (c.bouton) {
            QTest::addRow("barre %s sans rubrique", c.nom) << "barre" << c.tableau << c.bouton << 0 << 0 << false;
            QTest::addRow("barre %s avec rubrique", c.nom) << "barre" << c.tableau << c.bouton << 1 << 0 << true;
        }
    }
    for (const Cas& c : logiciels) {
        QTest::addRow("menu %s sans raccourci", c.nom) << "menu" << c.tableau << c.index << 1 << 0 << false;
        QTest::addRow("menu %s avec raccourci", c.nom) << "menu" << c.tableau << c.index << 1 << 2 << true;
        QTest::addRow("barre %s sans raccourci", c.nom) << "barre" << c.tableau << c.bouton << 1 << 0 << false;
        QTest::addRow("barre %s avec raccourci", c.nom) << "barre" << c.tableau << c.bouton << 1 << 2 << true;
    }
    QTest::addRow("ajouter rubrique toujours") << "menu" << "Rub" << 0 << 0 << 0 << true;
    QTest::addRow("barre ajouter rubrique toujours") << "barre" << "Rub" << 2 << 0 << 0 << true;
}

void TstCommandes::gardes()
{
    QFETCH(QString, source);
    QFETCH(QString, tableau);
    QFETCH(int, index);
    QFETCH(int, rubriques);
    QFETCH(int, raccourcis);
    QFETCH(bool, agit);
    Banc b(rubriques, raccourcis);
    b.executer([&] {
        if (source == QLatin1String("barre")) {
            const auto& boutons = tableau == QLatin1String("Rub") ? b.menu->Toolbar1_Buttons
                                                                   : b.menu->Toolbar2_Buttons;
            boutons[index - 1]->trigger();
        } else {
            const auto& items = tableau == QLatin1String("Fich") ? b.menu->Mnu_OutFich
                                : tableau == QLatin1String("Rub") ? b.menu->Mnu_OutRub
                                                                  : b.menu->Mnu_OutLog;
            items[index]->trigger();
        }
    });
    const QStringList effets = b.effets();
    QVERIFY2(agit != effets.isEmpty(), qPrintable(effets.join(QLatin1String(" | "))));
}

void TstCommandes::separateursDesBarres()
{
    Banc b(1, 2);
    const QList<int> sep1{1, 4, 6}, sep2{1, 3, 6, 8};
    QCOMPARE(b.menu->Toolbar1_Buttons.size(), 6);
    QCOMPARE(b.menu->Toolbar2_Buttons.size(), 8);
    for (int i : sep1)
        QVERIFY(b.menu->Toolbar1_Buttons[i - 1]->isSeparator());
    for (int i : sep2)
        QVERIFY(b.menu->Toolbar2_Buttons[i - 1]->isSeparator());
    b.executer([&] {
        for (int i : sep1)
            b.menu->Toolbar1_ButtonClick(i);
        for (int i : sep2)
            b.menu->Toolbar2_ButtonClick(i);
    });
    QCOMPARE(b.effets(), QStringList{});
}

void TstCommandes::boutonsDesBarres()
{
    Banc b;
    auto decrire = [](const QList<QAction*>& boutons) {
        QStringList r;
        for (QAction* a : boutons)
            r << (a->isSeparator() ? QStringLiteral("-")
                                   : a->objectName() + QLatin1Char('/') + a->toolTip());
        return r;
    };
    QCOMPARE(decrire(b.menu->Toolbar1_Buttons),
             (QStringList{"-", "Ajouter/Ajouter une rubrique", "Modifier/Modifier une rubrique", "-",
                          "Supprimer/Supprimer une rubrique", "-"}));
    QCOMPARE(decrire(b.menu->Toolbar2_Buttons),
             (QStringList{"-", "Ajouter/Ajouter un logiciel", "-", "Modifier/Modifier un raccourci",
                          "Supprimer/Supprimer de la liste", "-",
                          "Propriétés/Afficher les propriétés", "-"}));
    // Buttons share their pictures with the matching menu items.
    QCOMPARE(b.menu->Toolbar2_Buttons[3]->icon().cacheKey(), b.menu->IcoBarre[2].cacheKey());
    QCOMPARE(b.menu->Toolbar1_Buttons[2]->icon().cacheKey(), b.menu->IcoBarre[2].cacheKey());
}

void TstCommandes::menusSurgissants()
{
    Banc vide;
    vide.executer([&] { vide.menu->List2_MouseDown(QPoint(10, 10)); });
    QCOMPARE(vide.effets(), QStringList{}); // no rubrique: no menu on the shortcut list

    // Each list's menu opens with its first item as the default item.
    Banc b(1);
    b.executer([&] { b.menu->List2_MouseDown(QPoint(10, 10)); });
    b.executer([&] { b.menu->List1_MouseDown(QPoint(10, 10)); });
    QCOMPARE(b.fenetres,
             (QStringList{"popup:Ajouter un logiciel", "popup:Ajouter une rubrique"}));
    QVERIFY(!b.menu->Mnu_Dossier->defaultAction()); // the menu bar keeps no default item
    QVERIFY(!b.menu->Mnu_Rubrique->defaultAction());
}

void TstCommandes::modesDAffichage()
{
    Banc b(1, 1,
           "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n[AFFICHAGE]\n"
           "Splitter1=3170\nRubrique=2\nLogiciel=3\n");
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

void TstCommandes::imagesDesMenus()
{
    Banc b;
    QCOMPARE(b.menu->IcoBarre.size(), 11);
    for (const QIcon& i : b.menu->IcoBarre)
        QVERIFY(!i.isNull());
    QCOMPARE(b.menu->Mnu_OutRub[1]->icon().cacheKey(), b.menu->Mnu_OutLog[2]->icon().cacheKey());
    QCOMPARE(b.menu->Mnu_OutRub[3]->icon().cacheKey(), b.menu->Mnu_OutLog[3]->icon().cacheKey());
    QCOMPARE(b.menu->Mnu_OutFich[0]->icon().cacheKey(), b.menu->IcoBarre[8].cacheKey());
    QCOMPARE(b.menu->Mnu_OutAide[2]->icon().cacheKey(), b.menu->IcoBarre[9].cacheKey());
    QVERIFY(b.menu->Mnu_OutFich[1]->icon().isNull());
    QVERIFY(b.menu->Mnu_OutAffichage[3]->icon().isNull());
    QVERIFY(b.menu->Mnu_AffRub_Ico[0]->icon().isNull());
    int avecImage = 0;
    for (QAction* a : b.menu->findChildren<QAction*>())
        avecImage += !a->icon().isNull() && !a->menu() &&
                     a->parent() != b.menu->Toolbar1 && a->parent() != b.menu->Toolbar2 &&
                     !b.menu->Toolbar1_Buttons.contains(a) && !b.menu->Toolbar2_Buttons.contains(a);
    QCOMPARE(avecImage, 12);
}

void TstCommandes::dispositionDesVolets()
{
    Banc b(1, 1);
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QCOMPARE(b.menu->PictureA->minimumWidth(), pixels(2900));
    QCOMPARE(b.menu->PictureB->minimumWidth(), pixels(6150));
    b.menu->Mnu_AffDoss_Ico[3]->trigger();
    for (int largeur : {900, 1200}) {
        b.menu->resize(largeur, 500);
        QTRY_COMPARE(b.menu->List2->largeurColonne(0), b.menu->List2->width() - pixels(4800));
        QCOMPARE(b.menu->List1->largeurColonne(0), b.menu->List1->width() - pixels(350));
        QCOMPARE(b.menu->List2->largeurColonne(1), pixels(3000));
        QCOMPARE(b.menu->List2->largeurColonne(2), pixels(1440));
        QCOMPARE(b.menu->List2->largeurColonne(3), 0);
    }
    // The bar cannot make a pane narrower than its minimum.
    b.menu->Splitter1->setSizes({10, 2000});
    QVERIFY(b.menu->PictureA->width() >= pixels(2900));
}

void TstCommandes::positionDuSplitterConservee()
{
    const QByteArray reglages = "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                                "[AFFICHAGE]\nSplitter1=3600\nRubrique=0\nLogiciel=0\n"
                                "[DIVERS]\nWindows=0\nHauteur=7000\nLargeur=12000\n"
                                "PositionX=600\nPositionY=600\n";
    Banc b(1, 0, reglages);
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QTRY_COMPARE(b.menu->Splitter1->sizes().value(0), pixels(3600));
    b.menu->Splitter1->setSizes({pixels(4200), 2000});
    b.menu->close();
    const QByteArray ecrit = test::lireOctets(b.dossier.fichier("Lanceron.ini"));
    QVERIFY2(ecrit.contains("Splitter1=4200\n"), ecrit.constData());
}

void TstCommandes::touchesDeFonction_data()
{
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("modificateurs");
    QTest::addColumn<QString>("effet");
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << "A propos de...";
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << "Péférences";
    QTest::newRow("F3") << int(Qt::Key_F3) << int(Qt::NoModifier) << "proprietes:/opt/l1";
}

void TstCommandes::touchesDeFonction()
{
    QFETCH(int, touche);
    QFETCH(int, modificateurs);
    QFETCH(QString, effet);
    Banc b(1, 1);
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
    b.executer([&] {
        QTest::keyClick(b.menu->List2->vueActive(), Qt::Key(touche),
                        Qt::KeyboardModifiers(modificateurs));
    });
    QCOMPARE(b.effets(), QStringList{effet});
}

void TstCommandes::menusAuClavier()
{
    Banc b(1, 1);
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_F10);
    QTRY_COMPARE(b.menu->menuBar()->activeAction(), b.menu->Mnu_Fichier->menuAction());
    QTest::keyClick(b.menu->menuBar(), Qt::Key_Escape);

    // Ctrl+Q closes the window through the normal shutdown, which writes the settings.
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!b.menu->isVisible());
    QVERIFY(QFileInfo::exists(b.dossier.fichier("Lanceron.ini")));
}

QTEST_MAIN(TstCommandes)
#include "tst_commandes.moc"
