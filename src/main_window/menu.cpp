#include "main_window/menu.h"

#include "about/version.h"
#include "catalogue/ajouter.h"
#include "icons/ico_fichier.h"
#include "main_window/barre_etat.h"
#include "main_window/liste_vue.h"
#include "main_window/twips.h"
#include "options/options.h"
#include "platform/dossier_application.h"
#include "platform/lancement.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <QCloseEvent>
#include <QCollator>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
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
    List1 = new ListeVue({QStringLiteral("Nom de la rubrique")});
    List1->setObjectName(QStringLiteral("List1"));
    const QIcon dossier = QIcon::fromTheme(QStringLiteral("folder"),
                                           style()->standardIcon(QStyle::SP_DirIcon));
    List1->setFournisseurIcones([dossier](int) { return dossier; });

    List2 = new ListeVue({QStringLiteral("Nom du raccourci"),
                          QStringLiteral("Dossier de l'application"), QStringLiteral("Exécuter"),
                          QStringLiteral("Commande")});
    List2->setObjectName(QStringLiteral("List2"));
    List2->setFournisseurIcones([this](int n) { return m_icones->icone(n); });
    const double d = dpi();
    List2->setLargeurColonne(1, pixels(3000, d));
    List2->setLargeurColonne(2, pixels(1440, d));
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
    PictureA->setMinimumWidth(pixels(MinimumPictureA, d));
    PictureB->setMinimumWidth(pixels(MinimumPictureB, d));

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

    connect(List1, &ListeVue::clic, this, &Menu::List1_Click);
    connect(List2, &ListeVue::activation, this, &Menu::List2_DblClick);
    connect(List1, &ListeVue::menuContextuel, this, &Menu::List1_MouseDown);
    connect(List2, &ListeVue::menuContextuel, this, &Menu::List2_MouseDown);
    List1->installEventFilter(this);
    List2->installEventFilter(this);
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
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSizeF(8.25);
    Label1[index]->setFont(verdana);
    barre->setIconSize(QSize(16, 16));
    barre->setMovable(false);
    barre->setFloatable(false);
    v->addWidget(Label1[index]);
    v->addWidget(barre);
    v->addWidget(liste, 1);
    return panneau;
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
    Affiche_Rubrique();
    List1_Click();
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
    placerSplitter();
    return true;
}

void Menu::placerSplitter()
{
    const int total = Splitter1->width() - Splitter1->handleWidth();
    if (total <= 0 || !isVisible())
        return;
    const int gauche = pixels(m_positionSplitter, dpi());
    Splitter1->setSizes({gauche, std::max(0, total - gauche)});
}

double Menu::splitter() const
{
    if (!isVisible() || Splitter1->sizes().isEmpty())
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
    QDir dossier(dossierRubriques());
    QStringList fichiers;
    const auto entrees = dossier.entryInfoList(QDir::Files | QDir::Hidden | QDir::Readable);
    for (const QFileInfo& f : entrees) {
        if (f.fileName().endsWith(QLatin1String(".ini"), Qt::CaseInsensitive))
            fichiers << f.fileName();
    }
    QCollator ordre{QLocale()};
    ordre.setNumericMode(true);
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(fichiers.begin(), fichiers.end(), ordre);

    QList<ElementListe> lignes;
    lignes.reserve(fichiers.size());
    for (const QString& f : fichiers)
        lignes.append({f.chopped(4), {}, 1, f});
    List1->remplacer(std::move(lignes));
    cocherVues();
}

void Menu::Actualiser_Rubrique()
{
    Affiche_Rubrique();
    List1_Click();
}

QString Menu::rubriqueSelectionnee() const
{
    const int i = List1->SelectedIndex();
    return i > 0 ? List1->Item(i).texte : QString();
}

QString Menu::fichierRubriqueSelectionnee() const
{
    const int i = List1->SelectedIndex();
    return i > 0 ? dossierRubriques() + QLatin1Char('/') + List1->Item(i).donnee : QString();
}

void Menu::List1_Click()
{
    if (List1->Count() == 0)
        return;
    const QList<Raccourci> raccourcis = Lire_Rubrique(fichierRubriqueSelectionnee());
    QList<ElementListe> lignes;
    lignes.reserve(raccourcis.size());
    for (const Raccourci& r : raccourcis)
        lignes.append({r.Nom, {r.Dossier, r.Executer, r.Commande}, m_icones->Ajouter_Icone(r.Dossier), {}});
    List2->remplacer(std::move(lignes));
}

// ---------------------------------------------------------------------------- shortcuts

void Menu::Ajouter_Logiciel_Liste(const QString& nom, const QString& dossier,
                                  const QString& executer, const QString& commande)
{
    List2->Add(nom, m_icones->Ajouter_Icone(dossier), {dossier, executer, commande});
}

void Menu::List2_DblClick()
{
    if (List2->Count() == 0)
        return;
    const ElementListe& ligne = List2->Item(List2->SelectedIndex());
    const QString dossier = ligne.sousElements.value(0);
    const QString executer = ligne.sousElements.value(1);
    const QString commande = ligne.sousElements.value(2);
    if (option(2) == 1)
        setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    const ResultatLancement r = m_services.shell->lancer(dossier, commande, affichagePour(executer));
    if (!r.ok)
        StatusBar1->afficherMessage(QStringLiteral("Impossible de lancer « %1 » : %2")
                                        .arg(ligne.texte.isEmpty() ? dossier : ligne.texte, r.erreur));
}

bool Menu::Enregistrer_Fichier()
{
    const QString fichier = fichierRubriqueSelectionnee();
    if (fichier.isEmpty())
        return false;
    QList<Raccourci> raccourcis;
    const auto lignes = List2->elements();
    raccourcis.reserve(lignes.size());
    for (const ElementListe& l : lignes)
        raccourcis.append({l.texte, l.sousElements.value(0), l.sousElements.value(1),
                           l.sousElements.value(2)});
    QString erreur;
    if (Ecrire_Rubrique(fichier, raccourcis, &erreur))
        return true;
    m_services.prompts->message(
        this,
        QStringLiteral("La rubrique « %1 » n'a pas pu être enregistrée.\n\n%2\n\n"
                       "Le fichier garde son contenu précédent.")
            .arg(rubriqueSelectionnee(), erreur),
        QStringLiteral("Attention"), IconeMessage::Avertissement, BoutonsMessage::Ok);
    return false;
}

} // namespace lanceron
