#pragma once

#include <cstdint>

namespace cubrava {

// x across the pit's width, y across its depth, z upwards from layer 0.
struct CellPos {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
};

inline bool operator==(const CellPos& a, const CellPos& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline bool operator!=(const CellPos& a, const CellPos& b)
{
    return !(a == b);
}

} // namespace cubrava
