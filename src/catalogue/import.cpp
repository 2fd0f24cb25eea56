#include "catalogue/import.h"

#include <QSet>

#include <algorithm>

namespace lanceron {

namespace {

struct Categorie {
    const char* nom;
    int groupe;
};

// The main categories of the desktop menus and the rubrique of each.
constexpr const char* Rubriques[] = {
    "Multimédia",  "Développement", "Éducation",  "Jeux",    "Graphisme",   "Internet",
    "Bureautique", "Sciences",      "Paramètres", "Système", "Accessoires",
};
constexpr Categorie Principales[] = {
    {"AudioVideo", 0}, {"Audio", 0},    {"Video", 0},    {"Development", 1}, {"Education", 2},
    {"Game", 3},       {"Graphics", 4}, {"Network", 5},  {"Office", 6},      {"Science", 7},
    {"Settings", 8},   {"System", 9},   {"Utility", 10},
};
constexpr int Autres = std::size(Rubriques);

int groupeDe(const QStringList& categories)
{
    for (const QString& c : categories) {
        for (const Categorie& p : Principales) {
            if (c == QLatin1String(p.nom))
                return p.groupe;
        }
    }
    return Autres;
}

QString nomGroupe(int groupe)
{
    return groupe == Autres ? QStringLiteral("Autres") : QString::fromUtf8(Rubriques[groupe]);
}

bool controle(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

QString rubriqueImport(const QStringList& categories)
{
    return nomGroupe(groupeDe(categories));
}

QList<GroupeImport> grouperApplications(const QList<EntreeBureau>& entrees,
                                        const QSet<QString>& dejaLa)
{
    QList<Raccourci> groupes[Autres + 1];
    QSet<QString> vus = dejaLa;
    for (const EntreeBureau& e : entrees) {
        if (e.cachee || e.chemin.isEmpty() ||
            std::any_of(e.chemin.cbegin(), e.chemin.cend(), controle))
            continue;
        if (vus.contains(e.chemin))
            continue;
        vus.insert(e.chemin);
        QString nom = e.nom;
        nom.removeIf(controle);
        groupes[groupeDe(e.categories)].append(
            {nom, e.chemin, QStringLiteral("Fenêtre normale"), QString()});
    }
    QList<GroupeImport> r;
    for (int g = 0; g <= Autres; ++g) {
        if (!groupes[g].isEmpty())
            r.append({nomGroupe(g), groupes[g]});
    }
    return r;
}

QSet<QString> programmesPresents(const Catalogue& catalogue)
{
    QSet<QString> r;
    for (const Rubrique& rub : catalogue.rubriques()) {
        for (const Raccourci& rac : catalogue.lire(rub.fichier))
            r.insert(rac.Dossier);
    }
    return r;
}

Resultat importer(Catalogue& catalogue, const QList<GroupeImport>& groupes, int* ajoutes,
                  const std::function<void(int)>& progres)
{
    if (ajoutes)
        *ajoutes = 0;
    // What the rubriques hold now: nothing is added twice, even when the folder changed since
    // the groups were made.
    QSet<QString> presents = programmesPresents(catalogue);
    int faits = 0;
    for (const GroupeImport& g : groupes) {
        QList<Raccourci> nouveaux;
        for (const Raccourci& r : g.raccourcis) {
            if (!presents.contains(r.Dossier)) {
                presents.insert(r.Dossier);
                nouveaux.append(r);
            }
        }
        if (!nouveaux.isEmpty()) {
            QString fichier;
            Resultat r = catalogue.creerRubrique(g.rubrique, &fichier);
            if (r.fait())
                r = catalogue.ajouterRaccourcis(fichier, nouveaux);
            if (!r.fait())
                return r;
            if (ajoutes)
                *ajoutes += static_cast<int>(nouveaux.size());
        }
        if (progres)
            progres(++faits);
    }
    return {};
}

} // namespace lanceron
