#pragma once

#include <cstdint>

namespace cubrava {

// Which soundtrack plays next: the player's next and previous (keys and
// menu), or the current one again from its start. The values are fixed.
enum class SongStep : std::uint8_t {
    Next = 0,
    Previous = 1,
    Again = 2,
};

} // namespace cubrava
