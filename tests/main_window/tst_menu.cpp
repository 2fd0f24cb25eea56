// The main window: start-up, the menu bar and its guards, the shortcut list following the
// rubrique list whatever moves it, the list views, launching, the window's place; importing
// the installed applications, the search, moving shortcuts and the text export.

#include "edition/logiciel.h"
#include "icons/ico_fichier.h"
#include "main_window/accueil.h"
#include "main_window/barre_etat.h"
#include "main_window/export.h"
#include "main_window/glisser.h"
#include "main_window/import_dialogue.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/recherche.h"
#include "main_window/twips.h"
#include "platform/dossier_application.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

using Banc = test::BancMenu;

// The installed applications: those of the test's own data folder.
QString applications()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
}

// Starts the window, shown and active, over the rubriques given: a name, then the names of
// its shortcuts (program "/opt/<name>", command "-<name>", reduced window); `reglages` is
// written as the settings when not empty.
void demarrer(Banc& b, const QList<QStringList>& rubriques, const QByteArray& reglages = {})
{
    if (!reglages.isEmpty())
        test::ecrireOctets(b.reglages(), reglages);
    for (const QStringList& r : rubriques) {
        QList<QStringList> raccourcis;
        for (const QString& nom : r.mid(1))
            raccourcis << QStringList{nom, "/opt/" + nom, "Réduite", "-" + nom};
        test::ecrireRubrique(b.dossier.chemin(), r[0], raccourcis);
    }
    b.demarrer();
    b.menu->show();
    b.menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
}

// Settings up to the views, which follow.
const QByteArray Reglages = "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=1\nHotTracking=0\n"
                            "[AFFICHAGE]\n";

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

// Runs `ouvrir`, which shows the import dialog modally, then accepts it with its last row
// unticked, or cancels it. The rows of the dialog as shown.
QStringList pendantImport(const std::function<void()>& ouvrir, bool accepter)
{
    QStringList lignes;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<ImportDialogue*>(QApplication::activeModalWidget());
        for (int i = 0; d && i < d->liste()->count(); ++i)
            lignes << d->liste()->item(i)->text();
        if (d && accepter)
            d->liste()->item(lignes.size() - 1)->setCheckState(Qt::Unchecked);
        if (d)
            accepter ? d->accept() : d->reject();
    });
    ouvrir();
    return lignes;
}

// The names in a rubrique file, as the catalogue reads it.
QStringList noms(Menu& m, const QString& fichier)
{
    QStringList r;
    for (const Raccourci& x : m.catalogue().lire(fichier))
        r << x.Nom;
    return r;
}

// Each row of a list as "name (second column)".
QStringList lignes(const ListeVue* l)
{
    QStringList r;
    for (int i = 1; i <= l->Count(); ++i)
        r << l->texte(i) + " (" + l->texte(i, 1) + ")";
    return r;
}

} // namespace

class TstMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void premierDemarrage_data();
    void premierDemarrage();
    void gardes_data();
    void gardes();
    void laListeSuitLaRubrique_data();
    void laListeSuitLaRubrique();
    void vuesEtSelection();
    void premiereImage_data();
    void premiereImage();
    void iconesDesLignesMontrees();
    void placeDeLaFenetre();
    void importer();
    void rechercher();
    void deplacer_data();
    void deplacer();
    void exporter();
};

void TstMenu::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The installed applications are those of the test's own data folder.
    QVERIFY(QDir().mkpath(applications()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(applications() + "/aucun"));
    const char* entrees[][3] = {{"tux", "Tux", "Game;"},
                                {"gimp", "Gimp", "Graphics;"},
                                {"cache", "Caché", "Game;\nNoDisplay=true"}};
    for (const auto& e : entrees)
        test::ecrireOctets(applications() + '/' + e[0] + ".desktop",
                           QByteArray("[Desktop Entry]\nType=Application\nExec=true\nName=") +
                               e[1] + "\nCategories=" + e[2] + "\n");
}

void TstMenu::premierDemarrage_data()
{
    QTest::addColumn<QString>("saisie"); // the rubrique typed after "Créer" on the welcome page
    QTest::newRow("rien") << QString();
    QTest::newRow("creer") << "Jeux";
}

