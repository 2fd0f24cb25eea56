#pragma once
// Export of the whole catalogue to a text file chosen by the user.

namespace lanceron {

class Menu;

void Export_TXT(Menu& menu);

} // namespace lanceron
