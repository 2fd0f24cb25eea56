#include "storage/rubrique_fichier.h"

#include "platform/fichiers.h"
#include "storage/conversions.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace lanceron {

namespace {

const QString sCompte = QStringLiteral("LOGICIEL");
const QString cleNombre = QStringLiteral("Nombre");
const QString cleNom = QStringLiteral("Nom");
const QString cleDossier = QStringLiteral("Dossier");
const QString cleExecuter = QStringLiteral("Executer");
const QString cleCommande = QStringLiteral("Commande");

QString sectionRaccourci(qsizetype i)
{
    return QStringLiteral("LOGICIEL ") + QString::number(i);
}

// The highest i for which a section "LOGICIEL <i>" stands in the file.
qint64 plusHauteSection(const ProfilPrive& p)
{
    qint64 plusHaute = 0;
    const QLatin1String prefixe("LOGICIEL ");
    for (qsizetype k = 0; k < p.nombreDeSections(); ++k) {
        const QString s = p.section(k);
        if (!s.startsWith(prefixe, Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const qint64 i = QStringView(s).mid(prefixe.size()).trimmed().toLongLong(&ok);
        if (ok)
            plusHaute = std::max(plusHaute, i);
    }
    return plusHaute;
}

// The window states written by the program, one string for every row that has them.
QString etatPartage(const QString& executer)
{
    static const QString etats[] = {QStringLiteral("Fenêtre normale"), QStringLiteral("Réduite"),
                                    QStringLiteral("Agrandie")};
    for (const QString& e : etats) {
        if (executer == e)
            return e;
    }
    return executer;
}

} // namespace

QList<Raccourci> raccourcisDe(const ProfilPrive& p)
{
    const auto nombre = convertirEntier32(p.lire(sCompte, cleNombre));
    if (!nombre || *nombre <= 0)
        return {};

    // The rows are bounded by the file's size, never by a number written in it.
    const qint64 n = std::min({qint64(*nombre), plusHauteSection(p), qint64(p.nombreDeLignes())});
    QList<Raccourci> raccourcis;
    raccourcis.reserve(n);
    for (qint64 i = 1; i <= n; ++i) {
        const QString s = sectionRaccourci(i);
        const QStringList v = p.lire(s, {cleNom, cleDossier, cleExecuter, cleCommande});
        raccourcis.append({v[0], v[1], etatPartage(v[2]), v[3]});
    }
    return raccourcis;
}

QList<Raccourci> raccourcisDeOctets(QByteArray octets, QString* refus)
{
    // One pass over the lines, keeping only the shortcuts: what raccourcisDe() reads from the
    // whole document, the first section of each name and the first key of each name in it.
    const qint64 taille = octets.size();
    enum class Ici { Rien, Compte, Raccourci };
    Ici ici = Ici::Rien;
    bool compteVu = false;
    QString nombre;
    qint64 compteLu = 0; // the count once read: sections past it are never kept
    qint64 plusHaute = 0;
    QList<Raccourci> enOrdre;               // sections 1, 2, 3... as long as they come in order
    QHash<qint64, Raccourci> horsOrdre;     // the others
    Raccourci* courant = nullptr;
    quint8 trouvees = 0;                    // the keys of the current section already read
    const auto section = [&](QStringView nom) {
        ici = Ici::Rien;
        trouvees = 0;
        if (nom.startsWith(u"LOGICIEL ", Qt::CaseInsensitive)) {
            bool ok = false;
            const qint64 i = nom.sliced(9).trimmed().toLongLong(&ok);
            if (ok)
                plusHaute = std::max(plusHaute, i);
            // Only the name sectionRaccourci(i) gives, whatever the case of its letters.
            if (ok && i > 0 && (compteLu == 0 || i <= compteLu) &&
                nom.sliced(9) == QString::number(i)) {
                const bool vue = i <= enOrdre.size() || horsOrdre.contains(i);
                if (!vue) {
                    courant = i == enOrdre.size() + 1 ? &enOrdre.emplace_back()
                                                      : &horsOrdre[i];
                    ici = Ici::Raccourci;
                }
            }
        } else if (ProfilPrive::memeNom(nom, sCompte) && !std::exchange(compteVu, true)) {
            ici = Ici::Compte;
        }
    };
    const auto cle = [&](QStringView nom, QStringView valeur) {
        if (ici == Ici::Compte && !(trouvees & 1) && ProfilPrive::memeNom(nom, cleNombre)) {
            trouvees |= 1;
            nombre = valeur.toString();
            // Room for the count told, within what the file can hold (a section line is
            // longer than 12 bytes): the list is not copied as it grows.
            if (const auto n = convertirEntier32(nombre); n && *n > 0) {
                compteLu = *n;
                enOrdre.reserve(std::min<qint64>(*n, taille / 12));
            }
        } else if (ici == Ici::Raccourci) {
            QString* champs[] = {&courant->Nom, &courant->Dossier, &courant->Executer,
                                 &courant->Commande};
            const QString* noms[] = {&cleNom, &cleDossier, &cleExecuter, &cleCommande};
            for (int k = 0; k < 4; ++k) {
                if (!(trouvees & (1 << k)) && ProfilPrive::memeNom(nom, *noms[k])) {
                    trouvees |= quint8(1 << k);
                    *champs[k] = k == 2 ? etatPartage(valeur.toString()) : valeur.toString();
                    break;
                }
            }
        }
    };
    qsizetype lignes = 0;
    QString raison;
    const ProfilPrive::Etat etat = ProfilPrive::parcourir(
        std::move(octets),
        [&](const ProfilPrive::Element& e) {
            if (e.section)
                section(e.nom);
            else
                cle(e.nom, e.valeur);
        },
        &raison, &lignes);
    if (refus)
        *refus = etat == ProfilPrive::Etat::Inutilisable ? raison : QString();
    const auto compte = convertirEntier32(nombre);
    if (!compte || *compte <= 0)
        return {};
    const qint64 n = std::min({qint64(*compte), plusHaute, qint64(lignes)});
    if (horsOrdre.isEmpty() && enOrdre.size() >= n) {
        enOrdre.resize(n);
        return enOrdre;
    }
    QList<Raccourci> raccourcis;
    raccourcis.reserve(n);
    for (qint64 i = 1; i <= n; ++i)
        raccourcis.append(i <= enOrdre.size() ? enOrdre[i - 1] : horsOrdre.value(i));
    return raccourcis;
}

QList<Raccourci> Lire_Rubrique(const QString& chemin, QString* refus)
{
    if (refus)
        refus->clear();
    LectureFichier l = lireFichierOrdinaire(chemin, ProfilPrive::TailleMaximale);
    switch (l.issue) {
    case LectureFichier::Issue::Absent: return {};
    case LectureFichier::Issue::Refuse:
        if (refus)
            *refus = l.raison;
        return {};
    case LectureFichier::Issue::Lu: break;
    }
    return raccourcisDeOctets(std::move(l.octets), refus);
}

ProfilPrive documentRubrique(const ProfilPrive& modele, const QList<Raccourci>& raccourcis)
{
    ProfilPrive p = ProfilPrive::vierge(modele);
    p.ecrire(sCompte, cleNombre, QString::number(raccourcis.size()));
    for (qsizetype i = 0; i < raccourcis.size(); ++i) {
        const QString s = sectionRaccourci(i + 1);
        const Raccourci& r = raccourcis[i];
        p.ecrire(s, cleNom, r.Nom);
        p.ecrire(s, cleDossier, r.Dossier);
        p.ecrire(s, cleExecuter, r.Executer);
        p.ecrire(s, cleCommande, r.Commande);
    }
    return p;
}

bool Ecrire_Rubrique(const QString& chemin, const QList<Raccourci>& raccourcis, QString* erreur)
{
    const ProfilPrive ancien = ProfilPrive::charger(chemin);
    if (ancien.etat() == ProfilPrive::Etat::Inutilisable) {
        if (erreur)
            *erreur = ancien.raison();
        return false;
    }
    return documentRubrique(ancien, raccourcis).enregistrer(chemin, erreur);
}

} // namespace lanceron
