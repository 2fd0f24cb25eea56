#pragma once
// How the program's heap behaves: set once, first thing in main, before any thread starts.

namespace lanceron {

// The icon threads allocate from one shared heap instead of heaps of their own.
void reglerAllocateur();

} // namespace lanceron
