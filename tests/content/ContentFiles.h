#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Paths of what we ship: the authored Config files in the source tree (the
// ones in build/run may hold a designer's edits) and the runtime folder.
std::string shippedConfig(const std::string& name);
std::string runFile(const std::string& relative);

std::vector<std::uint8_t> readBytes(const std::string& path);

// A 24-bit uncompressed bitmap, checked field by field. `problem` says what
// is wrong, empty when the file is sound.
struct Bitmap {
    std::string problem;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // bottom row first, tightly packed

    // Brightness 0..1 of a pixel, x from the left, y from the bottom.
    double brightness(int x, int y) const;
    double meanBrightness() const;
};

Bitmap readBitmap(const std::string& path);

// An 8-bit mono 11025 Hz PCM wave, checked field by field.
struct Wave {
    std::string problem;
    std::vector<int> samples; // centred: -128..127

    double seconds() const { return static_cast<double>(samples.size()) / 11025.0; }
};

Wave readWave(const std::string& path);
