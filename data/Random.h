#pragma once

#include <cstdint>

namespace cubrava {

// The process-wide generator behind piece choice, songs, status messages and
// particles. Tests seed it to make those choices repeatable.
void srand(std::uint32_t seed);

// Next value, 0 to 32767.
int rand();

} // namespace cubrava
