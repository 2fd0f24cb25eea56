#pragma once
// The main window `Menu`: the rubrique list `List1` on the left, the shortcut list `List2` on
// the right, the status bar, start-up (Form_Load) and shutdown (closeEvent). It shows the
// catalogue (Catalogue) through two models: List1 one row per rubrique file, List2 the shortcuts
// of one rubrique, always the rubrique of List1's current row: whatever moves that row (any
// mouse button, the keyboard, a refresh, a rubrique operation), List2 follows.

#include "catalogue/catalogue.h"
#include "platform/services.h"
#include "storage/fichier_ini.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace lanceron {

class Accueil;
class Ajouter;
class BarreEtat;
class Glisser;
class IcoFichier;
class ListeVue;
class ModeleRaccourcis;
class ModeleRubriques;
class Options;
class Recherche;
class RepriseIcones;

class Menu final : public QMainWindow, private CibleReglages {
    Q_OBJECT
public:
    Menu(const QString& dossierApplication, const Services& services, QWidget* parent = nullptr);
    ~Menu() override;

    // Start-up, from the centring to the pane layout. The single-instance check is made
    // before the window is created.
    void Form_Load();
    // At start-up, before Form_Load: the shortcut list is filled once the window's first frame
    // is painted, so that a long rubrique does not delay it.
    void remplirApresPremiereImage() { m_attentePremiereImage = true; }

    // The families of the menus' texts and of the panes' titles.
    static constexpr char PoliceMenus[] = "Tahoma";
    static constexpr char PoliceTitres[] = "Verdana";
    // Reads the font database and finds the fonts of the window's texts (a family that is not
    // installed costs a search for its replacement), so that the window does not wait for it:
    // for a thread of its own at start-up, before the window is built.
    static void preparerPolices();

    // Settings file.
    void Lire_Options();
    bool Ecrire_Options();
    // Set when the user opens the options dialog from the menu; never reset.
    int Options_Depuis_Menu = 0;

    // Rubrique list. Affiche_Rubrique reads the folder again and keeps the selected rubrique
    // (the first row when it is gone); Actualiser_Rubrique does the same but selects the
    // rubrique `fichier` when it is listed. List2 follows the selection.
    void Affiche_Rubrique();
    void Actualiser_Rubrique(const QString& fichier = {});
    // Loads the shortcuts of List1's current rubrique into List2 (reads its file).
    void List1_Click();

    // Shortcut list.
    // Adds the shortcut to the rubrique `fichier` and saves it; List2 shows the new row when it
    // shows that rubrique. Tells the user when it fails.
    bool Ajouter_Logiciel_Liste(const QString& fichier, const Raccourci& raccourci);
    void List2_DblClick();
    // Tells the user when an operation on the catalogue was refused or could not save; true
    // when it was done.
    bool Enregistrer_Fichier(const Resultat& resultat);

    // The rubrique of List1's current row: its name and its file ("" when none).
    QString rubriqueSelectionnee() const;
    QString fichierRubriqueSelectionnee() const;
    // The rubrique whose shortcuts List2 shows (its file, "" when none).
    QString rubriqueAffichee() const;
    Catalogue& catalogue() { return *m_catalogue; }
    ModeleRaccourcis& raccourcis() { return *m_modeleRaccourcis; }
    // The search across every rubrique, above the shortcut list.
    Recherche& recherche() { return *m_recherche; }
    // Drag and drop, and moving shortcuts from the keyboard.
    Glisser& glisser() { return *m_glisser; }
    QString dossierApplication() const { return m_dossierApplication; }
    QString dossierRubriques() const;
    QString cheminReglages() const;

    // Commands. Each top menu's items form one array; separators keep their index.
    void Mnu_OutFich_Click(int Index);
    void Mnu_OutRub_Click(int Index);
    void Mnu_OutLog_Click(int Index);
    void Mnu_OutAffichage_Click(int Index);
    void Mnu_OutAide_Click(int Index);
    void Mnu_AffRub_Ico_Click(int Index);
    void Mnu_AffDoss_Ico_Click(int Index);
    // "Actualiser les listes": the rubrique list read again from the folder.
    void Actualiser_Les_Listes();
    // Toolbar buttons, numbered from 1 as on the toolbar.
    void Toolbar1_ButtonClick(int Index);
    void Toolbar2_ButtonClick(int Index);
    // Pop-up menus of the two lists, at `position` (global).
    void List1_MouseDown(const QPoint& position);
    void List2_MouseDown(const QPoint& position);
    // Pictures beside twelve menu items.
    void Menu_XP();
    // Lays the panes' contents out: the column widths follow the lists.
    void Splitter1_Resize();

