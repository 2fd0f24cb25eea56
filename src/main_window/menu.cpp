#include "main_window/menu.h"

#include "about/version.h"
#include "edition/ajouter.h"
#include "main_window/accueil.h"
#include "main_window/attente.h"
#include "icons/ico_fichier.h"
#include "icons/reprise_icones.h"
#include "main_window/barre_etat.h"
#include "main_window/glisser.h"
#include "main_window/import_dialogue.h"
#include "main_window/liste_vue.h"
#include "main_window/modeles.h"
#include "main_window/recherche.h"
#include "main_window/twips.h"
#include "options/options.h"
#include "platform/dossier_application.h"
#include "platform/lancement.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include <QItemSelectionModel>

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace lanceron {

namespace {

// Designed client area and width at start-up, in twips.
constexpr double LargeurClient = 9600;
constexpr double HauteurClient = 6660;
constexpr double LargeurDemarrage = 10700;
// Smallest widths of the two panes, in twips.
constexpr double MinimumPictureA = 2900;
constexpr double MinimumPictureB = 6150;

} // namespace

Menu::Menu(const QString& dossierApplication, const Services& services, QWidget* parent)
    : QMainWindow(parent), m_dossierApplication(dossierApplication), m_services(services),
      m_icones(std::make_unique<IcoFichier>(*services.icones))
{
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("Lanceron"));
    construire();
}

Menu::~Menu() = default;

double Menu::dpi() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

void Menu::construire()
{
    m_catalogue = new Catalogue(dossierRubriques(), this);
    m_catalogue->setExecuteur(attendreSansFiger);
    QIcon dossier = QIcon::fromTheme(QStringLiteral("folder"));
    if (dossier.isNull())
        dossier = style()->standardIcon(QStyle::SP_DirIcon);
    m_modeleRubriques = new ModeleRubriques(*m_catalogue, dossier, this);
    m_modeleRaccourcis = new ModeleRaccourcis(*m_catalogue, *m_icones, this);
    // The rows' icons are taken in once the first frame is painted (see eventFilter): the
    // icon theme's first look-ups, which read every theme's index, would delay it.
    m_modeleRaccourcis->retenirIcones(true);
    installEventFilter(this);

    List1 = new ListeVue(m_modeleRubriques);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setNomAccessible(QStringLiteral("Liste des rubriques"));
    List2 = new ListeVue(m_modeleRaccourcis);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setNomAccessible(QStringLiteral("Liste des logiciels de la rubrique"));
    const double d = dpi();
    List2->setLargeurColonne(1, pixels(3000, d));
    // "Fenêtre normale" is never cut, whatever the font.
    List2->setLargeurColonne(
        2, std::max(pixels(1440, d),
                    List2->fontMetrics().horizontalAdvance(QStringLiteral("Fenêtre normale")) +
                        List2->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) * 2 + 16));
    List2->setLargeurColonne(3, 0);

    Toolbar1 = new QToolBar;
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar2 = new QToolBar;
    Toolbar2->setObjectName(QStringLiteral("Toolbar2"));

    PictureA = construirePanneau(0, QStringLiteral("Liste des rubriques"), List1, Toolbar1);
    PictureA->setObjectName(QStringLiteral("PictureA"));
    PictureB = construirePanneau(1, QStringLiteral("Liste des Logiciels de la rubrique"), List2,
                                 Toolbar2);
    PictureB->setObjectName(QStringLiteral("PictureB"));
    PictureA->setAccessibleName(QStringLiteral("Volet des rubriques"));
    PictureB->setAccessibleName(QStringLiteral("Volet des logiciels de la rubrique"));
    Toolbar1->setAccessibleName(QStringLiteral("Barre d'outils des rubriques"));
    Toolbar2->setAccessibleName(QStringLiteral("Barre d'outils des logiciels"));
    PictureA->setMinimumWidth(pixels(MinimumPictureA, d));
    PictureB->setMinimumWidth(pixels(MinimumPictureB, d));
    m_recherche = new Recherche(*this);
    PageAccueil = new Accueil;
    auto* panneauB = static_cast<QBoxLayout*>(PictureB->layout());
    panneauB->insertWidget(panneauB->indexOf(List2), m_recherche->champ());
    panneauB->addWidget(m_recherche->resultats(), 1);
    panneauB->addWidget(PageAccueil, 1);
    PageAccueil->hide();
    connect(PageAccueil, &Accueil::creer, this, [this] { Mnu_OutRub_Click(0); });
    connect(PageAccueil, &Accueil::importer, this, [this] { Importer_Applications(*this); });

    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(PictureA);
    Splitter1->addWidget(PictureB);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);

    auto* centre = new QWidget;
    auto* disposition = new QVBoxLayout(centre);
    disposition->setContentsMargins(pixels(120, d), pixels(120, d), pixels(120, d), 0);
    disposition->addWidget(Splitter1);
    setCentralWidget(centre);

    StatusBar1 = new BarreEtat(m_services.clavier, this);
    setStatusBar(StatusBar1);

    construireMenus();
    construireBarres();

    // One cause for reloading List2: List1's current row changed, whatever changed it.
    connect(List1->selection(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_suiviSuspendu)
            List1_Click();
    });
    connect(m_modeleRubriques, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_suiviSuspendu = true; });
    connect(m_modeleRubriques, &QAbstractItemModel::modelReset, this, &Menu::apresRelecture);
    connect(List2, &ListeVue::activation, this, &Menu::List2_DblClick);
    connect(List1, &ListeVue::menuContextuel, this, &Menu::List1_MouseDown);
    connect(List2, &ListeVue::menuContextuel, this, &Menu::List2_MouseDown);
    List1->installEventFilter(this);
    List2->installEventFilter(this);
    m_glisser = new Glisser(*this);

    // The icon store keeps the images of the rows on screen; those it let go come back when
    // shown again.
    m_reprise = std::make_unique<RepriseIcones>(*m_icones);
    m_icones->setEnUsage(
        [this] { return List2->imagesVisibles() + m_recherche->resultats()->imagesVisibles(); });
    connect(m_reprise.get(), &RepriseIcones::reprises, this, [this] {
        m_modeleRaccourcis->rafraichirIcones();
        m_recherche->resultats()->modele()->rafraichirIcones();
    });
}

