#include "catalogue/catalogue.h"

#include "catalogue/nom_rubrique.h"
#include "platform/chemins_natifs.h"
#include "platform/fichiers.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace lanceron {

namespace {

const QLatin1String Extension(".ini");

QString enregistrementImpossible(const QString& nom, const QString& raison)
{
    return QStringLiteral("La rubrique « %1 » n'a pas pu être enregistrée.\n\n%2\n\n"
                          "Le fichier garde son contenu précédent.")
        .arg(nom, raison);
}

QString raccourciDisparu(const QString& nom)
{
    return QStringLiteral("Ce raccourci n'existe plus dans la rubrique « %1 ».").arg(nom);
}

} // namespace

Catalogue::Catalogue(const QString& dossierRubriques, QObject* parent)
    : QObject(parent), m_dossier(dossierRubriques)
{
}

QString Catalogue::chemin(const QString& fichier) const
{
    return m_dossier + QLatin1Char('/') + fichier;
}

QString Catalogue::nomDe(const QString& fichier)
{
    return nomLisible(fichier.chopped(Extension.size()));
}

// ---------------------------------------------------------------------------- rubriques

void Catalogue::relire()
{
    // Every "*.ini" entry that is not a folder, unreadable ones and names that are not UTF-8
    // included: such a name is shown as Windows-1252 and its bytes are kept as its identity.
    const QStringList fichiers = fichiersIni(m_dossier);
    m_rubriques.clear();
    m_rubriques.reserve(fichiers.size());
    for (const QString& f : fichiers)
        m_rubriques.append({nomDe(f), f});
    QCollator ordre{QLocale()};
    ordre.setNumericMode(true);
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(m_rubriques.begin(), m_rubriques.end(),
                     [&](const Rubrique& a, const Rubrique& b) {
                         return ordre.compare(a.nom, b.nom) < 0;
                     });
    for (auto it = m_copies.begin(); it != m_copies.end();) {
        if (indexFichier(it.key()) < 0)
            it = m_copies.erase(it);
        else
            ++it;
    }
    emit rubriquesRelues();
}

qsizetype Catalogue::indexFichier(const QString& fichier) const
{
    for (qsizetype i = 0; i < m_rubriques.size(); ++i) {
        if (m_rubriques[i].fichier == fichier)
            return i;
    }
    return -1;
}

qsizetype Catalogue::indexNom(const QString& nom) const
{
    for (qsizetype i = 0; i < m_rubriques.size(); ++i) {
        if (m_rubriques[i].nom == nom)
            return i;
    }
    return -1;
}

Resultat Catalogue::creerRubrique(const QString& nom, QString* fichier)
{
    if (m_occupe)
        return refusOccupe();
    const QString refusNom = refusNomRubrique(nom);
    if (!refusNom.isEmpty())
        return Resultat::refus(refusNom);

    Resultat r;
    QString cree = nom + Extension;
    if (const qsizetype i = indexNom(nom); i >= 0) {
        // A rubrique of that name keeps its shortcuts.
        cree = m_rubriques[i].fichier;
    } else if (!existe(chemin(cree))) {
        QString erreur;
        if (!Ecrire_Rubrique(chemin(cree), {}, &erreur))
            r = Resultat::echec(
                QStringLiteral("La rubrique « %1 » n'a pas pu être créée.\n\n%2").arg(nom, erreur));
    }
    relire();
    if (fichier)
        *fichier = cree;
    return r;
}

