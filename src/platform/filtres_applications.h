#pragma once
// The file types offered when the user chooses a program, the one chosen at first, and the
// name proposed for the chosen file.

#include "platform/prompts.h"

namespace lanceron {

struct FiltresApplications {
    QList<FiltreFichier> filtres;
    int choisi = 0; // index in filtres
};

FiltresApplications filtresApplications();

// The name of the application that the desktop entry (.desktop file) at `chemin` describes, in
// the user's language ("Navigateur web Firefox ESR" for firefox-esr.desktop in a French
// session); `sinon` for any other file and for an entry without a usable name.
QString nomApplication(const QString& chemin, const QString& sinon = {});

} // namespace lanceron
