#pragma once

#include <vector>

namespace cubrava {

// The program's icon at one size: size x size pixels, 4 bytes each
// (R, G, B, alpha, not premultiplied), top row first.
struct IconImage {
    int size;
    const unsigned char* rgba;
};

// Every size built into the program by the asset generator, smallest first.
const std::vector<IconImage>& iconImages();

} // namespace cubrava