void TstMenu::premierDemarrage()
{
    QFETCH(QString, saisie);
    const QStringList rubriques = saisie.isNull() ? QStringList() : QStringList{saisie};
    Banc b;
    b.services.prompts.saisies << saisie;
    b.demarrer();
    // The window's title, status text and menus, as the user reads them.
    {
        QStringList menus{b.menu->windowTitle(), b.menu->StatusBar1->panneau(1)->text()};
        for (QAction* a : b.menu->menuBar()->actions()) {
            QStringList items;
            for (QAction* x : a->menu()->actions())
                items << (x->isSeparator() ? "-" : x->text());
            menus << a->text() + ": " + items.join('|');
        }
        QCOMPARE(menus.join('\n'),
                 "Lanceron\nLanceron - Une application en trois clics de souris\n"
                 "Fichier: Importer les applications installées…|Exporter une rubrique|-|Quitter\n"
                 "Rubrique: Ajouter une rubrique|Modifier une rubrique|-|Supprimer une rubrique\n"
                 "Logiciel: Ajouter un logiciel|-|Modifier un raccourci|Supprimer de la liste|"
                 "Déplacer vers la rubrique…|-|Propriétés\n"
                 "Affichage: Rubrique|Logiciel|-|Actualiser les listes|-|Options\n"
                 "Aide: Visitez le site web|-|A propos    ");
    }
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
    // Menu items on the item colour with a white border, the menu's background white.
    QMenu* menu = b.menu->Mnu_Fichier;
    menu->popup({});
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage i = menu->grab().toImage();
    const QRect q = menu->actionGeometry(b.menu->Mnu_OutFich[2]); // "Quitter"
    const auto couleur = [&](int x, int y) { return i.pixelColor(x, y).name() + " "; };
    QCOMPARE(couleur(0, 0) + couleur(q.right() - 3, q.center().y()) +
                 couleur(q.right(), q.center().y()) + couleur(i.width() - 1, i.height() - 1),
             "#ffffff #c0c0ff #ffffff #ffffff ");
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
    QTest::newRow("F1") << "Touche:F1" << pleine << "A propos de...";
    QTest::newRow("F2") << "Touche:F2" << pleine << "Péférences";
    QTest::newRow("F3") << "Touche:F3" << pleine << "proprietes:/opt/l1";
    QTest::newRow("Ctrl+Q") << "Touche:Ctrl+Q" << pleine << "fermee";
}

void TstMenu::gardes()
{
    QFETCH(QString, commande);
    QFETCH(QList<QStringList>, rubriques);
    QFETCH(QString, effet);
    Banc b;
    demarrer(b, rubriques);
    const QString tableau = commande.section(':', 0, 0), index = commande.section(':', 1);
    Menu& m = *b.menu;
    const int t = QStringList{"Barre1", "Barre2", "Fich", "Rub", "Log"}.indexOf(tableau);
    const QList<QAction*>* tableaux[] = {&m.Toolbar1_Buttons, &m.Toolbar2_Buttons, &m.Mnu_OutFich,
                                         &m.Mnu_OutRub, &m.Mnu_OutLog};
    QStringList vus = effets(b, [&] {
        if (tableau == "Liste2")
            return m.List2_MouseDown(QPoint(10, 10));
        if (tableau == "Touche")
            return QTest::keySequence(m.List2->vueActive(), QKeySequence(index));
        tableaux[t]->at(index.toInt() - (t < 2))->trigger(); // the toolbars count from 1
    });
    if (!m.isVisible())
        vus << "fermee";
    QVERIFY2(effet == "*" ? !vus.isEmpty() : vus.join(" | ") == effet, qPrintable(vus.join(" | ")));
}

void TstMenu::laListeSuitLaRubrique_data()
{
    QTest::addColumn<int>("bouton");      // a click on B's row with this button, or
    QTest::addColumn<QString>("touches"); // these keys in the list, or neither: the program
    QTest::newRow("bouton du milieu") << int(Qt::MiddleButton) << QString();
    QTest::newRow("bouton précédent") << int(Qt::BackButton) << QString();
    QTest::newRow("bouton droit") << int(Qt::RightButton) << QString();
    QTest::newRow("Fin") << 0 << "End";
    QTest::newRow("flèche") << 0 << "Right";
    QTest::newRow("Ctrl+flèche") << 0 << "Ctrl+Right";
    QTest::newRow("programme") << 0 << QString();
}

