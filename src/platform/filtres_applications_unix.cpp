#include "platform/filtres_applications.h"

#include "platform/entrees_bureau.h"

#include <QFileInfo>

namespace lanceron {

// The Windows program types stay for catalogues that name them (run through Wine, for
// instance); a Linux program has no extension, so every file is offered at first.
FiltresApplications filtresApplications()
{
    return {{{QStringLiteral("Fichier EXE"), QStringLiteral("*.exe")},
             {QStringLiteral("Fichier BATCH"), QStringLiteral("*.bat")},
             {QStringLiteral("Fichier COM"), QStringLiteral("*.com")},
             {QStringLiteral("Fichier PIF"), QStringLiteral("*.pif")},
             {QStringLiteral("Applications"), QStringLiteral("*.desktop")},
             {QStringLiteral("Tous les fichiers"), QStringLiteral("*")}},
            5};
}

QString nomApplication(const QString& chemin, const QString& sinon)
{
    if (QFileInfo(chemin).suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) != 0)
        return sinon;
    const std::optional<EntreeBureau> entree = lireEntreeBureau(chemin);
    return entree && !entree->nom.isEmpty() ? entree->nom : sinon;
}

} // namespace lanceron
