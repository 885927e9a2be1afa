#include "PieceDef.h"

#include <algorithm>
#include <utility>

namespace cubrava {

PieceDef::PieceDef(std::vector<Block> blocksIn, Orientation orientationIn)
    : blocks(std::move(blocksIn))
    , orientation(orientationIn)
{
    computeExtent();
}

void PieceDef::computeExtent()
{
    // Starting from 0, so a negative coordinate never shrinks the box.
    std::int8_t mx = 0, my = 0, mz = 0;
    for (const Block& b : blocks) {
        mx = std::max(mx, b.x);
        my = std::max(my, b.y);
        mz = std::max(mz, b.z);
    }
    ex = static_cast<std::int8_t>(mx + 1);
    ey = static_cast<std::int8_t>(my + 1);
    ez = static_cast<std::int8_t>(mz + 1);
}

} // namespace cubrava