void TstMenu::laListeSuitLaRubrique()
{
    QFETCH(int, bouton);
    QFETCH(QString, touches);
    Banc b;
    demarrer(b, {{"A", "a1", "a2"}, {"B", "b1", "b2", "b3"}});
    ListeVue* l1 = b.menu->List1;
    const QByteArray fichierA = test::lireOctets(b.fichierRubrique("A"));
    const int lectures = b.menu->catalogue().lectures();
    effets(b, [&] {
        if (bouton)
            QTest::mouseClick(l1->vueActive()->viewport(), Qt::MouseButton(bouton), {},
                              centreDeLigne(l1, 2));
        else if (!touches.isEmpty())
            QTest::keySequence(l1->vueActive(), QKeySequence(touches));
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
    // The rubrique shown vanished: the shortcuts shown are the new selection's.
    QFile::remove(b.fichierRubrique("B"));
    b.menu->Mnu_OutAffichage[3]->trigger();
    QCOMPARE(b.menu->rubriqueAffichee(), QStringLiteral("0.ini"));
    QCOMPARE(b.menu->List2->Count(), 0);
    // Every rubrique gone: nothing is shown.
    QDir(b.rubriques()).removeRecursively();
    b.menu->Mnu_OutAffichage[3]->trigger();
    QVERIFY(b.menu->rubriqueAffichee().isEmpty());
}

void TstMenu::vuesEtSelection()
{
    Banc b;
    const QString immense(2'000'000, QLatin1Char('n'));
    QStringList r{"R", "l1", "l2", "l3", "l4", "un nom bien plus long que les autres", immense};
    for (int i = 7; i <= 200; ++i)
        r << QStringLiteral("ligne %1").arg(i);
    demarrer(b, {r}, Reglages + "Splitter1=3170\nRubrique=2\nLogiciel=3\n");
    ListeVue* l = b.menu->List2;
    // The list shows the beginning of a huge name; the catalogue keeps it whole.
    QCOMPARE(l->modele()->index(5, 0).data().toString(),
             immense.left(ModeleListe::LongueurAffichee - 1) + QChar(0x2026));
    QVERIFY(l->texte(6) == immense);
    // Every mode is entered from another one, the selection kept, its menu item alone checked.
    l->setSelectedIndex(4);
    for (int mode : {3, 1, 1, 0, 2, 3}) {
        b.menu->Mnu_AffDoss_Ico[mode]->trigger();
        QCOMPARE(coches(b.menu->Mnu_AffDoss_Ico), QList<int>{mode});
        // Large icons take a cell with room for the icon and two lines of the name; the list
        // mode sizes each row by its own name, never cut to the first.
        auto* v = l->vueActive();
        const int longue = v->visualRect(v->model()->index(4, 0)).width();
        if (mode == 0)
            QVERIFY(v->visualRect(v->model()->index(4, 0)).height() >=
                    32 + 2 * v->fontMetrics().height());
        if (mode == 2)
            QVERIFY(longue > v->fontMetrics().horizontalAdvance(l->texte(5)));
        if (mode == 3) // the widths given at start-up
            QCOMPARE(l->largeurColonne(1), pixels(3000));
        QCOMPARE(l->SelectedIndex(), 4);
        QVERIFY(v->isVisible());
    }
    QVERIFY(!l->setView(4));
    QCOMPARE(coches(b.menu->Mnu_AffRub_Ico), QList<int>{2});
    l->setGridLines(true); // lines between the details' rows
    QVERIFY(qobject_cast<QTableView*>(l->vueActive())->showGrid());
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

    // Enter and a double-click start the selected row's program, and the window is minimised
    // first, as the option asks.
    QTest::keyClick(v, Qt::Key_Return);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, centreDeLigne(l, 2));
    QCOMPARE(b.services.shell.lancements.size(), 2);
    QCOMPARE(b.services.shell.lancements.last().programme, QStringLiteral("/opt/l2"));
    QVERIFY(b.menu->windowState() & Qt::WindowMinimized);
    // A failure is told in the status bar, without a message box.
    b.services.shell.resultat = {false, QStringLiteral("fichier introuvable")};
    b.menu->List2_DblClick();
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Impossible de lancer « l2 » : fichier introuvable"));
    QVERIFY(b.services.prompts.appels.isEmpty());
    // Large icons lay a long list out in batches: a shortcut added at its end is still shown.
    b.menu->Mnu_AffDoss_Ico[0]->trigger();
    QVERIFY(b.menu->catalogue().ajouterRaccourci("R.ini", {"fin", "/opt/fin", "", ""}).fait());
    l->setSelectedIndex(l->Count());
    v = l->vueActive();
    QTRY_VERIFY(v->viewport()->rect().intersects(v->visualRect(v->model()->index(200, 0))));
}

void TstMenu::premiereImage_data()
{
    QTest::addColumn<bool>("commeLeProgramme");
    QTest::newRow("liste remplie au demarrage") << false;
    QTest::newRow("liste remplie apres la premiere image") << true;
}

void TstMenu::premiereImage()
{
    // The program fills the shortcut list once the window's first frame is painted; the rows'
    // icons are taken in after it in any case.
    QFETCH(bool, commeLeProgramme);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "R", {{"a", "/opt/a", "", ""}});
    b.demarrer(commeLeProgramme);
    QSignalSpy image(b.menu.get(), &Menu::premiereImage);
    QTest::qWait(100);
    QCOMPARE(b.menu->List2->Count(), commeLeProgramme ? 0 : 1);
    QCOMPARE(b.menu->raccourcis().iconesEnCours(), !commeLeProgramme);
    b.menu->show();
    QTRY_COMPARE(image.size(), 1);
    QCOMPARE(b.menu->List2->Count(), 1);
    QTRY_VERIFY(!b.menu->raccourcis().iconesEnCours());
}

