#pragma once
// File operations on the rubrique files that the plain Qt calls do not make safe enough.

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
    QString raison; // the system's words for an Echec
};

// Renames the file `ancien` to `nouveau` in one step and never replaces an existing file. A
// change of letter case only is a rename like any other; the same path changes nothing.
ResultatRenommage renommerSansRemplacer(const QString& ancien, const QString& nouveau);

// Moves the file to the desktop's trash where there is one, else deletes it. False when the
// file could be neither trashed nor deleted (it is gone, or protected): it is then untouched.
bool mettreALaCorbeille(const QString& chemin);

} // namespace lanceron
