#pragma once

#include "Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// Channel value 0..1 to a byte, rounded.
std::uint8_t toByte(float channel);

// An uncompressed 24-bit Windows bitmap (BITMAPINFOHEADER, bottom-up rows
// padded to four bytes): the one format every image reader knows.
std::vector<std::uint8_t> encodeBmp(const Image& image);

void writeBmp(const std::string& path, const Image& image);

} // namespace cubrava::assetgen
