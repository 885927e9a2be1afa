// Reading the selection buffer: the nearest hit, and a buffer that cannot be
// trusted counting as no hit.
#include "editor/HitRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace cubrava;

TEST(HitRecords, TheNearestByUnsignedMinimumDepthWinsAndOfEqualDepthsTheLater)
{
    // Depths above 2^31 would come first if compared signed.
    const std::vector<std::uint32_t> hits { 1, 0x90000000u, 0x90000001u, 7, //
        1, 0x10000000u, 0x20000000u, 12, //
        1, 0x80000000u, 0x80000000u, 30 };
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), 3), 12);

    const std::vector<std::uint32_t> ties { 1, 5, 9, 3, 1, 5, 6, 4, 1, 6, 6, 8 };
    EXPECT_EQ(nearestHitName(ties.data(), ties.size(), 3), 4);

    // The top of the name stack names the hit; a hit without names is skipped.
    const std::vector<std::uint32_t> stacked { 0, 1, 1, 2, 0, 9, 4, 5, 1, 7, 7, 2 };
    EXPECT_EQ(nearestHitName(stacked.data(), stacked.size(), 3), 5);
    const std::vector<std::uint32_t> nameless { 0, 1, 1 };
    EXPECT_EQ(nearestHitName(nameless.data(), nameless.size(), 1), -1);
}

TEST(HitRecords, NoHitsAnOverflowAndRecordsRunningPastTheBufferAreNoHit)
{
    std::vector<std::uint32_t> full(512, 0);
    for (std::size_t i = 0; i + 3 < full.size(); i += 4) {
        full[i] = 1;
        full[i + 1] = static_cast<std::uint32_t>(1000 - i);
        full[i + 3] = static_cast<std::uint32_t>(i / 4);
    }
    EXPECT_EQ(nearestHitName(full.data(), full.size(), 128), 127);
    EXPECT_EQ(nearestHitName(full.data(), full.size(), 0), -1);
    EXPECT_EQ(nearestHitName(full.data(), full.size(), -1), -1) << "the buffer overflowed";
    EXPECT_EQ(nearestHitName(full.data(), full.size(), 129), -1) << "a count beyond the records";

    const std::vector<std::uint32_t> cut { 1, 4, 4, 2, 3, 1, 1, 5 }; // the second claims three names
    EXPECT_EQ(nearestHitName(cut.data(), cut.size(), 2), -1);
    EXPECT_EQ(nearestHitName(cut.data(), 2, 1), -1);
}
