#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes a 24-bit Windows bitmap (bottom-up rows padded to four bytes) from
// RGB pixels given top row first.
inline void writeBmp24(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgbTopFirst)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * height);
    std::vector<std::uint8_t> out(54 + dataSize, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    put32(34, dataSize);
    for (int row = 0; row < height; ++row) {
        const int source = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgbTopFirst[(source * width + x) * 3];
            std::uint8_t* q = &out[54 + row * rowBytes + x * 3];
            q[0] = p[2]; // stored blue, green, red
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}
