#include "platform/memoire.h"

#include <cstdlib> // defines __GLIBC__ with the C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace lanceron {

void reglerAllocateur()
{
#ifdef __GLIBC__
    // The icon threads share one heap apart from the window's instead of one each (glibc's
    // default, up to eight per core). The thresholds at which freed memory goes back to the
    // system are left to glibc, which raises them to the size of the blocks freed: fixed low
    // ones made each decoded picture's buffer be mapped, zeroed and unmapped again, and icons
    // took four times as long to load, with pauses of 60 ms in the window.
    mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace lanceron
