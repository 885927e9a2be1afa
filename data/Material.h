#pragma once

#include <string>

namespace cubrava {

// The look of one unit cube.
struct Material {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    // Image path relative to the working directory; empty means untextured.
    // The renderer finds the texture by this name in the rendering context.
    std::string textureName;
};

} // namespace cubrava
