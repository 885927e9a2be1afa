#pragma once

namespace cubrava {

// Hands the allocator's free pages back to the system. A rendering context
// just taken down leaves megabytes free inside the allocator's heaps, which
// would otherwise stay resident beside what the next context allocates.
void returnFreeMemory();

} // namespace cubrava
