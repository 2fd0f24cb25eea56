// The main window's commands: the menu bar, the pop-up menus, the two toolbars, the view modes,
// the menu pictures and look, and the layout of the panes' contents.

#include "about/info.h"
#include "edition/logiciel.h"
#include "edition/rubrique.h"
#include "main_window/export.h"
#include "main_window/glisser.h"
#include "main_window/import_dialogue.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/recherche.h"
#include "main_window/twips.h"
#include "platform/shell.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <utility>

namespace lanceron {

namespace {

const QString Separateur = QStringLiteral("-");

// The look of the menus: colours and font of the menu bar, drop-down and pop-up menus.
// The menu bar's drop-down menus take it from the bar: a style sheet of their own would be
// matched again for each of them when the window is first shown.
const QString StyleMenus = QStringLiteral(R"(
QMenuBar { background-color: #E0E0E0; font-family: "%1"; font-size: 8.25pt; }
QMenuBar::item { background: transparent; color: #000000; padding: 3px 8px;
                 border: 1px solid transparent; }
QMenuBar::item:selected, QMenuBar::item:pressed { background-color: #C0C0FF;
                 border: 1px solid #8080FF; color: #FFFFFF; }
QMenu { background-color: #FFFFFF; border: none; padding: 2px;
        font-family: "%1"; font-size: 8.25pt; }
QMenu::item { background-color: #C0C0FF; color: #000000; padding: 4px 24px 4px 8px;
              border: 1px solid #FFFFFF; }
QMenu::item:selected { background-color: #C0C0FF; border: 1px solid #8080FF; color: #FFFFFF; }
QMenu::item:disabled { background-color: #C0C0FF; border: 1px solid #8080FF; color: #E0E0E0; }
QMenu::item:default { font-weight: bold; }
QMenu::icon { padding-left: 4px; }
QMenu::icon:checked { background-color: #C0C0FF; border: 1px solid #8080FF; }
QMenu::indicator { width: 16px; height: 16px; border: 1px solid transparent; }
QMenu::indicator:checked { background-color: #C0C0FF; color: #000000;
                           image: url(:/icons/coche.svg); }
QMenu::indicator:checked:selected { background-color: #8080FF; }
QMenu::separator { height: 1px; background: #FFFFFF; margin: 3px 4px; }
)").arg(QLatin1StringView(Menu::PoliceMenus));


struct Picture {
    const char* themes; // icon names, best first, separated by blanks
    QStyle::StandardPixmap secours;
};

// Each picture is the first of its names that the icon theme has, each name tried before its
// "-symbolic" variant. A name that the theme lacks is looked up in every theme it inherits, and
// reading their indexes (hicolor's is large) would delay the first frame: the names come in the
// order the installed theme has them.
// IcoBarre: 1 add a rubrique, 2 add a program, 3 modify, 4 delete, 5 properties, 6 unused,
// 7 options, 8 web site, 9 export, 10 about, 11 quit.
constexpr Picture PicturesBarre[11] = {
    {"folder-new", QStyle::SP_FileDialogNewFolder},
    {"list-add", QStyle::SP_FileIcon},
    {"document-edit-symbolic document-edit", QStyle::SP_FileDialogDetailedView},
    {"edit-delete", QStyle::SP_TrashIcon},
    // Adwaita's coloured "document-properties" looks disabled at 16 pixels.
    {"document-properties-symbolic document-properties", QStyle::SP_FileDialogInfoView},
    {"view-refresh", QStyle::SP_BrowserReload},
    {"preferences-system", QStyle::SP_ComputerIcon},
    {"web-browser", QStyle::SP_DriveNetIcon},
    {"document-save-as", QStyle::SP_DialogSaveButton},
    {"help-about", QStyle::SP_MessageBoxInformation},
    {"application-exit", QStyle::SP_DialogCloseButton},
};

} // namespace

// --------------------------------------------------------------------------------- menus

void Menu::construireMenus()
{
    for (const Picture& p : PicturesBarre) {
        QIcon image;
        const QStringList noms = QString::fromLatin1(p.themes).split(QLatin1Char(' '));
        for (const QString& nom : noms) {
            for (const QString& variante : {nom, nom + QStringLiteral("-symbolic")}) {
                if (image.isNull())
                    image = QIcon::fromTheme(variante);
            }
        }
        IcoBarre << (image.isNull() ? style()->standardIcon(p.secours) : image);
    }

    // Appends items to a menu array: the captions in order, "-" for a separator; each item
    // calls `handler` with its index in the array.
    auto remplir = [this](QMenu* menu, QList<QAction*>& items, const QStringList& legendes,
                          void (Menu::*handler)(int)) {
        for (const QString& legende : legendes) {
            const int index = static_cast<int>(items.size());
            QAction* a = legende == Separateur ? menu->addSeparator() : menu->addAction(legende);
            if (!a->isSeparator())
                connect(a, &QAction::triggered, this,
                        [this, handler, index] { (this->*handler)(index); });
            items << a;
        }
    };

    QMenuBar* barre = menuBar();
    barre->setStyleSheet(StyleMenus);

    Mnu_Fichier = barre->addMenu(QStringLiteral("Fichier"));
    remplir(Mnu_Fichier, Mnu_OutFich,
            {QStringLiteral("Exporter une rubrique"), Separateur, QStringLiteral("Quitter")},
            &Menu::Mnu_OutFich_Click);
    Mnu_OutFich[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Mnu_Importer = new QAction(QStringLiteral("Importer les applications installées…"), this);
    Mnu_Fichier->insertAction(Mnu_OutFich[0], Mnu_Importer);
    connect(Mnu_Importer, &QAction::triggered, this, [this] { Importer_Applications(*this); });

    Mnu_Rubrique = barre->addMenu(QStringLiteral("Rubrique"));
    remplir(Mnu_Rubrique, Mnu_OutRub,
            {QStringLiteral("Ajouter une rubrique"), QStringLiteral("Modifier une rubrique"),
             Separateur, QStringLiteral("Supprimer une rubrique")},
            &Menu::Mnu_OutRub_Click);

    Mnu_Dossier = barre->addMenu(QStringLiteral("Logiciel"));
    remplir(Mnu_Dossier, Mnu_OutLog,
            {QStringLiteral("Ajouter un logiciel"), Separateur,
             QStringLiteral("Modifier un raccourci"), QStringLiteral("Supprimer de la liste"),
             Separateur, QStringLiteral("Propriétés")},
            &Menu::Mnu_OutLog_Click);
    Mnu_OutLog[5]->setShortcut(QKeySequence(Qt::Key_F3));
    Mnu_Deplacer = new QAction(QStringLiteral("Déplacer vers la rubrique…"), this);
    Mnu_Dossier->insertAction(Mnu_OutLog[4], Mnu_Deplacer);
    connect(Mnu_Deplacer, &QAction::triggered, this, [this] {
        if (List2->Count() > 0 && (!m_recherche->active() || m_recherche->placer())) {
            m_glisser->Deplacer_Vers_Rubrique();
            m_recherche->relancer();
        }
    });

    Mnu_Affichage = barre->addMenu(QStringLiteral("Affichage"));
    const QStringList modes = {QStringLiteral("Grandes icônes"), QStringLiteral("Petites icônes"),
                               QStringLiteral("Liste"), QStringLiteral("Détails")};
    auto* sousRubrique = new QMenu(QStringLiteral("Rubrique"), Mnu_Affichage);
    auto* sousLogiciel = new QMenu(QStringLiteral("Logiciel"), Mnu_Affichage);
    remplir(sousRubrique, Mnu_AffRub_Ico, modes, &Menu::Mnu_AffRub_Ico_Click);
    remplir(sousLogiciel, Mnu_AffDoss_Ico, modes, &Menu::Mnu_AffDoss_Ico_Click);
    for (QAction* a : Mnu_AffRub_Ico + Mnu_AffDoss_Ico)
        a->setCheckable(true);
    Mnu_OutAffichage << Mnu_Affichage->addMenu(sousRubrique) << Mnu_Affichage->addMenu(sousLogiciel);
    remplir(Mnu_Affichage, Mnu_OutAffichage,
            {Separateur, QStringLiteral("Actualiser les listes"), Separateur,
             QStringLiteral("Options")},
            &Menu::Mnu_OutAffichage_Click);
    Mnu_OutAffichage[5]->setShortcut(QKeySequence(Qt::Key_F2));

    Mnu_Info = barre->addMenu(QStringLiteral("Aide"));
    remplir(Mnu_Info, Mnu_OutAide,
            {QStringLiteral("Visitez le site web"), Separateur, QStringLiteral("A propos    ")},
            &Menu::Mnu_OutAide_Click);
    Mnu_OutAide[2]->setShortcut(QKeySequence(Qt::Key_F1));

    // F10 opens the menu bar from the keyboard.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(Mnu_Fichier->menuAction());
    });
}

void Menu::Mnu_OutFich_Click(int Index)
{
    switch (Index) {
    case 0:
        if (List1->Count() > 0)
            Export_TXT(*this);
        break;
    case 2: close(); break;
    default: break;
    }
}

void Menu::Mnu_OutRub_Click(int Index)
{
    switch (Index) {
    case 0: Creer_Rubrique(*this); break;
    case 1:
        if (List1->Count() > 0)
            Renommer_Rubrique(*this);
        break;
    case 3:
        if (List1->Count() > 0)
            Supprimer_Rubrique(*this);
        break;
    default: break;
    }
}

void Menu::Mnu_OutLog_Click(int Index)
{
    // Searching: the commands on a shortcut act on the selected result, in its own rubrique.
    const bool resultat = m_recherche->active() && (Index == 2 || Index == 3 || Index == 5);
    if (resultat && !m_recherche->placer())
        return;
    switch (Index) {
    case 0:
        if (List1->Count() > 0)
            Ajouter_Logiciel(*this);
        break;
    case 2:
        if (List2->Count() > 0)
            Modifier_Logiciel(*this);
        break;
    case 3:
        if (List2->Count() > 0)
            Supprimer_Logiciel(*this);
        break;
    case 5:
        if (List2->Count() > 0)
            Proprietes_Logiciel(*this);
        break;
    default: break;
    }
    if (resultat)
        m_recherche->relancer();
}

void Menu::Mnu_OutAffichage_Click(int Index)
{
    switch (Index) {
    case 3: Actualiser_Les_Listes(); break;
    case 5: Afficher_Options(); break;
    default: break; // 0 and 1 open their submenus
    }
}

void Menu::Actualiser_Les_Listes()
{
    // The selected rubrique stays selected and the shortcut list keeps its rows; when that
    // rubrique is gone, the first one is selected and its shortcuts shown.
    Affiche_Rubrique();
}

void Menu::Mnu_OutAide_Click(int Index)
{
    switch (Index) {
    case 0: m_services.shell->ouvrirAdresse(Info::AdresseSite); break;
    case 2: {
        Info info(*m_services.shell, this);
        info.exec();
        break;
    }
    default: break;
    }
}

void Menu::Mnu_AffRub_Ico_Click(int Index)
{
    for (QAction* a : std::as_const(Mnu_AffRub_Ico))
        a->setChecked(false);
    if (List1->setView(Index))
        Mnu_AffRub_Ico[Index]->setChecked(true);
}

void Menu::Mnu_AffDoss_Ico_Click(int Index)
{
    for (QAction* a : std::as_const(Mnu_AffDoss_Ico))
        a->setChecked(false);
    if (List2->setView(Index))
        Mnu_AffDoss_Ico[Index]->setChecked(true);
}

void Menu::cocherVues()
{
    if (QAction* a = Mnu_AffRub_Ico.value(List1->View()))
        a->setChecked(true);
    if (QAction* a = Mnu_AffDoss_Ico.value(List2->View()))
        a->setChecked(true);
}

void Menu::afficherMenuSurgissant(QMenu* menu, QAction* parDefaut, const QPoint& position)
{
    menu->setDefaultAction(parDefaut);
    menu->exec(position);
    menu->setDefaultAction(nullptr);
}

void Menu::List1_MouseDown(const QPoint& position)
{
    afficherMenuSurgissant(Mnu_Rubrique, Mnu_OutRub[0], position);
}

void Menu::List2_MouseDown(const QPoint& position)
{
    if (List1->Count() > 0)
        afficherMenuSurgissant(Mnu_Dossier, Mnu_OutLog[0], position);
}

void Menu::Menu_XP()
{
    const std::pair<QAction*, int> pictures[] = {
        {Mnu_OutFich[0], 9},  {Mnu_OutFich[2], 11},     {Mnu_OutRub[0], 1}, {Mnu_OutRub[1], 3},
        {Mnu_OutRub[3], 4},   {Mnu_OutLog[0], 2},       {Mnu_OutLog[2], 3}, {Mnu_OutLog[3], 4},
        {Mnu_OutLog[5], 5},   {Mnu_OutAffichage[5], 7}, {Mnu_OutAide[0], 8}, {Mnu_OutAide[2], 10},
    };
    for (const auto& [item, picture] : pictures)
        item->setIcon(IcoBarre.value(picture - 1));
}

// ------------------------------------------------------------------------------ toolbars

void Menu::construireBarres()
{
    struct Bouton {
        const char* cle; // nullptr for a separator
        const char* infobulle;
        int picture;
    };
    auto remplir = [this](QToolBar* barre, QList<QAction*>& boutons,
                          std::initializer_list<Bouton> definition,
                          void (Menu::*handler)(int)) {
        int index = 1;
        for (const Bouton& b : definition) {
            QAction* a = nullptr;
            if (!b.cle) {
                a = barre->addSeparator();
            } else {
                a = barre->addAction(IcoBarre.value(b.picture - 1), QString::fromUtf8(b.cle));
                a->setObjectName(QString::fromUtf8(b.cle));
                a->setToolTip(QString::fromUtf8(b.infobulle));
                if (QWidget* bouton = barre->widgetForAction(a))
                    bouton->setAccessibleName(a->toolTip());
                connect(a, &QAction::triggered, this,
                        [this, handler, index] { (this->*handler)(index); });
            }
            boutons << a;
            ++index;
        }
    };
    remplir(Toolbar1, Toolbar1_Buttons,
            {{nullptr, nullptr, 0},
             {"Ajouter", "Ajouter une rubrique", 1},
             {"Modifier", "Modifier une rubrique", 3},
             {nullptr, nullptr, 0},
             {"Supprimer", "Supprimer une rubrique", 4},
             {nullptr, nullptr, 0}},
            &Menu::Toolbar1_ButtonClick);
    remplir(Toolbar2, Toolbar2_Buttons,
            {{nullptr, nullptr, 0},
             {"Ajouter", "Ajouter un logiciel", 2},
             {nullptr, nullptr, 0},
             {"Modifier", "Modifier un raccourci", 3},
             {"Supprimer", "Supprimer de la liste", 4},
             {nullptr, nullptr, 0},
             {"Propriétés", "Afficher les propriétés", 5},
             {nullptr, nullptr, 0}},
            &Menu::Toolbar2_ButtonClick);
    for (QToolBar* b : {Toolbar1, Toolbar2})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void Menu::Toolbar1_ButtonClick(int Index)
{
    switch (Index) {
    case 2: Mnu_OutRub_Click(0); break;
    case 3: Mnu_OutRub_Click(1); break;
    case 5: Mnu_OutRub_Click(3); break;
    default: break;
    }
}

void Menu::Toolbar2_ButtonClick(int Index)
{
    switch (Index) {
    case 2: Mnu_OutLog_Click(0); break;
    case 4: Mnu_OutLog_Click(2); break;
    case 5: Mnu_OutLog_Click(3); break;
    case 7: Mnu_OutLog_Click(5); break;
    default: break;
    }
}

// -------------------------------------------------------------------------------- layout

void Menu::Splitter1_Resize()
{
    const double d = dpi();
    // A width that would come out negative is not applied.
    const int colonne1 = List1->width() - pixels(350, d);
    if (colonne1 >= 0)
        List1->setLargeurColonne(0, colonne1);
    const int colonne2 = List2->width() - pixels(4800, d);
    if (colonne2 >= 0)
        List2->setLargeurColonne(0, colonne2);
}

bool Menu::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == this && evenement->type() == QEvent::Paint) {
        // The first frame is being painted: the shortcut list (at start-up) and the icons
        // come after it.
        removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (std::exchange(m_attentePremiereImage, false) && List1->Count() > 0 &&
                fichierRubriqueSelectionnee() != m_modeleRaccourcis->fichier())
                List1_Click();
            m_modeleRaccourcis->retenirIcones(false);
            emit premiereImage();
        });
    }
    if (evenement->type() == QEvent::Resize && (objet == List1 || objet == List2))
        Splitter1_Resize();
    return QMainWindow::eventFilter(objet, evenement);
}

} // namespace lanceron
