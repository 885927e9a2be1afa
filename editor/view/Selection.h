#pragma once

#include <cstdint>

namespace cubrava {

// The cells selected on the layer being edited: the rectangle between two
// corners, each corner inside it. Empty while x1 or x2 is -1; it keeps its
// place when the layer changes.
struct Selection {
    std::int8_t x1 = -1;
    std::int8_t y1 = -1;
    std::int8_t x2 = -1;
    std::int8_t y2 = -1;

    bool empty() const { return x1 == -1 || x2 == -1; }
    void clear() { x1 = y1 = x2 = y2 = -1; }

    // Both corners on one cell: a press.
    void anchor(int x, int y);
    // The second corner: a drag.
    void extendTo(int x, int y);

    // Exactly the one cell.
    bool isSingleCell(int x, int y) const;
    bool contains(int x, int y) const;

    int minX() const { return x1 < x2 ? x1 : x2; }
    int maxX() const { return x1 < x2 ? x2 : x1; }
    int minY() const { return y1 < y2 ? y1 : y2; }
    int maxY() const { return y1 < y2 ? y2 : y1; }

    // Calls visit(x, y) for every cell, x ascending and, inside, y ascending;
    // stops early when visit returns true. Whether it stopped.
    template <typename Visit> bool anyCell(Visit visit) const
    {
        if (empty())
            return false;
        for (int x = minX(); x <= maxX(); ++x)
            for (int y = minY(); y <= maxY(); ++y)
                if (visit(x, y))
                    return true;
        return false;
    }
};

} // namespace cubrava
