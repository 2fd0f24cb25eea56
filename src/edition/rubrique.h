#pragma once
// The commands that change the set of rubriques. Each asks the user, calls the catalogue, tells
// the user what went wrong, then has the rubrique list read again (Actualiser_Rubrique).

namespace lanceron {

class Menu;

void Creer_Rubrique(Menu& menu);
void Renommer_Rubrique(Menu& menu);
void Supprimer_Rubrique(Menu& menu);

} // namespace lanceron
