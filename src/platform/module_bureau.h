#pragma once
// The desktop-entry functions as the GIO module hands them to the program. The module is
// loaded at the first desktop entry read or started, so that the window's start-up does not
// pay for GIO and the libraries under it. Plain Qt types only, as in entrees_bureau.h.

#include "platform/entrees_bureau.h"

namespace lanceron {

struct FonctionsBureau {
    // The entry at `chemin`, a regular file of at most TailleMaxEntree bytes.
    std::optional<EntreeBureau> (*lire)(const QString& chemin);
    QList<EntreeBureau> (*applications)();
    ResultatLancement (*lancer)(const QString& chemin, const QStringList& arguments);
};

// The module's file, found in the program's library folders (its RUNPATH: lib/lanceron beside
// the program's folder), and its one exported function.
inline constexpr char FichierModuleBureau[] = "liblanceron_bureau.so";
inline constexpr char FonctionModuleBureau[] = "lanceron_fonctions_bureau";

} // namespace lanceron
