#pragma once

namespace cubrava {

// A view's rectangle in window pixels, origin at the bottom left. All -1 until
// the shell's first reshape hands one over.
struct ViewRect {
    int x = -1;
    int y = -1;
    int width = -1;
    int height = -1;
};

inline bool operator==(const ViewRect& a, const ViewRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline bool operator!=(const ViewRect& a, const ViewRect& b)
{
    return !(a == b);
}

} // namespace cubrava
