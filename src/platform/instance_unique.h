#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace lanceron {

// Refuses a second running instance for the same application folder. The lock lives in the
// runtime folder; a lock left by a crashed instance is taken over.
class InstanceUnique {
public:
    enum class Etat {
        Acquise,    // this process holds the lock
        DejaActive, // a live instance holds it
        SansGarde,  // the lock could not be taken for another reason: run without the guard
    };

    explicit InstanceUnique(const QString& dossierApplication);
    // The lock in `dossierVerrous` instead of the runtime folder.
    InstanceUnique(const QString& dossierApplication, const QString& dossierVerrous);

    Etat etat() const { return m_etat; }
    // True when this process holds the lock (no other instance runs).
    bool acquise() const { return m_etat == Etat::Acquise; }
    QString cheminVerrou() const { return m_chemin; }

private:
    QString m_chemin;
    std::unique_ptr<QLockFile> m_verrou;
    Etat m_etat = Etat::SansGarde;
};

} // namespace lanceron
