#include "Selection.h"

namespace cubrava {

void Selection::anchor(int x, int y)
{
    x1 = x2 = static_cast<std::int8_t>(x);
    y1 = y2 = static_cast<std::int8_t>(y);
}

void Selection::extendTo(int x, int y)
{
    x2 = static_cast<std::int8_t>(x);
    y2 = static_cast<std::int8_t>(y);
}

bool Selection::isSingleCell(int x, int y) const
{
    return !empty() && x1 == x && x2 == x && y1 == y && y2 == y;
}

bool Selection::contains(int x, int y) const
{
    return !empty() && x >= minX() && x <= maxX() && y >= minY() && y <= maxY();
}

} // namespace cubrava
