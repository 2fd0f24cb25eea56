#include "platform/dossier_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lanceron {

QString dossierExport(const QString& dossierApplication)
{
    if (QFileInfo(dossierApplication) == QFileInfo(QCoreApplication::applicationDirPath()))
        return dossierApplication;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace lanceron
