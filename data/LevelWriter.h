#pragma once

#include "FileReplace.h"
#include "LevelList.h"

#include <string>

namespace cubrava {

// What the editor tells the user when the level file could not be saved.
extern const char* const LevelsSaveErrorMessage;

// The level file's text for the list, as TinyXML prints the document: root
// "levels", a "level" per entry (name, x, y, z, goal, drop) holding a
// "blocks" element, always, with a "point" per block (x, y, z, color and, only
// for a textured block, texture). Numbers in signed decimal, colours as
// RRGGBB of trunc(channel x 255). Attribute values get TinyXML's entity
// escapes, so every name reads back as it was written.
std::string printLevels(const LevelList& levels);

// Writes the list to the level file, replacing the old one only once the new
// one is whole on disk (replaceFile), holding the working folder's
// PlayerFolderLock meanwhile. Shows nothing: whether it succeeded.
bool saveLevels(
    const LevelList& levels, const std::string& path = LevelsFileName, const FileCalls& calls = FileCalls::system());

} // namespace cubrava
