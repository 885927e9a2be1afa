#include "FreeMemory.h"

#include <malloc.h>

namespace cubrava {

void returnFreeMemory()
{
    malloc_trim(0);
}

} // namespace cubrava
