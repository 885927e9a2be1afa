#pragma once

#include "Rng.h"

#include <vector>

namespace cubrava::assetgen {

// One hit of each drum, rendered once per song and reused like a drum
// machine's samples. Peaks are about 1.
struct DrumKit {
    std::vector<float> kick;
    std::vector<float> snare;
    std::vector<float> closedHat;
    std::vector<float> openHat;
    std::vector<float> crash;
    std::vector<float> tom;
};

// `tone` shifts the kit's pitches (1 = as designed), so each song can have
// its own kit colour.
DrumKit makeDrumKit(Rng& rng, float tone);

} // namespace cubrava::assetgen
