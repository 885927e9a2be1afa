#pragma once

#include "Image.h"

#include <string>
#include <vector>

namespace cubrava::assetgen {

struct NamedImage {
    std::string file; // relative to the runtime folder
    Image image;
};

// Block textures: light and fairly neutral, because the game multiplies
// them by the cube's colour and the colour must still read.
Image paintMarble(int size);
Image paintWood(int size);
Image paintRivetedPlate(int size);
Image paintStone(int size);
Image paintCircuit(int size);
Image paintFrostedGlass(int size);

// The side panel behind the level name, goal and menu: dark brushed metal
// in a polished frame.
Image paintBrushedPanel(int width, int height);

// Every texture the game ships, with its file name.
std::vector<NamedImage> allTextures();

} // namespace cubrava::assetgen
