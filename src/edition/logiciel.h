#pragma once
// The commands on the selected shortcut of List2. Each acts on the rubrique that List2 shows.

namespace lanceron {

class Menu;

// Opens the shortcut editor in add mode ("Ajouter un logiciel").
void Ajouter_Logiciel(Menu& menu);
// Opens the shortcut editor in modify mode, filled from the selected row.
void Modifier_Logiciel(Menu& menu);
// Removes the selected shortcut after confirmation and saves the rubrique.
void Supprimer_Logiciel(Menu& menu);
// Shows the properties of the selected shortcut's program file.
void Proprietes_Logiciel(Menu& menu);

} // namespace lanceron
