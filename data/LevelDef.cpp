#include "LevelDef.h"

namespace cubrava {

LevelDef::LevelDef(std::int8_t width, std::int8_t depth, std::int8_t height)
    : x(width)
    , y(depth)
    , z(height)
{
}

LevelDef::LevelDef(const LevelDef& other)
    : x(other.x)
    , y(other.y)
    , z(other.z)
    , goal(other.goal)
    , drop(other.drop)
    , name(other.name)
{
    for (const Block& b : other.blocks_)
        addBlock(b.x, b.y, b.z, *b.material);
}

LevelDef& LevelDef::operator=(const LevelDef& other)
{
    if (this != &other) {
        LevelDef copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void LevelDef::addBlock(std::int8_t bx, std::int8_t by, std::int8_t bz, const Material& look)
{
    materials_.push_back(std::make_unique<Material>(look));
    blocks_.push_back(Block { bx, by, bz, materials_.back().get() });
}

void LevelDef::clearBlocks()
{
    blocks_.clear();
    materials_.clear();
}

} // namespace cubrava
