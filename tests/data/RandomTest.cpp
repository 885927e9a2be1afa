#include "data/ProcessWide.h"

#include <gtest/gtest.h>

TEST(Random, ReproducesTheLinearCongruentialSequence)
{
    cubrava::srand(1);
    const int expected[] = { 41, 18467, 6334, 26500, 19169 };
    for (int value : expected)
        EXPECT_EQ(cubrava::rand(), value);

    cubrava::srand(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        int v = cubrava::rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}