Resultat Catalogue::renommerRubrique(const QString& fichier, const QString& nouveauNom,
                                     QString* nouveauFichier)
{
    if (m_occupe)
        return refusOccupe();
    const QString ancien = nomDe(fichier);
    if (nouveauFichier)
        *nouveauFichier = fichier;
    if (nouveauNom == ancien)
        return {};
    const QString refusNom = refusNomRubrique(nouveauNom);
    if (!refusNom.isEmpty())
        return Resultat::refus(refusNom);

    const QString nouveau = nouveauNom + Extension;
    // Another rubrique listed under that name with its extension in capitals counts too.
    ResultatRenommage r{ResultatRenommage::Issue::NomPris, {}};
    const qsizetype autre = indexNom(nouveauNom);
    if (autre < 0 || m_rubriques[autre].fichier == fichier)
        r = renommerSansRemplacer(chemin(fichier), chemin(nouveau));

    Resultat resultat;
    switch (r.issue) {
    case ResultatRenommage::Issue::Fait:
        if (nouveauFichier)
            *nouveauFichier = nouveau;
        if (m_copies.contains(fichier))
            m_copies.insert(nouveau, m_copies.take(fichier));
        break;
    case ResultatRenommage::Issue::NomPris:
        resultat = Resultat::refus(
            QStringLiteral("Une rubrique nommée « %1 » existe déjà.").arg(nouveauNom));
        break;
    case ResultatRenommage::Issue::Absent:
        resultat = Resultat::echec(QStringLiteral("La rubrique « %1 » n'existe plus.").arg(ancien));
        break;
    case ResultatRenommage::Issue::Echec:
        resultat = Resultat::echec(
            QStringLiteral("La rubrique « %1 » n'a pas pu être renommée : %2").arg(ancien, r.raison));
        break;
    }
    relire();
    return resultat;
}

Resultat Catalogue::supprimerRubrique(const QString& fichier)
{
    if (m_occupe)
        return refusOccupe();
    if (!mettreALaCorbeille(chemin(fichier)))
        return Resultat::echec(
            QStringLiteral("La rubrique « %1 » n'a pas pu être supprimée.").arg(nomDe(fichier)));
    m_copies.remove(fichier);
    relire();
    return {};
}

// ---------------------------------------------------------------------------- shortcuts

const QList<Raccourci>& Catalogue::charger(const QString& fichier)
{
    Copie c;
    c.raccourcis = lireFichier(fichier, &c.refus);
    m_copies.clear();
    const Copie& gardee = *m_copies.insert(fichier, std::move(c));
    emit raccourcisChanges({fichier, Changement::Sorte::Tout});
    return gardee.raccourcis;
}

const QList<Raccourci>& Catalogue::raccourcis(const QString& fichier) const
{
    static const QList<Raccourci> aucun;
    const auto it = m_copies.constFind(fichier);
    return it == m_copies.cend() ? aucun : it->raccourcis;
}

QString Catalogue::refus(const QString& fichier) const
{
    return m_copies.value(fichier).refus;
}

QList<Raccourci> Catalogue::lire(const QString& fichier) const
{
    return lireFichier(fichier);
}

QList<Raccourci> Catalogue::lireFichier(const QString& fichier, QString* refus) const
{
    ++m_lectures;
    return Lire_Rubrique(chemin(fichier), refus);
}

Catalogue::Copie Catalogue::copie(const QString& fichier) const
{
    if (const auto it = m_copies.constFind(fichier); it != m_copies.cend())
        return *it;
    Copie c;
    c.raccourcis = lireFichier(fichier, &c.refus);
    return c;
}

Resultat Catalogue::refusOccupe() const
{
    if (!m_occupe)
        return {};
    return Resultat::refus(QStringLiteral(
        "Lanceron enregistre encore une rubrique.\n\nRecommencez dans un instant."));
}

Resultat Catalogue::enregistrer(const QString& fichier, const QList<Raccourci>& raccourcis)
{
    const QString nom = nomDe(fichier);
    // The file is the rubrique's identity: when it is gone (deleted or renamed by another
    // program), nothing is written, neither there nor anywhere else.
    if (!existe(chemin(fichier)))
        return Resultat::echec(
            QStringLiteral("La rubrique « %1 » n'existe plus : son fichier a été supprimé ou "
                           "renommé en dehors de Lanceron.\n\nRien n'a été enregistré.")
                .arg(nom));
    QString erreur;
    bool ecrit = false;
    const QString c = chemin(fichier);
    m_occupe = true;
    m_executeur([&] { ecrit = Ecrire_Rubrique(c, raccourcis, &erreur); });
    m_occupe = false;
    if (!ecrit)
        return Resultat::echec(enregistrementImpossible(nom, erreur));
    return {};
}