QWidget* Menu::construirePanneau(int index, const QString& titre, ListeVue* liste,
                                 QToolBar* barre)
{
    auto* panneau = new QWidget;
    auto* v = new QVBoxLayout(panneau);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    Label1[index] = new QLabel(titre);
    Label1[index]->setObjectName(QStringLiteral("Label1_%1").arg(index));
    QFont police(QString::fromLatin1(PoliceTitres));
    police.setPointSizeF(8.25);
    Label1[index]->setFont(police);
    barre->setIconSize(QSize(16, 16));
    barre->setMovable(false);
    barre->setFloatable(false);
    v->addWidget(Label1[index]);
    v->addWidget(barre);
    v->addWidget(liste, 1);
    return panneau;
}

void Menu::preparerPolices()
{
    QFontDatabase::families();
    for (const QString& famille : {QGuiApplication::font().family(),
                                   QString::fromLatin1(PoliceMenus),
                                   QString::fromLatin1(PoliceTitres)})
        QFontMetrics(QFont(famille)).height();
}

QString Menu::dossierRubriques() const
{
    return lanceron::dossierRubriques(m_dossierApplication);
}

QString Menu::cheminReglages() const
{
    return lanceron::cheminReglages(m_dossierApplication);
}

// ------------------------------------------------------------------------ start-up, shutdown

void Menu::Form_Load()
{
    // Centre the window with its designed size, then widen it; the left edge stays.
    const double d = dpi();
    const int menuBarre = menuBar()->sizeHint().height();
    const QSize concue(pixels(LargeurClient, d), pixels(HauteurClient, d) + menuBarre);
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const QRect zone = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize cadre = frameGeometry().size() - geometry().size();
    move(zone.x() + (zone.width() - concue.width() - cadre.width()) / 2,
         zone.y() + (zone.height() - concue.height() - cadre.height()) / 2);
    resize(pixels(LargeurDemarrage, d) - cadre.width(), concue.height());
    if (!isVisible())
        m_tailleDemandee = size() + cadre;

    m_xp = Version_Windows().left(10) == QLatin1String("Windows XP");

    // From here on a failing step is skipped and start-up goes on.
    QDir().mkpath(dossierRubriques());
    Lire_Options();
    // Filling the rubrique list selects its first row, and the shortcut list follows: the first
    // rubrique's shortcuts are loaded once.
    Affiche_Rubrique();
    Menu_XP();
    placerSplitter();
    Splitter1_Resize();
}

