#pragma once

// What the fuzz targets share: a private folder to work in, since the readers
// take file paths and the game reads Config/ from its working folder, and a
// player that plays a level as the game would.

#include "data/LevelDef.h"
#include "data/PieceSet.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace cubrava::fuzz {

// Every target linking this starts (LLVMFuzzerInitialize, defined here) in a
// private working folder holding an empty Config/, removed when the process
// exits.

// The pieces as shipped, read once.
const PieceSet& shippedPieces();

// Writes the input whole to the file (relative to the working folder), seeds
// the game's random numbers from it, so one input always plays the same way,
// and runs `use`. A FatalError, the reader's own message for a bad file and
// what the game would show, ends the run quietly: only crashes, hangs, leaks
// and sanitizer reports count.
void useAsFile(const char* path, const std::uint8_t* data, std::size_t size, const std::function<void()>& use);

// Builds the level's pit as the editor does, then plays it with the pieces as
// the game does: start, a few random moves and a drop for each piece, and the
// steps queued after each landing, until play ends or a bound is reached.
void playLevel(const LevelDef& level, const PieceSet& pieces);

} // namespace cubrava::fuzz
