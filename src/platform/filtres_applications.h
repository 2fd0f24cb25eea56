#pragma once
// The file types offered when the user chooses a program, and the one chosen at first.

#include "platform/prompts.h"

namespace lanceron {

struct FiltresApplications {
    QList<FiltreFichier> filtres;
    int choisi = 0; // index in filtres
};

FiltresApplications filtresApplications();

} // namespace lanceron