void Menu::closeEvent(QCloseEvent* e)
{
    if (m_ajouter)
        m_ajouter->close();
    Ecrire_Options();
    e->accept();
}

void Menu::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // The window frame is known only once the window is shown: keep the outer size asked for.
    if (m_tailleDemandee) {
        QTimer::singleShot(0, this, [this] {
            if (!m_tailleDemandee || windowState() != Qt::WindowNoState)
                return;
            const QSize cadre = frameGeometry().size() - geometry().size();
            if (!cadre.isEmpty())
                resize(*m_tailleDemandee - cadre);
            m_tailleDemandee.reset();
        });
    }
    placerSplitter();
}

// ------------------------------------------------------------------------------ settings

void Menu::Lire_Options()
{
    lanceron::Lire_Options(cheminReglages(), Options_Depuis_Menu == 1, *this);
}

bool Menu::Ecrire_Options()
{
    return lanceron::Ecrire_Options(cheminReglages(), *this);
}

Options* Menu::options()
{
    if (!m_options) {
        m_options = new Options(*this);
        m_options->Form_Load();
    }
    return m_options;
}

void Menu::Afficher_Options()
{
    Options_Depuis_Menu = 1;
    options()->exec();
}

Ajouter* Menu::ajouter()
{
    // An editor closed but not yet destroyed belongs to the rubrique it was opened on.
    if (m_ajouter && !m_ajouter->isVisible())
        delete m_ajouter;
    if (!m_ajouter) {
        m_ajouter = new Ajouter(*this);
        m_ajouter->Form_Load();
    }
    return m_ajouter;
}

qint16 Menu::option(int index)
{
    return static_cast<qint16>(options()->valeur(index));
}

bool Menu::appliquerOption(int index, qint16 valeur)
{
    return options()->setValeur(index, valeur);
}

bool Menu::appliquerSplitter(const QString& texte)
{
    bool ok = false;
    const double position = texte.trimmed().toDouble(&ok);
    if (!ok || position < 0 || position > 32767)
        return false;
    m_positionSplitter = position;
    m_splitterPlace = false;
    placerSplitter();
    return true;
}

void Menu::placerSplitter()
{
    // The position read from the settings is given once; afterwards the splitter keeps the
    // user's (a minimise and restore shows the window again without moving the bar).
    const int total = Splitter1->width() - Splitter1->handleWidth();
    if (m_splitterPlace || total <= 0 || !isVisible())
        return;
    const int gauche = pixels(m_positionSplitter, dpi());
    Splitter1->setSizes({gauche, std::max(0, total - gauche)});
    m_splitterPlace = true;
}

double Menu::splitter() const
{
    if (!m_splitterPlace || Splitter1->sizes().isEmpty())
        return m_positionSplitter;
    return twips(Splitter1->sizes().constFirst(), dpi());
}

bool Menu::appliquerVue(int liste, qint32 mode)
{
    return (liste == 1 ? List1 : List2)->setView(mode);
}

qint32 Menu::vue(int liste) const
{
    return (liste == 1 ? List1 : List2)->View();
}

qint32 Menu::etatFenetre() const
{
    if (isMinimized())
        return 1;
    if (isMaximized())
        return 2;
    if (isFullScreen())
        return 3;
    return 0;
}

void Menu::maximiser()
{
    setWindowState(windowState() | Qt::WindowMaximized);
}

void Menu::appliquerGeometrie(const GeometrieTwips& g)
{
    const double d = dpi();
    const QSize cadre = frameGeometry().size() - geometry().size();
    QSize taille = frameGeometry().size();
    if (g.hauteur)
        taille.setHeight(pixels(*g.hauteur, d));
    if (g.largeur)
        taille.setWidth(pixels(*g.largeur, d));
    if (taille.width() > 0 && taille.height() > 0) {
        resize(taille - cadre);
        if (!isVisible())
            m_tailleDemandee = taille;
    }
    if (!g.haut || !g.gauche)
        return;
    // A position that lies on no screen any more (a monitor was removed) is not applied.
    const QRect voulu(pixels(*g.gauche, d), pixels(*g.haut, d), taille.width(), taille.height());
    const auto ecrans = QGuiApplication::screens();
    const bool visible = std::any_of(ecrans.begin(), ecrans.end(), [&](const QScreen* s) {
        const QRect commun = s->availableGeometry().intersected(voulu);
        return commun.width() >= 40 && commun.height() >= 20;
    });
    if (visible)
        move(voulu.topLeft());
}

