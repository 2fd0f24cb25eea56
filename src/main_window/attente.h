#pragma once
// Work that may wait on the disk (a large drop's names, the save of a rubrique with its sync)
// runs off the window's thread. Meanwhile the window keeps painting and shows a busy cursor;
// the user's input waits in the queue and is delivered once the work is done.

#include <functional>

namespace lanceron {

// Runs `travail` on a worker thread and returns once it is done. Work that ends within a few
// milliseconds is simply waited for.
void attendreSansFiger(const std::function<void()>& travail);

} // namespace lanceron
