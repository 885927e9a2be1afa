#pragma once

#include <cstdint>
#include <string>

namespace cubrava {

// Loads a BMP file into a mipmapped, repeating texture of the current OpenGL
// context. Returns 0 when the file is missing or cannot be decoded (a file
// that exists but cannot be decoded is reported in an "Error" box).
std::uint32_t loadTexture(const std::string& fileName);

} // namespace cubrava
