#pragma once

#include "data/LevelDef.h"

#include <cstdint>
#include <string>

namespace cubrava::test {

// A level with no cubes, its numbers narrowed as the file's reader narrows them.
inline LevelDef level(const std::string& name, int x, int y, int z, int goal, int drop)
{
    LevelDef def(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z));
    def.name = name;
    def.goal = static_cast<std::int8_t>(goal);
    def.drop = static_cast<std::int16_t>(drop);
    return def;
}

} // namespace cubrava::test
