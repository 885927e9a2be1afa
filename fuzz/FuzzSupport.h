#pragma once

// What the fuzz targets share: a private folder to work in, since the readers
// take file paths and the game reads Config/ from its working folder, and a
// player that plays a level as the game would.

#include "data/LevelDef.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cubrava::fuzz {

// Makes a private working folder and enters it, with Config/Pieces.dat as
// shipped; it is removed when the process exits. Call once, first.
void enterWorkFolder();

// Writes the input whole to a file of the working folder.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);

// Seeds the game's random numbers from the input, so one input always plays
// the same way.
void seedFrom(const std::uint8_t* data, std::size_t size);

// Builds the level's pit as the editor does, then plays it as the game does:
// start, a few random moves and a drop for each piece, and the steps queued
// after each landing, until play ends or a bound is reached.
void playLevel(const LevelDef& level);

} // namespace cubrava::fuzz
