// The main window: start-up, the menu bar and its guards, the shortcut list following the
// rubrique list whatever moves it, the list views, launching and the window's place.

#include "edition/logiciel.h"
#include "main_window/accueil.h"
#include "main_window/barre_etat.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/twips.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

using namespace lanceron;

namespace {

using Banc = test::BancMenu;

// Starts the window shown over the rubriques given, each a name then its shortcuts' names
// (programs "/opt/propre/<name>"), after writing `reglages` as the settings when not empty.
void demarrer(Banc& b, const QList<QStringList>& rubriques, const QByteArray& reglages = {})
{
    if (!reglages.isEmpty())
        test::ecrireOctets(b.reglages(), reglages);
    for (const QStringList& r : rubriques) {
        QList<QStringList> raccourcis;
        for (const QString& nom : r.mid(1))
            raccourcis << QStringList{nom, "/opt/propre/" + nom, "F", ""};
        test::ecrireRubrique(b.dossier.chemin(), r[0], raccourcis);
    }
    b.demarrer();
    b.menu->show();
    b.menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
}

// Settings with the views given ("Splitter1=…\nRubrique=…\nLogiciel=…\n"), then `divers`.
QByteArray reglages(const char* affichage, const char* divers = "")
{
    return QByteArray("[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=1\nHotTracking=0\n"
                      "[AFFICHAGE]\n") +
           affichage + "[DIVERS]\n" + divers;
}

// Runs `commande`, closing any modal window or pop-up menu it opens. What the user saw: the
// titles of those windows ("menu" for a pop-up), the prompts, the properties shown.
QStringList effets(Banc& b, const std::function<void()>& commande)
{
    QStringList r;
    QTimer veille;
    QObject::connect(&veille, &QTimer::timeout, [&r] {
        QWidget* w = QApplication::activePopupWidget();
        if (w || (w = QApplication::activeModalWidget())) {
            r << (w->isModal() ? w->windowTitle() : QStringLiteral("menu"));
            w->close();
        }
    });
    veille.start(10);
    commande();
    QTest::qWait(40);
    for (const auto& a : b.services.prompts.appels)
        r << a.sorte + QLatin1Char(':') + a.titre;
    for (const QString& p : b.services.shell.proprietesDemandees)
        r << QStringLiteral("proprietes:") + p;
    return r;
}

// The indexes of the checked items.
QList<int> coches(const QList<QAction*>& items)
{
    QList<int> r;
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            r << i;
    return r;
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
    void premierDemarrage_data();
    void premierDemarrage();
    void gardes_data();
    void gardes();
    void laListeSuitLaRubrique_data();
    void laListeSuitLaRubrique();
    void vuesEtSelection();
    void placeDeLaFenetre();
};

void TstMenu::premierDemarrage_data()
{
    QTest::addColumn<QString>("saisie"); // typed after "Créer" on the welcome page
    QTest::addColumn<QStringList>("rubriques");
    QTest::newRow("rien") << QString() << QStringList{};
    QTest::newRow("creer") << "Jeux" << QStringList{"Jeux"};
}

void TstMenu::premierDemarrage()
{
    QFETCH(QString, saisie);
    QFETCH(QStringList, rubriques);
    Banc b;
    b.services.prompts.saisies << saisie;
    b.demarrer();
    // Nothing asked, nothing created: the welcome page stands in for the shortcut list.
    QVERIFY(b.services.prompts.appels.isEmpty());
    QVERIFY(QFileInfo(b.rubriques()).isDir() && QDir(b.rubriques()).isEmpty());
    QVERIFY(!b.menu->PageAccueil->isHidden() && b.menu->List2->isHidden());
    if (!saisie.isNull())
        b.menu->findChild<QPushButton*>("AccueilCreer")->click();
    QCOMPARE(Banc::textes(b.menu->List1), rubriques);
    QCOMPARE(b.menu->PageAccueil->isHidden(), !rubriques.isEmpty());
    QCOMPARE(b.menu->List2->isHidden(), rubriques.isEmpty());
    // What a screen reader announces, and a column wide enough for its longest word.
    QCOMPARE(b.menu->List1->vueActive()->accessibleName(), QStringLiteral("Liste des rubriques"));
    QVERIFY(b.menu->List2->largeurColonne(2) >
            b.menu->List2->fontMetrics().horizontalAdvance(QStringLiteral("Fenêtre normale")));
    // The menu bar as designed, and its items on the item colour with a white border, the
    // menu's background white around them.
    QStringList textes;
    for (QAction* menu : b.menu->menuBar()->actions()) {
        textes << menu->text() + ":";
        for (QAction* a : menu->menu()->actions()) {
            textes << (a->isSeparator() ? "-" : a->text());
            for (QAction* mode : a->menu() ? a->menu()->actions() : QList<QAction*>())
                textes << mode->text();
        }
    }
    QCOMPARE(textes.join(" | "),
             "Fichier: | Importer les applications installées… | Exporter une rubrique | - | "
             "Quitter | Rubrique: | Ajouter une rubrique | Modifier une rubrique | - | Supprimer "
             "une rubrique | Logiciel: | Ajouter un logiciel | - | Modifier un raccourci | "
             "Supprimer de la liste | Déplacer vers la rubrique… | - | Propriétés | Affichage: | "
             "Rubrique | Grandes icônes | Petites icônes | Liste | Détails | Logiciel | Grandes "
             "icônes | Petites icônes | Liste | Détails | - | Actualiser les listes | - | Options "
             "| Aide: | Visitez le site web | - | A propos    ");
    QMenu* menu = b.menu->Mnu_Fichier;
    menu->popup({});
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage i = menu->grab().toImage();
    const QRect q = menu->actionGeometry(b.menu->Mnu_OutFich[2]); // "Quitter"
    QCOMPARE(
        (QStringList{i.pixelColor(0, 0).name(), i.pixelColor(q.right() - 3, q.center().y()).name(),
                     i.pixelColor(q.right(), q.center().y()).name(),
                     i.pixelColor(i.width() - 1, i.height() - 1).name()}),
        (QStringList{"#ffffff", "#c0c0ff", "#ffffff", "#ffffff"}));
}

void TstMenu::gardes_data()
{
    // A menu array, a toolbar (buttons from 1), List2's pop-up menu or a key, then the index;
    // what the user sees ("*" anything, "" nothing).
    QTest::addColumn<QString>("commande");
    QTest::addColumn<QList<QStringList>>("rubriques");
    QTest::addColumn<QString>("effet");
    const QList<QStringList> aucune, vide{{"R"}}, pleine{{"R", "l1", "l2"}};
    for (const char* c :
         {"Fich:0", "Rub:1", "Rub:3", "Log:0", "Barre1:3", "Barre1:5", "Barre2:2", "Liste2:0"}) {
        QTest::addRow("%s sans rubrique", c) << c << aucune << "";
        QTest::addRow("%s avec rubrique", c) << c << vide << "*";
    }
    for (const char* c : {"Log:2", "Log:3", "Log:5", "Barre2:4", "Barre2:5", "Barre2:7"}) {
        QTest::addRow("%s sans raccourci", c) << c << vide << "";
        QTest::addRow("%s avec raccourci", c) << c << pleine << "*";
    }
    QTest::addRow("Rub:0 toujours") << "Rub:0" << aucune << "*";
    QTest::addRow("Barre1:2 toujours") << "Barre1:2" << aucune << "*";
    for (const auto& [touche, effet] : {std::pair{"F1", "A propos de..."},
                                        {"F2", "Péférences"},
                                        {"F3", "proprietes:/opt/propre/l1"},
                                        {"Ctrl+Q", "fermee"}})
        QTest::addRow("Touche:%s", touche) << "Touche:" + QString(touche) << pleine << effet;
}

void TstMenu::gardes()
{
    QFETCH(QString, commande);
    QFETCH(QList<QStringList>, rubriques);
    QFETCH(QString, effet);
    Banc b;
    demarrer(b, rubriques);
    const QString tableau = commande.section(':', 0, 0);
    const int i = commande.section(':', 1).toInt();
    Menu& m = *b.menu;
    QStringList vus = effets(b, [&] {
        if (tableau == "Liste2")
            return m.List2_MouseDown(QPoint(10, 10));
        if (tableau == "Touche")
            return QTest::keySequence(m.List2->vueActive(), QKeySequence(commande.mid(7)));
        QAction* action = tableau == "Barre1"   ? m.Toolbar1_Buttons[i - 1]
                          : tableau == "Barre2" ? m.Toolbar2_Buttons[i - 1]
                          : tableau == "Fich"   ? m.Mnu_OutFich[i]
                          : tableau == "Rub"    ? m.Mnu_OutRub[i]
                                                : m.Mnu_OutLog[i];
        action->trigger();
    });
    if (!m.isVisible())
        vus << "fermee";
    QVERIFY2(effet == "*" ? !vus.isEmpty() : vus.join(" | ") == effet, qPrintable(vus.join(" | ")));
}

void TstMenu::laListeSuitLaRubrique_data()
{
    QTest::addColumn<int>("bouton"); // a click on B's row with this button, or
    QTest::addColumn<int>("touche"); // this key in the list, or neither: the program moves it
    QTest::addColumn<int>("modificateurs");
    QTest::newRow("bouton du milieu") << int(Qt::MiddleButton) << 0 << 0;
    QTest::newRow("bouton précédent") << int(Qt::BackButton) << 0 << 0;
    QTest::newRow("bouton droit") << int(Qt::RightButton) << 0 << 0;
    QTest::newRow("Fin") << 0 << int(Qt::Key_End) << 0;
    QTest::newRow("flèche") << 0 << int(Qt::Key_Right) << 0;
    QTest::newRow("Ctrl+flèche") << 0 << int(Qt::Key_Right) << int(Qt::ControlModifier);
    QTest::newRow("programme") << 0 << 0 << 0;
}

void TstMenu::laListeSuitLaRubrique()
{
    QFETCH(int, bouton);
    QFETCH(int, touche);
    QFETCH(int, modificateurs);
    Banc b;
    demarrer(b, {{"A", "a1", "a2"}, {"B", "b1", "b2", "b3"}});
    ListeVue* l1 = b.menu->List1;
    const QByteArray fichierA = test::lireOctets(b.fichierRubrique("A"));
    const int lectures = b.menu->catalogue().lectures();
    effets(b, [&] {
        if (bouton)
            QTest::mouseClick(l1->vueActive()->viewport(), Qt::MouseButton(bouton), {},
                              centreDeLigne(l1, 2));
        else if (touche)
            QTest::keyClick(l1->vueActive(), Qt::Key(touche), Qt::KeyboardModifiers(modificateurs));
        else
            l1->selection()->setCurrentIndex(l1->modele()->index(1, 0),
                                             QItemSelectionModel::ClearAndSelect);
    });
    QTRY_COMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("B"));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"b1", "b2", "b3"}));
    QCOMPARE(b.menu->catalogue().lectures(), lectures + 1); // one read of B, none of A
    // Deleting the first shortcut shown deletes B's first, and touches A not at all.
    b.services.prompts.reponses << Reponse::Oui;
    Supprimer_Logiciel(*b.menu);
    QCOMPARE(b.services.prompts.appels.last().titre, "Suppression du raccourci 'b1'");
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("B")).size(), 2);
    QCOMPARE(test::lireOctets(b.fichierRubrique("A")), fichierA);

    // "Actualiser les listes" keeps the rubrique selected.
    test::ecrireRubrique(b.dossier.chemin(), "0", {}); // listed first once the folder is read
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(Banc::textes(b.menu->List1), (QStringList{"0", "A", "B"}));
    QCOMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("B"));
    QCOMPARE(b.menu->List2->Count(), 2);
    // The rubrique shown vanished: the shortcuts shown are the new selection's.
    QFile::remove(b.fichierRubrique("B"));
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(b.menu->rubriqueAffichee(), QStringLiteral("0.ini"));
    QCOMPARE(b.menu->List2->Count(), 0);
}

