#include "storage/rubrique_fichier.h"

#include "storage/conversions.h"

#include <algorithm>

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

QList<Raccourci> Lire_Rubrique(const QString& chemin, QString* refus)
{
    const ProfilPrive p = ProfilPrive::charger(chemin);
    if (refus)
        *refus = p.etat() == ProfilPrive::Etat::Inutilisable ? p.raison() : QString();
    return raccourcisDe(p);
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