Resultat Catalogue::appliquer(const QString& fichier, const QList<Raccourci>& raccourcis,
                              const Changement& changement)
{
    if (m_occupe)
        return refusOccupe();
    const QString refusFichier = copie(fichier).refus;
    if (!refusFichier.isEmpty())
        return Resultat::echec(enregistrementImpossible(nomDe(fichier), refusFichier));
    Resultat r = enregistrer(fichier, raccourcis);
    if (!r.fait())
        return r;
    if (const auto it = m_copies.find(fichier); it != m_copies.end()) {
        it->raccourcis = raccourcis;
        emit raccourcisChanges(changement);
    }
    return r;
}

Resultat Catalogue::ajouterRaccourci(const QString& fichier, const Raccourci& r)
{
    QList<Raccourci> liste = copie(fichier).raccourcis;
    liste.append(r);
    return appliquer(fichier, liste, {fichier, Changement::Sorte::Ajout, liste.size() - 1});
}

Resultat Catalogue::ajouterRaccourcis(const QString& fichier, const QList<Raccourci>& nouveaux)
{
    if (nouveaux.isEmpty())
        return {};
    QList<Raccourci> liste = copie(fichier).raccourcis;
    liste.append(nouveaux);
    return appliquer(fichier, liste, {fichier, Changement::Sorte::Tout});
}

Resultat Catalogue::modifierRaccourci(const QString& fichier, qsizetype index, const Raccourci& r)
{
    QList<Raccourci> liste = copie(fichier).raccourcis;
    if (index < 0 || index >= liste.size())
        return Resultat::refus(raccourciDisparu(nomDe(fichier)));
    liste[index] = r;
    return appliquer(fichier, liste, {fichier, Changement::Sorte::Modification, index});
}

Resultat Catalogue::supprimerRaccourci(const QString& fichier, qsizetype index)
{
    QList<Raccourci> liste = copie(fichier).raccourcis;
    if (index < 0 || index >= liste.size())
        return Resultat::refus(raccourciDisparu(nomDe(fichier)));
    liste.removeAt(index);
    return appliquer(fichier, liste, {fichier, Changement::Sorte::Retrait, index});
}

Resultat Catalogue::reordonnerRaccourci(const QString& fichier, qsizetype index, qsizetype vers)
{
    QList<Raccourci> liste = copie(fichier).raccourcis;
    if (index < 0 || index >= liste.size() || vers < 0 || vers >= liste.size())
        return Resultat::refus(raccourciDisparu(nomDe(fichier)));
    if (index == vers)
        return {};
    liste.move(index, vers);
    return appliquer(fichier, liste, {fichier, Changement::Sorte::Deplacement, index, vers});
}

Resultat Catalogue::deplacerRaccourci(const QString& fichier, qsizetype index,
                                      const QString& destination, bool copier)
{
    const QList<Raccourci> source = copie(fichier).raccourcis;
    if (index < 0 || index >= source.size())
        return Resultat::refus(raccourciDisparu(nomDe(fichier)));
    if (destination == fichier)
        return Resultat::refus(QStringLiteral("Le raccourci est déjà dans la rubrique « %1 ».")
                                   .arg(nomDe(fichier)));
    const Raccourci r = source[index];
    Resultat ecrit = ajouterRaccourci(destination, r);
    if (!ecrit.fait() || copier)
        return ecrit;
    Resultat retire = supprimerRaccourci(fichier, index);
    if (retire.fait())
        return retire;
    return Resultat::echec(
        QStringLiteral("Le raccourci « %1 » a été ajouté à la rubrique « %2 », mais n'a pas pu "
                       "être retiré de la rubrique « %3 » : il figure maintenant dans les deux.\n\n%4")
            .arg(r.Nom, nomDe(destination), nomDe(fichier), retire.raison));
}

} // namespace lanceron
