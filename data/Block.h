#pragma once

#include "Material.h"

#include <cstdint>

namespace cubrava {

// One unit cube of a piece (coordinates relative to the piece's origin) or of
// a level's starting layout (absolute pit coordinates). The material belongs
// to the block's container, the PieceSet or the LevelDef; copies of a piece
// share it.
struct Block {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
    Material* material = nullptr;
};

} // namespace cubrava
