#pragma once
// File operations on the rubrique files that the plain Qt calls do not make safe enough.

#include <QByteArray>
#include <QString>

namespace lanceron {

struct ResultatRenommage {
    enum class Issue {
        Fait,
        NomPris, // a file of the new name exists: nothing was changed
        Absent,  // the old file is gone
        Echec,   // another failure, told by `raison`
    };
    Issue issue = Issue::Fait;
    QString raison; // the reason of an Echec, in French
};

// The reason of a failed file operation in French, whatever the user's locale, for the common
// cases (no permission, disk full, read-only file system, not a folder, missing, already
// there, too long); the system's own words for the others.
QString raisonErreur(int numeroErreur);

// Opens `chemin` for reading only if it is a regular file of at most `tailleMaximale` bytes.
// The open never blocks (a pipe or a device is refused, not waited on). Returns the file
// descriptor (the caller closes it), or -1 with the French reason in `raison`.
int ouvrirFichierOrdinaire(const QString& chemin, qint64 tailleMaximale, QString* raison = nullptr);

// A regular file's content, read through ouvrirFichierOrdinaire.
struct LectureFichier {
    enum class Issue { Lu, Absent, Refuse };
    Issue issue = Issue::Absent;
    QByteArray octets;
    QString raison; // why a Refuse: not a regular file, too large, unreadable
};
LectureFichier lireFichierOrdinaire(const QString& chemin, qint64 tailleMaximale);

// Replaces the file's content in one step: a temporary file in the same folder, written and
// flushed to disk, then renamed over the file, whose permissions it keeps. On failure the file
// is untouched and `raison` tells why, in French.
bool ecrireAtomiquement(const QString& chemin, const QByteArray& contenu, QString* raison = nullptr);

// Renames the file `ancien` to `nouveau` in one step and never replaces an existing file. A
// change of letter case only is a rename like any other; the same path changes nothing.
ResultatRenommage renommerSansRemplacer(const QString& ancien, const QString& nouveau);

// Moves the file to the desktop's trash where there is one (names that are valid UTF-8), else
// deletes it. False when the
// file could be neither trashed nor deleted (it is gone, or protected): it is then untouched.
bool mettreALaCorbeille(const QString& chemin);

} // namespace lanceron
