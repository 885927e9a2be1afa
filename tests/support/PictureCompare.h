#pragma once

// Comparing two pictures read back from the renderer, and the test images
// they are drawn with.

#include "data/LevelDef.h"
#include "support/BmpWriter.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

// The RGB pixels of the back buffer's rectangle from (0, 0), bottom row first.
inline std::vector<std::uint8_t> readBackBuffer(int width, int height)
{
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Pixels where a channel differs by more than three levels of 255. Smaller
// differences are rounding, not a change of picture: the lighting summed in
// another order (one level), and the highlight of the light from below, which
// the renderer adds only on faces turned towards it; on the upright faces,
// exactly edge-on to it, rounding in the matrices decides (up to three
// levels, and from one camera place to the next in the reference too).
inline long differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    long count = 0;
    for (std::size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3) {
        bool differs = false;
        for (std::size_t c = i; c < i + 3; ++c)
            differs = differs || std::abs(a[c] - b[c]) > 3;
        count += differs;
    }
    return count;
}

// Pixels clearly brighter than the black background.
inline long litPixels(const std::vector<std::uint8_t>& rgb)
{
    long count = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        count += rgb[i] + rgb[i + 1] + rgb[i + 2] > 60;
    return count;
}

// A 32 x 32 bitmap of two colours in squares of `cell` pixels.
inline void writeCheckerBmp(const std::string& path, int cell, std::uint8_t a, std::uint8_t b)
{
    BmpSpec layout;
    layout.width = 32;
    layout.height = 32;
    for (int row = 0; row < 32; ++row) // stored bottom row first
        for (int x = 0; x < 32; ++x) {
            const int y = 31 - row;
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 3; ++channel)
                pixel
                    = pixel << 8 | (((x / cell + y / cell) % 2 == 0) ? a : static_cast<std::uint8_t>(b + 40 * channel));
            layout.pixels.push_back(pixel);
        }
    std::ofstream(path, std::ios::binary) << buildBmp(layout);
}

// An 8 x 8 x 16 level of six colours, every seventh cell wearing a small
// checker and every eleventh a large one (writeComparisonTextures), in the
// cells `filled` keeps.
inline cubrava::LevelDef comparisonLevel(const std::function<bool(int x, int y, int z)>& filled)
{
    static const float palette[6][3] = { { 0.95f, 0.2f, 0.2f }, { 0.2f, 0.8f, 0.25f }, { 0.25f, 0.4f, 1.0f },
        { 0.95f, 0.85f, 0.2f }, { 0.6f, 0.3f, 0.95f }, { 0.2f, 0.8f, 0.9f } };
    cubrava::LevelDef level(8, 8, 16);
    int i = 0;
    for (int z = 0; z < 16; ++z)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y, ++i) {
                if (!filled(x, y, z))
                    continue;
                cubrava::Material look;
                look.red = palette[i % 6][0];
                look.green = palette[i % 6][1];
                look.blue = palette[i % 6][2];
                look.textureName = i % 7 == 0 ? "Textures/small.bmp" : i % 11 == 0 ? "Textures/large.bmp" : "";
                level.addBlock(
                    static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z), look);
            }
    return level;
}

// The textures of comparisonLevel, in Textures/ of the working folder.
inline void writeComparisonTextures()
{
    std::filesystem::create_directories("Textures");
    writeCheckerBmp("Textures/small.bmp", 4, 250, 30);
    writeCheckerBmp("Textures/large.bmp", 16, 200, 60);
}
