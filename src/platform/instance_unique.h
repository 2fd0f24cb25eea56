#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace lanceron {

// Refuses a second running instance for the same application folder. The lock lives in the
// runtime folder; a lock left by a crashed instance is taken over.
class InstanceUnique {
public:
    explicit InstanceUnique(const QString& dossierApplication);
    // True when this process holds the lock (no other instance runs).
    bool acquise() const { return m_acquise; }
    QString cheminVerrou() const { return m_chemin; }

private:
    QString m_chemin;
    std::unique_ptr<QLockFile> m_verrou;
    bool m_acquise = false;
};

} // namespace lanceron
