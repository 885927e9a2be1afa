#pragma once

#include "data/CellPos.h"
#include "data/LevelDef.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::test {

// A cube's look: a colour, and a texture file or none.
inline Material colour(float red, float green, float blue, const std::string& texture = "")
{
    Material m;
    m.red = red;
    m.green = green;
    m.blue = blue;
    m.textureName = texture;
    return m;
}

// A level with no cubes, its numbers narrowed as the file's reader narrows them.
inline LevelDef level(const std::string& name, int x, int y, int z, int goal, int drop)
{
    LevelDef def(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z));
    def.name = name;
    def.goal = static_cast<std::int8_t>(goal);
    def.drop = static_cast<std::int16_t>(drop);
    return def;
}

// A level with grey starting cubes at the given cells. A field or pit that
// refers to its materials needs it for as long as it lives.
inline LevelDef level(int x, int y, int z, const std::vector<std::array<int, 3>>& cubes = {}, int goal = 1)
{
    LevelDef def(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z));
    def.goal = static_cast<std::int8_t>(goal);
    Material grey;
    grey.red = grey.green = grey.blue = 0.5f;
    for (const auto& c : cubes)
        def.addBlock(
            static_cast<std::int8_t>(c[0]), static_cast<std::int8_t>(c[1]), static_cast<std::int8_t>(c[2]), grey);
    return def;
}

inline CellPos pos(int x, int y, int z)
{
    return CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) };
}

} // namespace cubrava::test
