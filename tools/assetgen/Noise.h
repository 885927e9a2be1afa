#pragma once

#include "Rng.h"

#include <vector>

namespace cubrava::assetgen {

// Smooth random values on a lattice that repeats every `cellsX` by `cellsY`
// cells, so textures built from it tile without seams.
class LatticeNoise {
public:
    LatticeNoise(Rng& rng, int cellsX, int cellsY);

    // u, v in texture units: one texture repeat per 1.0. Result 0..1.
    float at(float u, float v) const;

private:
    int cellsX_;
    int cellsY_;
    std::vector<float> values_;
};

// Several octaves of lattice noise, each twice as fine and half as strong.
// Result roughly 0..1, centred on 0.5.
class FractalNoise {
public:
    FractalNoise(Rng& rng, int cellsX, int cellsY, int octaves);

    float at(float u, float v) const;

private:
    std::vector<LatticeNoise> octaves_;
};

// Distances to the nearest and second nearest of jittered points, one per
// cell of a repeating grid: the stuff stones and cobbles are made of.
class CellNoise {
public:
    CellNoise(Rng& rng, int cells);

    struct Sample {
        float nearest; // in cell units
        float second;
        int cell; // index of the nearest point's cell, for per-stone variation
    };

    Sample at(float u, float v) const;

private:
    int cells_;
    std::vector<float> pointX_;
    std::vector<float> pointY_;
};

} // namespace cubrava::assetgen
