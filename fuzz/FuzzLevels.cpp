// Config/Levels.dat: read, then every level built and played.
#include "FuzzSupport.h"
#include "data/LevelList.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

// A file of many huge pits would only measure the allocator.
constexpr std::size_t MaxLevelsPlayed = 8;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::useAsFile(LevelsFileName, data, size, [] {
        LevelList levels;
        readLevels(levels);
        for (std::size_t i = 0; i < levels.size() && i < MaxLevelsPlayed; ++i)
            fuzz::playLevel(levels[i], fuzz::shippedPieces());
    });
    return 0;
}
