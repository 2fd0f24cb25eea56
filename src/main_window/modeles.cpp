#include "main_window/modeles.h"

#include "icons/ico_fichier.h"

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
      m_catalogue(catalogue), m_icones(icones)
{
    connect(&m_catalogue, &Catalogue::raccourcisChanges, this, &ModeleRaccourcis::suivre);
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
        m_images.clear();
        m_images.reserve(m_raccourcis.size());
        for (const Raccourci& r : std::as_const(m_raccourcis))
            m_images.append(imageDe(r));
        m_survolee = -1;
        endResetModel();
        break;
    }
    case Sorte::Ajout:
        beginInsertRows({}, i, i);
        m_raccourcis = apres;
        m_images.insert(i, imageDe(m_raccourcis.at(i)));
        endInsertRows();
        break;
    case Sorte::Retrait:
        beginRemoveRows({}, i, i);
        m_raccourcis = apres;
        m_images.removeAt(i);
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
        beginMoveRows({}, i, i, {}, vers > i ? vers + 1 : vers);
        m_raccourcis = apres;
        m_images.move(i, vers);
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
    return m_icones.icone(m_images.value(ligne));
}

} // namespace lanceron
