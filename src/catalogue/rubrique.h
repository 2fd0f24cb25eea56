#pragma once
// The operations that change the set of rubriques. Each asks the user, acts on the rubrique
// files, then rebuilds the rubrique list from the folder (Actualiser_Rubrique).

namespace lanceron {

class Menu;

void Creer_Rubrique(Menu& menu);
void Renommer_Rubrique(Menu& menu);
void Supprimer_Rubrique(Menu& menu);

} // namespace lanceron
