// Config/Pieces.dat: read as the game reads it on first use, then a level
// played with those pieces, which chooses, turns and lands them.
#include "FuzzSupport.h"
#include "data/FatalError.h"
#include "data/LevelDef.h"
#include "data/PieceSet.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::useAsFile(PiecesFileName, data, size, [] {
        LevelDef level(6, 5, 12);
        level.goal = 2;
        fuzz::playLevel(level);
    });
    // Emptied, so the next input is read on first use too. A set left empty
    // by a bad file is read (and refused) once more here.
    try {
        pieceSet().clear();
    } catch (const FatalError&) {
    }
    return 0;
}