void TstMenu::iconesDesLignesMontrees()
{
    // The icon store keeps the images of the rows on screen and of the last pairs used; rows
    // shown again get theirs back.
    Banc b;
    QList<QStringList> raccourcis;
    constexpr int N = 400;
    for (int i = 0; i < N; ++i)
        raccourcis << QStringList{QStringLiteral("n%1").arg(i),
                                  QStringLiteral("/opt/propre%1.exe").arg(i), QString(), QString()};
    test::ecrireRubrique(b.dossier.chemin(), "R", raccourcis);
    demarrer(b, {});
    QTRY_VERIFY_WITH_TIMEOUT(!b.menu->raccourcis().iconesEnCours(), 30000);
    ListeVue* l = b.menu->List2;
    IcoFichier& store = b.menu->icones();
    const auto montrees = [&] {
        const QList<int> n = l->imagesVisibles();
        return !n.isEmpty() && std::all_of(n.cbegin(), n.cend(),
                                           [&](int i) { return store.gardee(i); });
    };
    // Each program was read once: the rows on screen never lost their images.
    QVERIFY(montrees());
    QCOMPARE(b.services.icones.appelsPropre, N);
    const int milieu = b.menu->raccourcis().image(N / 2);
    QVERIFY(!store.gardee(milieu));
    QSignalSpy changes(l->modele(), &QAbstractItemModel::dataChanged);
    l->setSelectedIndex(N / 2 + 1);
    QTRY_VERIFY(montrees());
    // ... and painted again.
    QTRY_VERIFY(std::any_of(changes.cbegin(), changes.cend(), [](const QList<QVariant>& c) {
        return c.at(2).value<QList<int>>().contains(Qt::DecorationRole);
    }));
    QCOMPARE(store.cle(milieu), QStringLiteral("/opt/propre%1.exe").arg(N / 2));
    QCOMPARE(store.grande(milieu).toImage().pixelColor(16, 16), QColor(Qt::red));
}

void TstMenu::placeDeLaFenetre()
{
    Banc centre, ailleurs, agrandie;
    demarrer(centre, {});
    // The monitor that held the window is gone: the size is applied, the position is not.
    demarrer(ailleurs, {{"R", "l1"}},
             Reglages + "Splitter1=3600\nRubrique=0\nLogiciel=3\n[DIVERS]\nWindows=0\n"
                        "Hauteur=7200\nLargeur=11100\nPositionX=-60000\nPositionY=90000\n");
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
    QTRY_COMPARE(m.Splitter1->sizes().value(0), pixels(4200));
    m.close();
    QVERIFY(test::lireOctets(ailleurs.reglages()).contains("Splitter1=4200\n"));
    // A maximised window opens so, and is saved so.
    const char* divers = "Windows=2\nHauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n";
    demarrer(agrandie, {},
             Reglages + "Splitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\n" + divers);
    QTRY_VERIFY(agrandie.menu->isMaximized());
    agrandie.menu->close();
    QVERIFY(test::lireOctets(agrandie.reglages()).contains(divers));
}

