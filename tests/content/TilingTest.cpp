// Block textures repeat across the faces of a pit full of cubes; the noise
// they are built from must meet itself at the edges.

#include "tools/assetgen/Noise.h"
#include "tools/assetgen/Rng.h"

#include <gtest/gtest.h>

using namespace cubrava::assetgen;

TEST(Tiling, NoiseMeetsItselfAcrossEveryEdge)
{
    Rng rng(42);
    LatticeNoise lattice(rng, 5, 7);
    FractalNoise fractal(rng, 3, 3, 4);
    CellNoise cells(rng, 4);
    for (float u = 0.0f; u < 1.0f; u += 0.093f)
        for (float v = 0.0f; v < 1.0f; v += 0.071f) {
            EXPECT_NEAR(lattice.at(u, v), lattice.at(u + 1.0f, v), 1e-4f);
            EXPECT_NEAR(lattice.at(u, v), lattice.at(u, v - 1.0f), 1e-4f);
            EXPECT_NEAR(fractal.at(u, v), fractal.at(u - 1.0f, v + 1.0f), 1e-4f);
            EXPECT_NEAR(cells.at(u, v).nearest, cells.at(u + 1.0f, v).nearest, 1e-4f);
            EXPECT_EQ(cells.at(u, v).cell, cells.at(u, v + 1.0f).cell);
        }
}

TEST(Tiling, TheGeneratorsNoiseIsTheSameOnEveryRun)
{
    Rng a(7), b(7);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.next(), b.next());
    Rng c(7);
    LatticeNoise first(c, 4, 4);
    Rng d(7);
    LatticeNoise second(d, 4, 4);
    EXPECT_EQ(first.at(0.3f, 0.6f), second.at(0.3f, 0.6f));
}
