#pragma once

#include "data/PieceSet.h"
#include "data/XmlRead.h"

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace cubrava::test {

// A piece as its (x, y, z) cubes.
using Shape = std::vector<std::array<int, 3>>;

inline const Shape cube = { { 0, 0, 0 } };
inline const Shape lineX3 = { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 } };
inline const Shape lineY3 = { { 0, 0, 0 }, { 0, 1, 0 }, { 0, 2, 0 } };

inline Shape column(int height)
{
    Shape s;
    for (int z = 0; z < height; ++z)
        s.push_back({ 0, 0, z });
    return s;
}

// The pieces in memory, in order, each one colour as a piece file gives it:
// red, green, blue, yellow, cyan, magenta, then red again.
inline PieceSet piecesOf(const std::vector<Shape>& shapes)
{
    const char* colours[] = { "FF0000", "00FF00", "0000FF", "FFFF00", "00FFFF", "FF00FF" };
    PieceSet pieces;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        std::vector<Block> blocks;
        std::vector<std::unique_ptr<Material>> materials;
        for (const auto& c : shapes[i]) {
            auto material = std::make_unique<Material>();
            parseColour(colours[i % 6], material->red, material->green, material->blue);
            blocks.push_back(Block { static_cast<std::int8_t>(c[0]), static_cast<std::int8_t>(c[1]),
                static_cast<std::int8_t>(c[2]), material.get() });
            materials.push_back(std::move(material));
        }
        pieces.add(blocks, std::move(materials));
    }
    return pieces;
}

} // namespace cubrava::test