void TstMenu::importer()
{
    Banc b;
    b.demarrer();
    QCOMPARE(pendantImport([&] { b.menu->PageAccueil->boutonImporter()->click(); }, true),
             (QStringList{"Jeux (1)", "Graphisme (1)"}));
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
    QCOMPARE(lignes(b.menu->List2), QStringList{"Tux (" + applications() + "/tux.desktop)"});
    QVERIFY(b.menu->PageAccueil->isHidden());
    // Again from the menu: only what is missing is offered; cancelling writes nothing.
    QCOMPARE(pendantImport([&] { b.menu->Mnu_Importer->trigger(); }, false),
             QStringList{"Graphisme (1)"});
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
}

void TstMenu::rechercher()
{
    Banc b;
    demarrer(b, {{"Bureau", "Fenêtre", "Calc"}, {"Jeux", "Lifen", "Tux"}, {"Outils", "Ferret"}});
    b.menu->List1->setSelectedIndex(2);
    b.menu->List2->setGridLines(true);
    b.menu->List2->setHotTracking(true);
    ListeVue* liste = b.menu->recherche().resultats();
    QLineEdit* champ = b.menu->recherche().champ();
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(champ->hasFocus());
    // The index read from the focus on is read again when the catalogue changed meanwhile.
    QTest::qWait(200);
    Menu& m = *b.menu;
    QVERIFY(m.catalogue().ajouterRaccourci("Jeux.ini", {"Fête", "/opt/f", "", ""}).fait());
    QTest::keyClicks(champ, "Fe");
    QVERIFY(!liste->isHidden() && b.menu->List2->isHidden());
    QVERIFY(liste->GridLines() && liste->HotTracking());
    QCOMPARE(lignes(liste), (QStringList{"Fenêtre (Bureau)", "Ferret (Outils)", "Fête (Jeux)",
                                         "Lifen (Jeux)"}));
    // A result dragged onto a rubrique moves there from its own rubrique.
    liste->setSelectedIndex(3);
    std::unique_ptr<QMimeData> glisse(m.glisser().donneesGlissees(true));
    QAbstractItemView* rubriques = m.List1->vueActive();
    const QPoint outils = rubriques->visualRect(rubriques->model()->index(2, 0)).center();
    QDragEnterEvent entree(outils, Qt::MoveAction, glisse.get(), Qt::LeftButton, {});
    QApplication::sendEvent(rubriques->viewport(), &entree);
    QDropEvent depot(outils, Qt::MoveAction, glisse.get(), Qt::LeftButton, {});
    QApplication::sendEvent(rubriques->viewport(), &depot);
    QVERIFY(depot.isAccepted());
    QCOMPARE(noms(m, "Outils.ini"), (QStringList{"Ferret", "Fête"}));
    QTRY_COMPARE(lignes(liste), (QStringList{"Fenêtre (Bureau)", "Ferret (Outils)",
                                             "Fête (Outils)", "Lifen (Jeux)"}));
    liste->setSelectedIndex(1);
    QCOMPARE(liste->modele()->index(3, 0).data(Qt::ToolTipRole).toString(), "Rubrique : Jeux");

    // Down goes into the results, Enter starts the one chosen as from its rubrique.
    QTest::keyClick(champ, Qt::Key_Down);
    QVERIFY(liste->vueActive()->hasFocus());
    QTest::keyClick(liste->vueActive(), Qt::Key_Right); // large icons: the next one
    QTest::keyClick(liste->vueActive(), Qt::Key_Return);
    QCOMPARE(b.services.shell.lancements.size(), 1);
    const auto lance = b.services.shell.lancements[0];
    QCOMPARE(lance.programme + ' ' + lance.commande, "/opt/Ferret -Ferret");
    QCOMPARE(lance.affichage, Affichage::Reduite);

    // Deleting the result chosen deletes it from its own rubrique.
    b.services.prompts.reponses << Reponse::Oui;
    b.menu->Mnu_OutLog_Click(3);
    QCOMPARE(b.services.prompts.appels.last().titre, "Suppression du raccourci 'Ferret'");
    QCOMPARE(lignes(liste), (QStringList{"Fenêtre (Bureau)", "Fête (Outils)", "Lifen (Jeux)"}));
    QCOMPARE(noms(m, "Outils.ini"), QStringList{"Fête"});

    // Escape brings back the rubrique that was shown.
    QTest::keyClick(liste->vueActive(), Qt::Key_Escape);
    QVERIFY(champ->text().isEmpty() && liste->isHidden() && !b.menu->List2->isHidden());
    QCOMPARE(b.menu->rubriqueSelectionnee(), "Jeux");
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Lifen", "Tux"}));
}

