#pragma once
// Desktop entries (.desktop files) and the installed applications, read and started the way
// the desktop itself does it. Plain Qt types only: the library underneath stays inside the
// platform layer.

#include "platform/lancement.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lanceron {

struct EntreeBureau {
    QString nom;            // Name in the user's language (Name[fr] for a French session)
    QString icone;          // Icon: a theme icon name or the absolute path of a picture
    QStringList categories; // Categories, in the order written
    bool cachee = false;    // NoDisplay, Hidden, or not meant for this desktop (OnlyShowIn...)
    QString chemin;         // the file's full path
};

// The entry of the application described by the file at `chemin`. nullopt when the file is
// not a regular file of at most TailleMaxEntree bytes, is not an application entry, or names
// a program (TryExec, else Exec) that is not installed.
std::optional<EntreeBureau> lireEntreeBureau(const QString& chemin);

// The installed applications of the desktop's menus (XDG_DATA_HOME and XDG_DATA_DIRS), those
// that should not be shown left out, sorted by name.
QList<EntreeBureau> applicationsInstallees();

// Starts the application of the entry at `chemin` with `arguments`, the shortcut's command
// line split into arguments: each one is handed over as a file (a relative name is taken in
// the application's working folder) or, when it is an address (https://...), as it is; the
// entry's Exec field codes place them. The application runs in the entry's Path=, else in the
// home folder; Terminal=true runs it in a terminal emulator; DBusActivatable=true asks the
// application over the session bus. Nothing goes through a shell.
ResultatLancement lancerEntreeBureau(const QString& chemin, const QStringList& arguments);

} // namespace lanceron
