#pragma once

#include "data/PieceSet.h"
#include "data/XmlRead.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
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

// How the cubes of every piece look: a colour as a piece file writes it, or
// none for the pieces' own colours in turn (red, green, blue, yellow, cyan,
// magenta, then red again), and a texture file, or none.
struct PieceLook {
    PieceLook(std::string colourName = "", std::string textureFile = "")
        : colour(std::move(colourName))
        , texture(std::move(textureFile))
    {
    }

    std::string colour;
    std::string texture;

    std::string colourOf(std::size_t piece) const
    {
        static const char* const own[] = { "FF0000", "00FF00", "0000FF", "FFFF00", "00FFFF", "FF00FF" };
        return colour.empty() ? own[piece % 6] : colour;
    }
};

// The pieces in memory, in order, as a piece file gives them.
inline PieceSet piecesOf(const std::vector<Shape>& shapes, const PieceLook& look = {})
{
    PieceSet pieces;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        std::vector<Block> blocks;
        std::vector<std::unique_ptr<Material>> materials;
        for (const auto& c : shapes[i]) {
            auto material = std::make_unique<Material>();
            parseColour(look.colourOf(i).c_str(), material->red, material->green, material->blue);
            material->textureName = look.texture;
            blocks.push_back(Block { static_cast<std::int8_t>(c[0]), static_cast<std::int8_t>(c[1]),
                static_cast<std::int8_t>(c[2]), material.get() });
            materials.push_back(std::move(material));
        }
        pieces.add(blocks, std::move(materials));
    }
    return pieces;
}

// The same pieces as the text of a piece file, for the programs that read one.
inline std::string pieceFile(const std::vector<Shape>& shapes, const PieceLook& look = {})
{
    std::string text = "<pieces>\n";
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        text += "<piece>";
        for (const auto& c : shapes[i]) {
            text += "<c x='" + std::to_string(c[0]) + "' y='" + std::to_string(c[1]) + "' z='" + std::to_string(c[2])
                + "' color='" + look.colourOf(i) + "'";
            if (!look.texture.empty())
                text += " texture='" + look.texture + "'";
            text += "/>";
        }
        text += "</piece>\n";
    }
    return text + "</pieces>\n";
}

} // namespace cubrava::test
