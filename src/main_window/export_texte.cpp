#include "main_window/export_texte.h"

#include <QStringEncoder>

namespace lanceron {

QString texteExport(const QList<RubriqueExportee>& rubriques)
{
    QString texte;
    const auto ligne = [&texte](const QString& contenu) {
        texte += contenu;
        texte += QLatin1String("\r\n");
    };
    const QString espace(QLatin1Char(' '));
    for (qsizetype n = 0; n < rubriques.size(); ++n) {
        const RubriqueExportee& r = rubriques[n];
        ligne(QString::number(n + 1) + QLatin1String(") ") + r.nom + QLatin1String(" :"));
        ligne(espace);
        for (const Raccourci& raccourci : r.raccourcis) {
            ligne(espace + raccourci.Nom);
            ligne(espace + raccourci.Dossier);
            ligne(espace);
        }
        ligne(espace);
    }
    return texte;
}

QByteArray octetsExport(const QList<RubriqueExportee>& rubriques)
{
    QStringEncoder systeme(QStringEncoder::System);
    return systeme.encode(texteExport(rubriques));
}

} // namespace lanceron
