#pragma once
// How the program's heap behaves: set once, first thing in main, before any thread starts.

namespace lanceron {

// Large blocks (a rubrique's text, a picture being decoded) go back to the system once freed,
// and the icon threads allocate from the window's heap instead of heaps of their own: memory
// follows what is shown, not what was once read.
void reglerAllocateur();

} // namespace lanceron
