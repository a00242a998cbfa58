// Handing freed heap back to the system: glibc keeps freed memory for later
// allocations unless asked to return it.
#include <malloc.h>

#include "platform/platform.h"

namespace platform {

void ReturnFreedMemory() {
    malloc_trim(0);
}

} // namespace platform