GeometrieTwips Menu::geometrie() const
{
    const double d = dpi();
    const QRect r = frameGeometry();
    return {static_cast<float>(twips(r.height(), d)), static_cast<float>(twips(r.width(), d)),
            static_cast<float>(twips(r.y(), d)), static_cast<float>(twips(r.x(), d))};
}

// ----------------------------------------------------------------------------- rubriques

void Menu::Affiche_Rubrique()
{
    m_catalogue->relire();
    cocherVues();
}

void Menu::Actualiser_Rubrique(const QString& fichier)
{
    QScopedValueRollback voulue(m_rubriqueVoulue, fichier);
    Affiche_Rubrique();
}

void Menu::apresRelecture()
{
    {
        QScopedValueRollback suspendu(m_suiviSuspendu, true);
        const QString voulue =
            m_rubriqueVoulue.isEmpty() ? m_modeleRaccourcis->fichier() : m_rubriqueVoulue;
        const qsizetype i = m_catalogue->indexFichier(voulue);
        if (i >= 0)
            List1->setSelectedIndex(static_cast<int>(i) + 1);
    }
    m_suiviSuspendu = false;
    afficherAccueil();
    if (List1->Count() == 0) {
        if (!m_modeleRaccourcis->fichier().isEmpty())
            m_modeleRaccourcis->lier({});
    } else if (fichierRubriqueSelectionnee() != m_modeleRaccourcis->fichier()) {
        List1_Click();
    }
}

void Menu::afficherAccueil()
{
    const bool vide = List1->Count() == 0;
    if (PageAccueil->isHidden() == vide) {
        List2->setHidden(vide);
        m_recherche->champ()->setHidden(vide);
        PageAccueil->setHidden(!vide);
    }
}

QString Menu::rubriqueSelectionnee() const
{
    return List1->texte(List1->SelectedIndex());
}

QString Menu::fichierRubriqueSelectionnee() const
{
    return m_modeleRubriques->fichier(List1->SelectedIndex() - 1);
}

QString Menu::rubriqueAffichee() const
{
    return m_modeleRaccourcis->fichier();
}

void Menu::List1_Click()
{
    if (List1->Count() == 0 || m_attentePremiereImage)
        return;
    const QString fichier = fichierRubriqueSelectionnee();
    m_modeleRaccourcis->lier(fichier);
    const QString refus = m_catalogue->refus(fichier);
    if (!refus.isEmpty())
        StatusBar1->afficherMessage(QStringLiteral("La rubrique « %1 » ne peut pas être lue : %2")
                                        .arg(Catalogue::nomDe(fichier), refus),
                                    15000);
}

// ---------------------------------------------------------------------------- shortcuts

bool Menu::Ajouter_Logiciel_Liste(const QString& fichier, const Raccourci& raccourci)
{
    return Enregistrer_Fichier(m_catalogue->ajouterRaccourci(fichier, raccourci));
}

void Menu::List2_DblClick()
{
    if (List2->Count() == 0)
        return;
    const Raccourci& r = m_modeleRaccourcis->raccourci(List2->SelectedIndex() - 1);
    // Copies: minimising the window below runs events that may reload the list.
    const QString nom = r.Nom;
    const QString dossier = r.Dossier;
    const QString commande = r.Commande;
    const Affichage affichage = affichagePour(r.Executer);
    if (option(2) == 1)
        setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    const ResultatLancement resultat = m_services.shell->lancer(dossier, commande, affichage);
    if (!resultat.ok)
        StatusBar1->afficherMessage(QStringLiteral("Impossible de lancer « %1 » : %2")
                                        .arg(nom.isEmpty() ? dossier : nom, resultat.erreur));
}

bool Menu::Enregistrer_Fichier(const Resultat& resultat)
{
    if (resultat.fait())
        return true;
    const bool refus = resultat.issue == Resultat::Issue::Refuse;
    m_services.prompts->message(this, resultat.raison,
                                refus ? QStringLiteral("Information") : QStringLiteral("Attention"),
                                refus ? IconeMessage::Information : IconeMessage::Avertissement,
                                BoutonsMessage::Ok);
    return false;
}

} // namespace lanceron
