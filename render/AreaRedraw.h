#pragma once

#include "ViewRect.h"

#include <functional>

namespace cubrava {

// Clears an area of the window, as a whole frame's first clear does there,
// and runs `draw` with nothing reaching outside the area.
void redrawArea(const ViewRect& area, const std::function<void()>& draw);

} // namespace cubrava
