#pragma once

#include "support/BmpWriter.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes a 24-bit Windows bitmap from RGB pixels given top row first.
inline void writeBmp24(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgbTopFirst)
{
    BmpSpec layout;
    layout.width = width;
    layout.height = height; // stored bottom row first
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgbTopFirst[static_cast<std::size_t>((row * width + x) * 3)];
            layout.pixels.push_back(
                static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
        }
    std::ofstream(path, std::ios::binary) << buildBmp(layout);
}
