#include "main_window/recherche.h"

#include "icons/ico_fichier.h"
#include "main_window/attente.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>

namespace lanceron {

// ------------------------------------------------------------------------ ModeleResultats

ModeleResultats::ModeleResultats(IcoFichier& icones, QObject* parent)
    : ModeleListe({QStringLiteral("Nom du raccourci"), QStringLiteral("Rubrique"),
                   QStringLiteral("Dossier de l'application"), QStringLiteral("Exécuter")},
                  parent),
      m_icones(icones)
{
}

void ModeleResultats::remplir(const QList<Trouvaille>& trouvailles)
{
    beginResetModel();
    m_trouvailles = trouvailles;
    m_images.clear();
    m_survolee = -1;
    endResetModel();
}

int ModeleResultats::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_trouvailles.size());
}

QString ModeleResultats::texte(int ligne, int colonne) const
{
    if (ligne < 0 || ligne >= m_trouvailles.size())
        return {};
    const Trouvaille& t = m_trouvailles.at(ligne);
    switch (colonne) {
    case 0:
        return t.raccourci.Nom;
    case 1:
        return Catalogue::nomDe(t.fichier);
    case 2:
        return t.raccourci.Dossier;
    case 3:
        return t.raccourci.Executer;
    default:
        return {};
    }
}

QIcon ModeleResultats::icone(int ligne) const
{
    if (ligne < 0 || ligne >= m_trouvailles.size())
        return {};
    auto it = m_images.constFind(ligne);
    if (it == m_images.cend())
        it = m_images.insert(ligne,
                             m_icones.Ajouter_Icone(m_trouvailles.at(ligne).raccourci.Dossier));
    return m_icones.icone(*it);
}

QVariant ModeleResultats::data(const QModelIndex& index, int role) const
{
    if (role == Qt::ToolTipRole && index.isValid())
        return QStringLiteral("Rubrique : %1").arg(texte(index.row(), 1));
    return ModeleListe::data(index, role);
}

// ------------------------------------------------------------------------------ Recherche

Recherche::Recherche(Menu& menu)
    : QObject(&menu), m_menu(menu), m_champ(new QLineEdit),
      m_modele(new ModeleResultats(menu.icones(), this)), m_resultats(new ListeVue(m_modele))
{
    m_champ->setObjectName(QStringLiteral("Champ_Recherche"));
    m_champ->setPlaceholderText(QStringLiteral("Rechercher un logiciel…"));
    m_champ->setAccessibleName(QStringLiteral("Rechercher un logiciel"));
    m_champ->setClearButtonEnabled(true);
    m_champ->installEventFilter(this);
    m_resultats->setObjectName(QStringLiteral("ListeResultats"));
    m_resultats->setNomAccessible(QStringLiteral("Logiciels trouvés dans toutes les rubriques"));
    m_resultats->hide();
    m_resultats->installEventFilter(this);

    connect(m_champ, &QLineEdit::textChanged, this, &Recherche::chercher);
    connect(m_resultats, &ListeVue::activation, this, &Recherche::lancer);
    connect(m_resultats, &ListeVue::menuContextuel, &menu, &Menu::List2_MouseDown);
    // Whatever changes the catalogue makes the index old; it is read again when next needed.
    const auto perime = [this] {
        m_index.vider();
        m_indexPerime = m_indexPrepare.valid();
        // Results on screen are searched again once the change is done, unless a command did.
        if (m_active) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!m_index.construit())
                        relancer();
                },
                Qt::QueuedConnection);
        }
    };
    connect(&menu.catalogue(), &Catalogue::rubriquesRelues, this, perime);
    connect(&menu.catalogue(), &Catalogue::raccourcisChanges, this, perime);

    for (const QKeySequence& touche :
         {QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_Slash)}) {
        auto* raccourci = new QShortcut(touche, &menu);
        connect(raccourci, &QShortcut::activated, this, [this] {
            m_champ->setFocus(Qt::ShortcutFocusReason);
            m_champ->selectAll();
        });
    }
    // Another rubrique chosen in the rubrique list: the search ends, that rubrique is shown.
    connect(menu.List1->selection(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (m_active && !m_placement) {
            m_rubriqueAvant.clear();
            finir();
        }
    });
    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), m_resultats);
    echap->setContext(Qt::WidgetWithChildrenShortcut);
    connect(echap, &QShortcut::activated, this, &Recherche::finir);
}