void TstMenu::vuesEtSelection()
{
    Banc b;
    const QString immense(2'000'000, QLatin1Char('n'));
    QStringList r{"R", "l1", "l2", "l3", "l4", "un nom bien plus long que les autres", immense};
    for (int i = 7; i <= 200; ++i)
        r << QStringLiteral("ligne %1").arg(i);
    demarrer(b, {r}, reglages("Splitter1=3170\nRubrique=2\nLogiciel=3\n"));
    QCOMPARE(coches(b.menu->Mnu_AffRub_Ico), QList<int>{2});
    ListeVue* l = b.menu->List2;
    // The list shows the beginning of a huge name; the catalogue keeps it whole.
    const QString montre = l->modele()->index(5, 0).data().toString();
    QCOMPARE(montre.size(), ModeleListe::LongueurAffichee);
    QVERIFY(montre.endsWith(QChar(0x2026)) && l->texte(6) == immense);
    // Every mode is entered from another one, the selection kept, its menu item alone checked.
    l->setSelectedIndex(4);
    for (int mode : {3, 1, 1, 0, 2, 3}) {
        b.menu->Mnu_AffDoss_Ico[mode]->trigger();
        QCOMPARE(coches(b.menu->Mnu_AffDoss_Ico), QList<int>{mode});
        // Large icons and the list mode size each row by its own name, never cut to the first.
        auto* v = l->vueActive();
        const int longue = v->visualRect(v->model()->index(4, 0)).width();
        if (mode == 0)
            QVERIFY(longue > v->visualRect(v->model()->index(0, 0)).width());
        if (mode == 2)
            QVERIFY(longue > v->fontMetrics().horizontalAdvance(l->texte(5)));
        QCOMPARE(l->SelectedIndex(), 4);
    }
    QVERIFY(!l->setView(4));
    QCOMPARE(coches(b.menu->Mnu_AffRub_Ico), QList<int>{2});
    // The keyboard's menu opens at the selected row, not at the corner of the list.
    auto* v = l->vueActive();
    QSignalSpy menu(l, &ListeVue::menuContextuel);
    effets(b, [&] {
        QContextMenuEvent e(QContextMenuEvent::Keyboard, {}, v->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(v, &e);
        QTest::keyClick(v, Qt::Key_F10, Qt::ShiftModifier);
    });
    QCOMPARE(menu.count(), 2);
    for (const QList<QVariant>& signal : std::as_const(menu))
        QVERIFY(v->visualRect(v->model()->index(3, 0))
                    .contains(v->viewport()->mapFromGlobal(signal.first().toPoint())));

    // With hot tracking, the pointer on the half-visible bottom row selects it; nothing scrolls.
    l->setHotTracking(true);
    const QPoint bas(20, v->viewport()->height() - 2);
    for (int i = 0; i < 10; ++i) {
        QMouseEvent e(QEvent::MouseMove, bas + QPoint(i, 0), v->viewport()->mapToGlobal(bas),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &e);
    }
    QTRY_COMPARE(l->SelectedIndex(), v->indexAt(bas).row() + 1);
    QCOMPARE(v->verticalScrollBar()->value(), 0);
    l->setHotTracking(false);

    // Enter and a double-click start the selected row's program, and the window is minimised
    // first, as the option asks.
    QTest::keyClick(v, Qt::Key_Return);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QCOMPARE(b.services.shell.lancements.size(), 2);
    QCOMPARE(b.services.shell.lancements.last().programme, QStringLiteral("/opt/propre/l2"));
    QVERIFY(b.menu->windowState() & Qt::WindowMinimized);
    // A failure is told in the status bar, without a message box.
    b.services.shell.resultat = {false, QStringLiteral("fichier introuvable")};
    b.menu->List2_DblClick();
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Impossible de lancer « l2 » : fichier introuvable"));
    QVERIFY(b.services.prompts.appels.isEmpty());
}

void TstMenu::placeDeLaFenetre()
{
    Banc centre, ailleurs, agrandie;
    demarrer(centre, {});
    // The monitor that held the window is gone: the size is applied, the position is not.
    demarrer(ailleurs, {{"R", "l1"}},
             reglages("Splitter1=3600\nRubrique=0\nLogiciel=3\n",
                      "Windows=0\nHauteur=7200\n"
                      "Largeur=11100\nPositionX=-60000\nPositionY=90000\n"));
    Menu& m = *ailleurs.menu;
    QCOMPARE(m.frameGeometry().size(), QSize(740, 480));
    QCOMPARE(m.pos(), centre.menu->pos());
    QTRY_COMPARE(m.Splitter1->sizes().value(0), pixels(3600));
    // The first column takes what the other columns leave, whatever the window's width.
    for (int largeur : {900, 1200}) {
        m.resize(largeur, 500);
        QTRY_COMPARE(m.List2->largeurColonne(0), m.List2->width() - pixels(4800));
        QCOMPARE(m.List1->largeurColonne(0), m.List1->width() - pixels(350));
    }
    // The user moves the bar, then the window is hidden and shown again (a minimise).
    m.Splitter1->setSizes({pixels(4200), 400});
    m.hide();
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QCOMPARE(m.Splitter1->sizes().value(0), pixels(4200));
    m.close();
    QVERIFY(test::lireOctets(ailleurs.reglages()).contains("Splitter1=4200\n"));
    // A maximised window opens so, and is saved so.
    const char* divers = "Windows=2\nHauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n";
    demarrer(agrandie, {}, reglages("Splitter1=3170\nRubrique=0\nLogiciel=0\n", divers));
    QTRY_VERIFY(agrandie.menu->isMaximized());
    agrandie.menu->close();
    QVERIFY(test::lireOctets(agrandie.reglages()).contains(divers));
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
