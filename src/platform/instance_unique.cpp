#include "platform/instance_unique.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace lanceron {

namespace {

QString dossierExecution()
{
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dossier.isEmpty() ? QDir::tempPath() : dossier;
}

} // namespace

InstanceUnique::InstanceUnique(const QString& dossierApplication)
    : InstanceUnique(dossierApplication, dossierExecution())
{
}

InstanceUnique::InstanceUnique(const QString& dossierApplication, const QString& dossierVerrous)
{
    const QByteArray empreinte =
        QCryptographicHash::hash(QDir(dossierApplication).absolutePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    m_chemin = dossierVerrous + QStringLiteral("/lanceron-") + QString::fromLatin1(empreinte) +
               QStringLiteral(".lock");
    m_verrou = std::make_unique<QLockFile>(m_chemin);
    m_verrou->setStaleLockTime(0); // only a dead owner's lock is stale
    if (m_verrou->tryLock(0))
        m_etat = Etat::Acquise;
    else if (m_verrou->error() == QLockFile::LockFailedError)
        m_etat = Etat::DejaActive;
    else
        m_etat = Etat::SansGarde;
}

} // namespace lanceron
