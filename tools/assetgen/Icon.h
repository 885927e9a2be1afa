#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// The program's icon at one size: RGBA bytes (not premultiplied), top row first.
struct IconPicture {
    int size;
    std::vector<std::uint8_t> rgba;
};

// The sizes desktops ask for, smallest first.
extern const int IconSizes[6];

// A small stack of the game's cubes seen from above a corner, on a
// transparent ground, fitted to size x size pixels.
IconPicture paintIcon(int size);

// The C++ source that builds every size into a program: it defines
// iconImages() of platform/IconImage.h.
std::string iconSource(const std::vector<IconPicture>& icons);

} // namespace cubrava::assetgen
