#pragma once

#include "Block.h"
#include "Orientation.h"

#include <cstdint>
#include <vector>

namespace cubrava {

// One piece shape. Copies share the materials of their blocks: the play model
// copies pieces all the time and never frees what they point at.
struct PieceDef {
    std::vector<Block> blocks;
    // Bounding box sizes: the largest coordinate on each axis, counted from 0, plus one.
    std::int8_t ex = 0;
    std::int8_t ey = 0;
    std::int8_t ez = 0;
    Orientation orientation = 0;

    PieceDef() = default;
    PieceDef(std::vector<Block> blocksIn, Orientation orientationIn);

    // Recomputes ex, ey, ez from the blocks.
    void computeExtent();
};

} // namespace cubrava
