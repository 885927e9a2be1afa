#pragma once

#include "LevelDef.h"

#include <string>
#include <vector>

namespace cubrava {

// The levels of Config/Levels.dat in file order.
using LevelList = std::vector<LevelDef>;

extern const char* const LevelsFileName;
extern const char* const LevelsErrorMessage;

// Appends every level of Config/Levels.dat. Raises FatalError with the Levels
// message when the file cannot be read, has no level, or describes a pit that
// cannot be built (a side below 1 or a height above 119).
void readLevels(LevelList& levels);

// The same, from any path.
void readLevelsFrom(const std::string& path, LevelList& levels);

} // namespace cubrava
