#pragma once

#include "ViewRect.h"

namespace cubrava {

// While it lives, drawing is in pixels of a viewport the size of `viewport`:
// x to the right and y up from its lower left corner, with no depth to speak
// of. The projection and modelview matrices are as they were afterwards.
class PixelTransforms {
public:
    explicit PixelTransforms(const ViewRect& viewport);
    ~PixelTransforms();
    PixelTransforms(const PixelTransforms&) = delete;
    PixelTransforms& operator=(const PixelTransforms&) = delete;
};

} // namespace cubrava
