#pragma once

#include <vector>

namespace cubrava::assetgen {

// A quick click with a rising whoosh, well under 0.2 s.
std::vector<float> rotateSound();

// A soft, low thud, under 0.3 s.
std::vector<float> landSound();

// A bright upward sweep ending in a chime, under 1 s.
std::vector<float> clearSound();

} // namespace cubrava::assetgen
