#pragma once

#include <cstdint>
#include <vector>

namespace cubrava::assetgen {

// A PNG of 8-bit RGBA pixels, top row first. The image data is deflated in
// stored blocks (no compression): small icons need no more, and no
// compression library is needed.
std::vector<std::uint8_t> encodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

} // namespace cubrava::assetgen
