#include "platform/dossier_application.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lanceron {

QString dossierApplication(const QString& dossierExecutable)
{
    const QDir exe(dossierExecutable);
    if (!dossierExecutable.isEmpty() &&
        (QFileInfo::exists(exe.filePath(QStringLiteral("Lanceron.ini"))) ||
         QFileInfo(exe.filePath(QStringLiteral("Rubriques"))).isDir()))
        return exe.absolutePath();

    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(donnees);
    return donnees;
}

QString dossierRubriques(const QString& dossierApplication)
{
    return dossierApplication + QStringLiteral("/Rubriques");
}

} // namespace lanceron
