#include "icons/cles_icones.h"

#include <QStringView>

namespace lanceron {

QString Extension_Fichier(const QString& chemin)
{
    const qsizetype separateur =
        qMax(chemin.lastIndexOf(QLatin1Char('/')), chemin.lastIndexOf(QLatin1Char('\\')));
    QStringView nom = QStringView(chemin).mid(separateur + 1);
    while (nom.startsWith(QLatin1Char('.')))
        nom = nom.mid(1);
    const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
    return point < 0 ? QString() : nom.mid(point + 1).toString();
}

QString Cle_Icone_Associee(const QString& chemin)
{
    return Extension_Fichier(chemin).toUpper() + QLatin1String("ID");
}

} // namespace lanceron
