#include "main_window/modeles.h"

#include "icons/chargeur_icones.h"
#include "icons/ico_fichier.h"

#include <QPixmap>

namespace lanceron {

// ------------------------------------------------------------------------ ModeleRubriques

ModeleRubriques::ModeleRubriques(Catalogue& catalogue, const QIcon& icone, QObject* parent)
    : ModeleListe({QStringLiteral("Nom de la rubrique")}, parent), m_catalogue(catalogue),
      m_icone(icone), m_rubriques(catalogue.rubriques())
{
    connect(&m_catalogue, &Catalogue::rubriquesRelues, this, &ModeleRubriques::relire);
}

void ModeleRubriques::relire()
{
    beginResetModel();
    m_rubriques = m_catalogue.rubriques();
    m_survolee = -1;
    endResetModel();
}

int ModeleRubriques::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rubriques.size());
}

QString ModeleRubriques::texte(int ligne, int colonne) const
{
    return colonne == 0 && ligne >= 0 && ligne < m_rubriques.size() ? m_rubriques[ligne].nom
                                                                    : QString();
}

QIcon ModeleRubriques::icone(int) const
{
    return m_icone;
}

QString ModeleRubriques::fichier(int ligne) const
{
    return ligne >= 0 && ligne < m_rubriques.size() ? m_rubriques[ligne].fichier : QString();
}

// ----------------------------------------------------------------------- ModeleRaccourcis

ModeleRaccourcis::ModeleRaccourcis(Catalogue& catalogue, IcoFichier& icones, QObject* parent)
    : ModeleListe({QStringLiteral("Nom du raccourci"), QStringLiteral("Dossier de l'application"),
                   QStringLiteral("Exécuter"), QStringLiteral("Commande")},
                  parent),
      m_catalogue(catalogue), m_icones(icones),
      m_chargeur(std::make_unique<ChargeurIcones>(icones))
{
    connect(&m_catalogue, &Catalogue::raccourcisChanges, this, &ModeleRaccourcis::suivre);
    connect(m_chargeur.get(), &ChargeurIcones::prets, this, &ModeleRaccourcis::iconesPretes);
    for (int cote : {32, 16}) {
        QPixmap vide(cote, cote);
        vide.fill(Qt::transparent);
        m_attente.addPixmap(vide);
    }
}

ModeleRaccourcis::~ModeleRaccourcis() = default;

bool ModeleRaccourcis::iconesEnCours() const
{
    return m_chargeur->enCours();
}

void ModeleRaccourcis::terminerIcones()
{
    m_chargeur->terminer();
}

void ModeleRaccourcis::retenirIcones(bool oui)
{
    m_chargeur->retenir(oui);
}

int ModeleRaccourcis::image(int ligne) const
{
    if (const int n = m_images.value(ligne))
        return n;
    if (ligne < 0 || ligne >= m_images.size() || !m_chargeur->enCours())
        return 0;
    return m_chargeur->numero(m_entrees.isEmpty() ? ligne : m_entrees[ligne]);
}

void ModeleRaccourcis::iconesPretes(const QList<int>& entrees)
{
    int premiere = static_cast<int>(m_images.size());
    int derniere = -1;
    for (int e : entrees) {
        const int ligne = m_entrees.isEmpty() ? e : static_cast<int>(m_entrees.indexOf(e));
        if (ligne < 0 || ligne >= m_images.size())
            continue;
        m_images[ligne] = m_chargeur->numero(e);
        premiere = std::min(premiere, ligne);
        derniere = std::max(derniere, ligne);
    }
    if (derniere >= 0)
        emit dataChanged(index(premiere, 0), index(derniere, 0), {Qt::DecorationRole});
}

void ModeleRaccourcis::detacherEntrees()
{
    if (!m_chargeur->enCours() || !m_entrees.isEmpty())
        return;
    m_entrees.reserve(m_images.size());
    for (int e = 0; e < m_images.size(); ++e)
        m_entrees.append(e);
}

void ModeleRaccourcis::lier(const QString& fichier)
{
    m_fichier = fichier;
    if (fichier.isEmpty())
        suivre({});
    else
        m_catalogue.charger(fichier); // tells the change, which fills the list
}

int ModeleRaccourcis::imageDe(const Raccourci& r) const
{
    return m_icones.Ajouter_Icone(r.Dossier);
}

void ModeleRaccourcis::suivre(const Changement& c)
{
    if (c.fichier != m_fichier)
        return;
    using Sorte = Changement::Sorte;
    const QList<Raccourci>& apres = m_catalogue.raccourcis(m_fichier);
    const int i = static_cast<int>(c.index);
    switch (c.sorte) {
    case Sorte::Tout: {
        beginResetModel();
        m_raccourcis = apres;
        QStringList chemins;
        chemins.reserve(m_raccourcis.size());
        for (const Raccourci& r : std::as_const(m_raccourcis))
            chemins.append(r.Dossier);
        m_entrees.clear();
        m_images = m_chargeur->charger(chemins);
        m_survolee = -1;
        endResetModel();
        break;
    }
    case Sorte::Ajout:
        // Its icon key may depend on the rows before it.
        m_chargeur->terminer();
        beginInsertRows({}, i, i);
        m_raccourcis = apres;
        m_images.insert(i, imageDe(m_raccourcis.at(i)));
        if (!m_entrees.isEmpty())
            m_entrees.insert(i, -1);
        endInsertRows();
        break;
    case Sorte::Retrait:
        detacherEntrees();
        beginRemoveRows({}, i, i);
        m_raccourcis = apres;
        m_images.removeAt(i);
        if (!m_entrees.isEmpty())
            m_entrees.removeAt(i);
        if (m_survolee >= m_raccourcis.size())
            m_survolee = -1;
        endRemoveRows();
        break;
    case Sorte::Modification:
        m_raccourcis = apres;
        emit dataChanged(index(i, 0), index(i, columnCount() - 1));
        break;
    case Sorte::Deplacement: {
        const int vers = static_cast<int>(c.vers);
        detacherEntrees();
        beginMoveRows({}, i, i, {}, vers > i ? vers + 1 : vers);
        m_raccourcis = apres;
        m_images.move(i, vers);
        if (!m_entrees.isEmpty())
            m_entrees.move(i, vers);
        endMoveRows();
        break;
    }
    }
}

int ModeleRaccourcis::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_raccourcis.size());
}

QString ModeleRaccourcis::texte(int ligne, int colonne) const
{
    if (ligne < 0 || ligne >= m_raccourcis.size())
        return {};
    const Raccourci& r = m_raccourcis[ligne];
    switch (colonne) {
    case 0: return r.Nom;
    case 1: return r.Dossier;
    case 2: return r.Executer;
    case 3: return r.Commande;
    default: return {};
    }
}

QIcon ModeleRaccourcis::icone(int ligne) const
{
    if (ligne < 0 || ligne >= m_images.size())
        return {};
    if (const int n = m_images[ligne])
        return m_icones.icone(n);
    // Asked for to be painted: wanted before the others.
    m_chargeur->demander(m_entrees.isEmpty() ? ligne : m_entrees[ligne]);
    return m_attente;
}

} // namespace lanceron
