#include "catalogue/recherche.h"

#include <algorithm>

namespace lanceron {

QString replier(const QString& texte)
{
    QString r;
    r.reserve(texte.size());
    bool simple = true;
    for (QChar c : texte) {
        if (c.unicode() >= 0x80) {
            simple = false;
            break;
        }
    }
    if (simple)
        return texte.toLower();
    const QString decompose = texte.normalized(QString::NormalizationForm_KD);
    for (QChar c : decompose) {
        if (c.category() != QChar::Mark_NonSpacing)
            r.append(c);
    }
    return r.toCaseFolded();
}

int rangCorrespondance(const QString& texte, const QString& nom, const QString& programme)
{
    if (texte.isEmpty())
        return -1;
    qsizetype p = nom.indexOf(texte);
    if (p == 0)
        return 0;
    if (p > 0) {
        for (; p > 0; p = nom.indexOf(texte, p + 1)) {
            if (!nom.at(p - 1).isLetterOrNumber())
                return 1;
        }
        return 2;
    }
    return programme.contains(texte) ? 3 : -1;
}

void IndexRecherche::construire(const Catalogue& catalogue)
{
    construire(catalogue.rubriques(), catalogue.dossier());
}

void IndexRecherche::construire(const QList<Rubrique>& rubriques, const QString& dossier)
{
    m_entrees.clear();
    for (const Rubrique& rubrique : rubriques) {
        const QList<Raccourci> liste = Lire_Rubrique(dossier + QLatin1Char('/') + rubrique.fichier);
        for (qsizetype i = 0; i < liste.size(); ++i) {
            const Raccourci& r = liste[i];
            const QString programme = r.Dossier.mid(r.Dossier.lastIndexOf(QLatin1Char('/')) + 1);
            m_entrees.append({{rubrique.fichier, i, r}, replier(r.Nom), replier(programme)});
        }
    }
    m_construit = true;
}

QList<Trouvaille> IndexRecherche::chercher(const QString& texte, qsizetype maximum) const
{
    const QString t = replier(texte);
    struct Classe {
        int rang;
        const Entree* e;
    };
    QList<Classe> trouves;
    for (const Entree& e : m_entrees) {
        const int rang = rangCorrespondance(t, e.nom, e.programme);
        if (rang >= 0)
            trouves.append({rang, &e});
    }
    // Equal names keep the catalogue's order; only the results kept are sorted whole.
    const auto avant = [](const Classe& a, const Classe& b) {
        if (a.rang != b.rang)
            return a.rang < b.rang;
        const int c = a.e->nom.compare(b.e->nom);
        return c != 0 ? c < 0 : a.e < b.e;
    };
    if (maximum >= 0 && trouves.size() > maximum) {
        std::partial_sort(trouves.begin(), trouves.begin() + maximum, trouves.end(), avant);
        trouves.resize(maximum);
    } else {
        std::sort(trouves.begin(), trouves.end(), avant);
    }
    QList<Trouvaille> r;
    r.reserve(trouves.size());
    for (const Classe& x : std::as_const(trouves))
        r.append(x.e->t);
    return r;
}

} // namespace lanceron