bool Recherche::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == m_champ && evenement->type() == QEvent::FocusIn) {
        // Read before the first letter is typed, so that it is answered at once.
        preparerIndex();
    } else if (objet == m_champ && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Escape && !m_champ->text().isEmpty()) {
            finir();
            return true;
        }
        if (m_active && touche->key() == Qt::Key_Down) {
            m_resultats->vueActive()->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (m_active && (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter)) {
            lancer();
            return true;
        }
    }
    return QObject::eventFilter(objet, evenement);
}

void Recherche::demarrer()
{
    m_active = true;
    m_rubriqueAvant = m_menu.rubriqueAffichee();
    m_resultats->setView(m_menu.List2->View());
    const ListeVue* liste = m_menu.List2;
    m_resultats->setLargeurColonne(0, liste->largeurColonne(0));
    m_resultats->setLargeurColonne(1, liste->largeurColonne(2));
    m_resultats->setLargeurColonne(2, liste->largeurColonne(1));
    m_resultats->setLargeurColonne(3, liste->largeurColonne(2));
    m_resultats->setGridLines(liste->GridLines());
    m_resultats->setHotTracking(liste->HotTracking());
    m_menu.List2->hide();
    m_resultats->show();
}

void Recherche::chercher()
{
    const QString texte = m_champ->text();
    if (texte.isEmpty()) {
        finir();
        return;
    }
    if (!m_active)
        demarrer();
    attendreIndex();
    m_modele->remplir(m_index.chercher(texte, MaximumResultats));
}

void Recherche::preparerIndex()
{
    if (m_index.construit() || m_indexPrepare.valid())
        return;
    m_indexPerime = false;
    m_indexPrepare = std::async(std::launch::async, [rubriques = m_menu.catalogue().rubriques(),
                                                     dossier = m_menu.catalogue().dossier()] {
        IndexRecherche index;
        index.construire(rubriques, dossier);
        return index;
    });
}

void Recherche::attendreIndex()
{
    if (m_indexPrepare.valid()) {
        attendreSansFiger([this] { m_indexPrepare.wait(); });
        IndexRecherche lu = m_indexPrepare.get();
        if (!m_indexPerime)
            m_index = std::move(lu);
    }
    if (!m_index.construit()) {
        const QList<Rubrique> rubriques = m_menu.catalogue().rubriques();
        const QString dossier = m_menu.catalogue().dossier();
        attendreSansFiger([&] { m_index.construire(rubriques, dossier); });
    }
}

void Recherche::relancer()
{
    if (!m_active)
        return;
    const int ligne = m_resultats->SelectedIndex();
    m_index.vider();
    attendreIndex();
    m_modele->remplir(m_index.chercher(m_champ->text(), MaximumResultats));
    m_resultats->setSelectedIndex(std::min(ligne, m_resultats->Count()));
}

void Recherche::finir()
{
    if (!m_champ->text().isEmpty()) {
        m_champ->clear(); // comes back here through textChanged
        return;
    }
    if (!m_active)
        return;
    m_active = false;
    m_modele->remplir({});
    m_resultats->hide();
    m_menu.List2->setHidden(m_menu.List1->Count() == 0);
    const qsizetype i = m_menu.catalogue().indexFichier(m_rubriqueAvant);
    if (i >= 0)
        m_menu.List1->setSelectedIndex(static_cast<int>(i) + 1);
}

bool Recherche::placer()
{
    const int ligne = m_resultats->SelectedIndex();
    if (ligne == 0)
        return false;
    const Trouvaille t = m_modele->trouvaille(ligne - 1);
    const qsizetype rubrique = m_menu.catalogue().indexFichier(t.fichier);
    if (rubrique >= 0) {
        QScopedValueRollback placement(m_placement, true);
        m_menu.List1->setSelectedIndex(static_cast<int>(rubrique) + 1);
    }
    const int index = static_cast<int>(t.index);
    if (rubrique < 0 || m_menu.rubriqueAffichee() != t.fichier || index >= m_menu.List2->Count() ||
        m_menu.raccourcis().raccourci(index) != t.raccourci) {
        m_menu.Enregistrer_Fichier(
            Resultat::refus(QStringLiteral("Ce raccourci n'existe plus dans la rubrique « %1 ».")
                                .arg(Catalogue::nomDe(t.fichier))));
        relancer();
        return false;
    }
    m_menu.List2->setSelectedIndex(index + 1);
    return true;
}

void Recherche::lancer()
{
    if (placer())
        m_menu.List2_DblClick();
}

} // namespace lanceron
