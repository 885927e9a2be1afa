#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cubrava {

// A decoded picture: width x height pixels, 3 bytes each (R, G, B), tightly
// packed, bottom row first (the order OpenGL takes).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

enum class BmpError {
    None,
    CannotOpen,
    UnknownFormat, // "Unknown DIB file format."
    ConversionError, // "Image file conversion error."
    OutOfMemory, // "Out of memory."
};

// Reads a Windows or OS/2 bitmap of any common depth. Never shows anything.
BmpError readBmp(const std::string& path, RgbImage& image);

// The same, but a file that exists and cannot be decoded is reported on
// standard error and queued for an "Error" box (ImageFailures.h), which the
// toolkit's thread shows later. Returns success.
bool loadBmp(const std::string& path, RgbImage& image);

// Decodes a whole bitmap file held in memory. On failure the image is left empty.
BmpError decodeBmp(const unsigned char* data, std::size_t size, RgbImage& image);

// The text shown for a failure; empty for None and CannotOpen.
std::string bmpErrorText(BmpError error);

// Pictures with more pixels than this (4096 x 4096, far beyond any texture
// we ship) are refused as "Out of memory." rather than allocated.
constexpr long long kMaxBmpPixels = 4096LL * 4096;

} // namespace cubrava
