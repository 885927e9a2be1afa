#pragma once

#include "render/ViewRect.h"

#include <vector>

namespace cubrava {

// What a frame redrew in the back buffer: the whole window, or the areas
// that changed since the frame before (window pixels from the bottom left;
// none when nothing did).
struct FrameChanges {
    bool whole = false;
    std::vector<ViewRect> areas;
};

} // namespace cubrava
