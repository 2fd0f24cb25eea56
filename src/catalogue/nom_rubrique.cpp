#include "catalogue/nom_rubrique.h"

#include <algorithm>

namespace lanceron {

QString refusNomRubrique(const QString& nom)
{
    if (nom.contains(QLatin1Char('/')) || nom.contains(QLatin1Char('\\')))
        return QStringLiteral("Le nom d'une rubrique ne peut pas contenir les caractères "
                              "« / » ni « \\ ».");
    if (nom == QLatin1String(".") || nom == QLatin1String(".."))
        return QStringLiteral("« . » et « .. » ne peuvent pas servir de nom de rubrique.");
    if (std::any_of(nom.cbegin(), nom.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("Le nom d'une rubrique ne peut pas contenir de caractère de "
                              "contrôle (retour à la ligne, tabulation...).");
    if (!nom.isEmpty() &&
        std::all_of(nom.cbegin(), nom.cend(), [](QChar c) { return c.isSpace(); }))
        return QStringLiteral("Le nom d'une rubrique ne peut pas être fait que d'espaces.");
    if ((nom + QStringLiteral(".ini")).toUtf8().size() > LongueurMaxNomFichier)
        return QStringLiteral("Ce nom est trop long pour un nom de fichier (%1 octets au plus ; "
                              "une lettre accentuée en compte deux).")
            .arg(LongueurMaxNomFichier - 4);
    return {};
}

} // namespace lanceron
