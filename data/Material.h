#pragma once

#include <cstdint>
#include <string>

namespace cubrava {

// The look of one unit cube.
struct Material {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    // Image path relative to the working directory; empty means untextured.
    std::string textureName;
    // Rendering-context state derived from textureName; 0 means not bound.
    std::uint32_t textureHandle = 0;

    // Stores the name and binds the handle through the texture cache.
    void setTexture(const std::string& name);

    // Forgets the handle (the rendering context went away) but keeps the name,
    // so the next draw binds the texture again.
    void resetTextureHandle() { textureHandle = 0; }
};

} // namespace cubrava
