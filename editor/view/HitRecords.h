#pragma once

#include <cstddef>
#include <cstdint>

namespace cubrava {

// The name of the nearest hit in an OpenGL selection buffer, -1 for none.
// Each record is a name count, the minimum and maximum depth, then the names
// (the top of the name stack last); the nearest is the one of smallest
// minimum depth, compared unsigned, and of equal depths the later one. A
// buffer that overflowed (hits is -1) or whose records would run past its
// size counts as no hit: its records cannot be trusted to the end.
int nearestHitName(const std::uint32_t* buffer, std::size_t size, int hits);

} // namespace cubrava
