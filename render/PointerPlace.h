#pragma once

namespace cubrava {

// Where the pointer is over a window, in window pixels from the top left, as
// the pointer callbacks give it.
struct PointerPlace {
    int x = 0;
    int y = 0;
};

} // namespace cubrava