    QMenu* Mnu_Fichier = nullptr;
    QMenu* Mnu_Rubrique = nullptr;
    QMenu* Mnu_Dossier = nullptr;
    QMenu* Mnu_Affichage = nullptr;
    QMenu* Mnu_Info = nullptr;
    QList<QAction*> Mnu_OutFich, Mnu_OutRub, Mnu_OutLog, Mnu_OutAffichage, Mnu_OutAide;
    QList<QAction*> Mnu_AffRub_Ico, Mnu_AffDoss_Ico;
    // "Importer les applications installées…", first in the Fichier menu.
    QAction* Mnu_Importer = nullptr;
    // "Déplacer vers la rubrique…", after "Supprimer de la liste" in the Logiciel menu.
    QAction* Mnu_Deplacer = nullptr;
    // Toolbar buttons, index 0 holding button 1.
    QList<QAction*> Toolbar1_Buttons, Toolbar2_Buttons;
    // Toolbar and menu pictures, index 0 holding picture 1.
    QList<QIcon> IcoBarre;

    ListeVue* List1 = nullptr;
    ListeVue* List2 = nullptr;
    BarreEtat* StatusBar1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PictureA = nullptr;
    QWidget* PictureB = nullptr;
    QLabel* Label1[2] = {nullptr, nullptr};
    QToolBar* Toolbar1 = nullptr;
    QToolBar* Toolbar2 = nullptr;
    // Shown in the shortcut pane instead of List2 while there is no rubrique.
    Accueil* PageAccueil = nullptr;

    IcoFichier& icones() { return *m_icones; }
    const Services& services() const { return m_services; }
    // Options check boxes 0 to 3 as they stand.
    qint16 option(int index) override;
    // The options dialog, loaded (hidden) on first use; it holds the four options.
    Options* options();
    // "Options": sets the options-opened flag, then shows the dialog modally.
    void Afficher_Options();
    // The shortcut editor, loaded when not open, over the rubrique shown; it destroys itself
    // when closed.
    Ajouter* ajouter();

signals:
    // The window's first frame was painted.
    void premiereImage();

protected:
    void closeEvent(QCloseEvent* e) override; // Form_QueryUnload
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // CibleReglages: where the settings live while the program runs.
    bool appliquerOption(int index, qint16 valeur) override;
    bool appliquerSplitter(const QString& texte) override;
    double splitter() const override;
    bool appliquerVue(int liste, qint32 vue) override;
    qint32 vue(int liste) const override;
    qint32 etatMemorise() const override { return m_etatFenetre; }
    void memoriserEtat(qint32 etat) override { m_etatFenetre = etat; }
    qint32 etatFenetre() const override;
    void maximiser() override;
    void appliquerGeometrie(const GeometrieTwips& g) override;
    GeometrieTwips geometrie() const override;

    void construire();
    void construireMenus();
    void construireBarres();
    void cocherVues();
    void afficherMenuSurgissant(QMenu* menu, QAction* parDefaut, const QPoint& position);
    QWidget* construirePanneau(int index, const QString& titre, ListeVue* liste, QToolBar* barre);
    double dpi() const;
    void placerSplitter();
    // After the rubrique list was read again: the rubrique wanted (or the one List2 shows)
    // selected again when still listed, and List2 following the selection.
    void apresRelecture();
    // The welcome page while the rubrique list is empty, List2 otherwise.
    void afficherAccueil();

    QString m_dossierApplication;
    Services m_services;
    std::unique_ptr<IcoFichier> m_icones;
    std::unique_ptr<RepriseIcones> m_reprise; // after the store, which it is given to
    Catalogue* m_catalogue = nullptr;
    ModeleRubriques* m_modeleRubriques = nullptr;
    ModeleRaccourcis* m_modeleRaccourcis = nullptr;
    Recherche* m_recherche = nullptr;
    Glisser* m_glisser = nullptr;
    bool m_suiviSuspendu = false; // List1 being refilled: List2 waits
    bool m_attentePremiereImage = false; // see remplirApresPremiereImage()
    QString m_rubriqueVoulue;     // the rubrique to select once the list is read again
    QPointer<Options> m_options;
    QPointer<Ajouter> m_ajouter;
    qint32 m_etatFenetre = 0;
    double m_positionSplitter = 3170; // twips
    bool m_splitterPlace = false;     // the position read has been given to the splitter
    std::optional<QSize> m_tailleDemandee; // outer size asked for before the frame was known
    // Set at start-up when the system is named "Windows XP" (never on Linux): the frame
    // allowance of the old layout. The Qt layouts here size the panes from the client area.
    bool m_xp = false;
};

} // namespace lanceron
