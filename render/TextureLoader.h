#pragma once

#include <cstdint>
#include <string>

namespace cubrava {

// Loads a BMP file into a mipmapped, repeating texture of the current OpenGL
// context. Returns 0 when the file is missing or cannot be decoded (a file
// that exists but cannot be decoded is queued for an "Error" box, shown later
// on the toolkit's thread: see platform/ImageFailures.h).
std::uint32_t loadTexture(const std::string& fileName);

} // namespace cubrava
