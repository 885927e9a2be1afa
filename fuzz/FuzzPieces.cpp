// Config/Pieces.dat: read as the game reads it at start-up, then a level
// played with those pieces, which chooses, turns and lands them.
#include "FuzzSupport.h"
#include "data/LevelDef.h"
#include "data/PieceSet.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::useAsFile(PiecesFileName, data, size, [] {
        PieceSet pieces;
        readPieces(PiecesFileName, pieces);
        LevelDef level(6, 5, 12);
        level.goal = 2;
        fuzz::playLevel(level, pieces);
    });
    return 0;
}
