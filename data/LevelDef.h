#pragma once

#include "Block.h"
#include "Material.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cubrava {

// One level: pit size, goal, drop interval, name and starting layout.
// It owns its blocks' materials; a copy is deep, with materials of its own.
class LevelDef {
public:
    std::int8_t x = 0; // pit width
    std::int8_t y = 0; // pit depth
    std::int8_t z = 0; // pit height in layers
    std::int8_t goal = 1; // cleared layers that complete the level
    std::int16_t drop = 1000; // milliseconds between one-layer drops
    std::string name;

    LevelDef() = default;
    LevelDef(std::int8_t width, std::int8_t depth, std::int8_t height);
    LevelDef(const LevelDef& other);
    LevelDef& operator=(const LevelDef& other);
    LevelDef(LevelDef&&) noexcept = default;
    LevelDef& operator=(LevelDef&&) noexcept = default;
    ~LevelDef() = default;

    // The starting layout, in file order, with absolute coordinates.
    const std::vector<Block>& blocks() const { return blocks_; }

    // Appends a block with its own copy of the material.
    void addBlock(std::int8_t bx, std::int8_t by, std::int8_t bz, const Material& look);

    // Removes every block and destroys their materials.
    void clearBlocks();

private:
    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<Material>> materials_;
};

} // namespace cubrava
