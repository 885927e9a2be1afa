#include "HitRecords.h"

namespace cubrava {

int nearestHitName(const std::uint32_t* buffer, std::size_t size, int hits)
{
    if (hits <= 0)
        return -1;
    bool found = false;
    std::uint32_t nearest = 0;
    std::uint32_t nearestDepth = 0;
    std::size_t at = 0;
    for (int hit = 0; hit < hits; ++hit) {
        if (size - at < 3)
            return -1;
        const std::uint32_t names = buffer[at];
        const std::uint32_t minDepth = buffer[at + 1];
        if (names > size - at - 3)
            return -1;
        at += 3 + names;
        // A hit drawn with no name loaded is nothing we can point at.
        if (names == 0)
            continue;
        if (!found || minDepth <= nearestDepth) {
            found = true;
            nearest = buffer[at - 1];
            nearestDepth = minDepth;
        }
    }
    // Our names are cells of one layer: one beyond an int is nothing of ours.
    return found && nearest <= 0x7FFFFFFFu ? static_cast<int>(nearest) : -1;
}

} // namespace cubrava