void TstMenu::deplacer_data()
{
    // What is done: "fichiers>N" drops files on List1's row N, "raccourci>N" drags the
    // shortcut of A's row 1 onto List1's row N (2 is B; "liste" the shortcut list's row 2),
    // "ctrl" holds Ctrl; or Ctrl+Down, Ctrl+Up, the menu's "Déplacer".
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("fichiers sur la liste")
        << u"fichiers>liste"_s << u"a1 a2 note.txt Tux"_s << u"b1"_s;
    QTest::newRow("fichiers sur une rubrique")
        << u"fichiers>2"_s << u"a1 a2"_s << u"b1 note.txt Tux"_s;
    QTest::newRow("deplacer") << u"raccourci>2"_s << u"a2"_s << u"b1 a1"_s;
    QTest::newRow("copier") << u"raccourci>2 ctrl"_s << u"a1 a2"_s << u"b1 a1"_s;
    QTest::newRow("sur sa rubrique") << u"raccourci>1"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("d'un autre catalogue") << u"etranger>2"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("reordonner") << u"raccourci>liste"_s << u"a2 a1"_s << u"b1"_s;
    QTest::newRow("ctrl bas") << u"ctrl+bas"_s << u"a2 a1"_s << u"b1"_s;
    QTest::newRow("ctrl haut en tete") << u"ctrl+haut"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("menu") << u"menu"_s << u"a2"_s << u"b1 a1"_s;
}

