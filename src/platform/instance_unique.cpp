#include "platform/instance_unique.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace lanceron {

InstanceUnique::InstanceUnique(const QString& dossierApplication)
{
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dossier.isEmpty())
        dossier = QDir::tempPath();
    const QByteArray empreinte =
        QCryptographicHash::hash(QDir(dossierApplication).absolutePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    m_chemin = dossier + QStringLiteral("/lanceron-") + QString::fromLatin1(empreinte) +
               QStringLiteral(".lock");
    m_verrou = std::make_unique<QLockFile>(m_chemin);
    m_verrou->setStaleLockTime(0); // only a dead owner's lock is stale
    m_acquise = m_verrou->tryLock(0);
}

} // namespace lanceron