void TstMenu::deplacer()
{
    QFETCH(QString, action);
    QFETCH(QString, a);
    QFETCH(QString, b);
    Banc banc;
    demarrer(banc, {{"A", "a1", "a2"}, {"B", "b1"}});
    Menu& m = *banc.menu;
    m.List2->vueActive()->setFocus();
    const QString cible = action.section('>', 1).section(' ', 0, 0);
    QMimeData donnees;
    if (action.startsWith("fichiers")) {
        const QString note = banc.dossier.fichier("note.txt");
        test::ecrireOctets(note, "x");
        donnees.setUrls({QUrl::fromLocalFile(note),
                         QUrl::fromLocalFile(applications() + "/tux.desktop"),
                         QUrl::fromLocalFile("/tmp/a\nb"), QUrl("https://exemple.fr/")});
    } else {
        const QString source =
            action.startsWith("etranger") ? "/ailleurs/Rubriques" : m.catalogue().dossier();
        donnees.setData(Glisser::TypeRaccourci, (source + "\nA.ini\n0").toUtf8());
    }
    if (!cible.isEmpty()) {
        QAbstractItemView* vue = (cible == "liste" ? m.List2 : m.List1)->vueActive();
        const int ligne = cible == "liste" ? 2 : cible.toInt();
        const QPoint p = vue->visualRect(vue->model()->index(ligne - 1, 0)).center();
        const auto touches = action.endsWith(" ctrl") ? Qt::ControlModifier : Qt::NoModifier;
        const auto actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent entree(p, actions, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(vue->viewport(), &entree);
        QVERIFY(entree.isAccepted());
        // Where the drop would go is outlined; a drop that would change nothing is refused.
        QDragMoveEvent survol(p, actions, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(vue->viewport(), &survol);
        const bool change = a != "a1 a2" || b != "b1";
        const auto* marque = vue->viewport()->findChild<QRubberBand*>();
        QCOMPARE(survol.isAccepted(), change);
        QCOMPARE(marque && marque->isVisible() && marque->geometry().contains(p), change);
        QDropEvent depot(p, actions, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(vue->viewport(), &depot);
        QVERIFY(!marque || marque->isHidden());
    } else if (action == "menu") {
        QTimer::singleShot(0, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->accept(); // B, the only other rubrique, is chosen
        });
        m.Mnu_Deplacer->trigger();
    } else {
        QTest::keyClick(m.List2->vueActive(), action == "ctrl+bas" ? Qt::Key_Down : Qt::Key_Up,
                        Qt::ControlModifier);
    }
    QCOMPARE(noms(m, "A.ini").join(' '), a);
    QCOMPARE(noms(m, "B.ini").join(' '), b);
    QVERIFY(banc.services.prompts.appels.isEmpty());
    // The shortcut list shows its rubrique as saved.
    QCOMPARE(Banc::textes(m.List2), noms(m, m.rubriqueAffichee()));
}

void TstMenu::exporter()
{
    // The two rubriques of the reference example.
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Bureautique",
                         {{"Tableur", "C:\\Outils\\tableur.exe", "Agrandie", "-a"},
                          {"Traitement de texte", "C:\\Outils\\texte.exe", "Réduite", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", {});
    b.demarrer();
    b.menu->List1->setSelectedIndex(2);
    // The dialog, cancelled, offers the documents folder, else the home, never the hidden
    // application folder, unless that is the program's own.
    const QString documents = b.dossier.fichier("Documents");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(b.dossier.chemin())); // the user's folders
    test::ecrireOctets(b.dossier.fichier("user-dirs.dirs"),
                       "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(documents) + "\"\n");
    Export_TXT(*b.menu);
    QVERIFY(QDir().mkpath(documents));
    Export_TXT(*b.menu);
    const QList<test::PromptsScriptes::Appel>& appels = b.services.prompts.appels;
    QCOMPARE(appels.size(), 2); // no message
    const DialogueFichier& d = appels[1].dialogue;
    QCOMPARE(appels[0].dialogue.dossierInitial, QDir::homePath());
    QCOMPARE(d.dossierInitial, documents);
    QCOMPARE(dossierExport(QCoreApplication::applicationDirPath()),
             QCoreApplication::applicationDirPath());
    QCOMPARE(d.titre + " | " + d.nomInitial, "Exporter au format Texte | Jeux");
    QVERIFY(d.confirmerRemplacement);
    QCOMPARE(b.menu->List1->SelectedIndex(), 2); // cancelled: nothing moved

    // The path is used as chosen (no extension added) and a longer old file is replaced whole.
    const QString cible = b.dossier.fichier("Bureautique");
    test::ecrireOctets(cible, QByteArray(4096, 'x'));
    // A rubrique written on Windows, in Windows-1252: the export is in the system's encoding.
    test::ecrireOctets(b.fichierRubrique("Vidéo"),
                       "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Lecteur \xE9l\xE9gant\r\n"
                       "Dossier=C:\\Vid\xE9o\\lecteur.exe\r\n");
    b.menu->Affiche_Rubrique();
    b.services.prompts.fichiers = {cible};
    Export_TXT(*b.menu);
    QCOMPARE(test::lireOctets(cible),
             QByteArray("1) Bureautique :\r\n \r\n Tableur\r\n C:\\Outils\\tableur.exe\r\n \r\n"
                        " Traitement de texte\r\n C:\\Outils\\texte.exe\r\n \r\n \r\n"
                        "2) Jeux :\r\n \r\n \r\n"
                        "3) Vid\xC3\xA9o :\r\n \r\n Lecteur \xC3\xA9l\xC3\xA9gant\r\n"
                        " C:\\Vid\xC3\xA9o\\lecteur.exe\r\n \r\n \r\n"));
    QCOMPARE(appels.size(), 3); // the dialog, no message
    // The last rubrique is shown afterwards.
    QCOMPARE(b.menu->List1->SelectedIndex(), 3);
    QCOMPARE(b.menu->List2->Count(), 1);

    // A folder stands at the path chosen: the user is warned, the folder keeps its content.
    QVERIFY(QDir().mkpath(documents + "/export.txt"));
    test::ecrireOctets(documents + "/export.txt/dedans", "ancien contenu");
    b.services.prompts.fichiers = {documents + "/export.txt"};
    Export_TXT(*b.menu);
    QCOMPARE(appels.last().titre, "Attention");
    QCOMPARE(appels.last().icone, IconeMessage::Avertissement);
    QVERIFY(appels.last().texte.startsWith("L'export n'a pas pu être écrit dans « " + documents +
                                           "/export.txt »"));
    QCOMPARE(test::lireOctets(documents + "/export.txt/dedans"), QByteArray("ancien contenu"));
    QCOMPARE(QDir(documents).entryList(QDir::Files), QStringList()); // no temporary file left
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
