// The shipped piece set and campaign, read with the game's own readers.

#include "ContentFiles.h"
#include "data/LevelList.h"
#include "data/PieceSet.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

using Cell = std::array<int, 3>;
using Shape = std::vector<Cell>;

Shape shapeOf(const PieceDef& piece)
{
    Shape shape;
    for (const Block& b : piece.blocks)
        shape.push_back({ b.x, b.y, b.z });
    return shape;
}

// Moved to touch the origin on every axis, cubes in order.
Shape normalised(Shape shape)
{
    for (int axis = 0; axis < 3; ++axis) {
        int low = shape.front()[axis];
        for (const Cell& c : shape)
            low = std::min(low, c[axis]);
        for (Cell& c : shape)
            c[axis] -= low;
    }
    std::sort(shape.begin(), shape.end());
    return shape;
}

// The same for every way the shape can be turned (rotations only: the two
// screws are mirror images, and mirror images are different pieces).
Shape canonical(const Shape& shape)
{
    std::array<int, 3> order { 0, 1, 2 };
    Shape best;
    do {
        for (int signs = 0; signs < 8; ++signs) {
            int parity = 0;
            for (int i = 0; i < 3; ++i)
                for (int j = i + 1; j < 3; ++j)
                    parity += order[i] > order[j];
            int negatives = __builtin_popcount(static_cast<unsigned>(signs));
            if ((parity + negatives) % 2 != 0)
                continue; // a reflection
            Shape turned;
            for (const Cell& c : shape) {
                Cell t;
                for (int axis = 0; axis < 3; ++axis)
                    t[axis] = (signs >> axis & 1 ? -1 : 1) * c[order[axis]];
                turned.push_back(t);
            }
            turned = normalised(turned);
            if (best.empty() || turned < best)
                best = turned;
        }
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

bool faceConnected(const Shape& shape)
{
    std::vector<bool> reached(shape.size(), false);
    std::vector<std::size_t> todo { 0 };
    reached[0] = true;
    while (!todo.empty()) {
        Cell c = shape[todo.back()];
        todo.pop_back();
        for (std::size_t i = 0; i < shape.size(); ++i) {
            int distance = std::abs(c[0] - shape[i][0]) + std::abs(c[1] - shape[i][1]) + std::abs(c[2] - shape[i][2]);
            if (!reached[i] && distance == 1) {
                reached[i] = true;
                todo.push_back(i);
            }
        }
    }
    return std::all_of(reached.begin(), reached.end(), [](bool r) { return r; });
}

PieceSet shippedPieces()
{
    PieceSet set;
    readPieces(shippedConfig("Pieces.dat"), set);
    return set;
}

LevelList shippedLevels()
{
    LevelList levels;
    readLevelsFrom(shippedConfig("Levels.dat"), levels);
    return levels;
}

} // namespace

TEST(ShippedPieces, AreTheEightTetracubesAndThePiecesThatKeepAPitPlayable)
{
    PieceSet set = shippedPieces();
    std::set<Shape> tetracubes;
    std::set<Shape> small;
    for (const PieceDef& piece : set.pieces()) {
        Shape shape = shapeOf(piece);
        EXPECT_EQ(std::set<Cell>(shape.begin(), shape.end()).size(), shape.size()) << "two cubes in one cell";
        EXPECT_TRUE(faceConnected(shape));
        // The spawn rule counts extents from 0, so a piece must touch the origin.
        for (int axis = 0; axis < 3; ++axis) {
            int low = 99;
            for (const Cell& c : shape)
                low = std::min(low, c[axis]);
            EXPECT_EQ(low, 0) << "a piece floats off its origin on axis " << axis;
        }
        (shape.size() == 4 ? tetracubes : small).insert(canonical(shape));
    }
    EXPECT_EQ(tetracubes.size(), 8u) << "the eight tetracubes, each once";
    EXPECT_EQ(small.size(), 4u);
    for (const Shape& wanted : { Shape { { 0, 0, 0 } }, Shape { { 0, 0, 0 }, { 1, 0, 0 } },
             Shape { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 } }, Shape { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 } } })
        EXPECT_EQ(small.count(canonical(wanted)), 1u) << "missing a small piece of " << wanted.size() << " cubes";
    EXPECT_EQ(set.size(), tetracubes.size() + small.size()) << "the same shape twice";
}

TEST(ShippedPieces, EachHasItsOwnColourThatStandsOutOnTheGreyGrid)
{
    PieceSet set = shippedPieces();
    std::vector<std::array<float, 3>> colours;
    int textured = 0;
    for (const PieceDef& piece : set.pieces()) {
        const Material& first = *piece.blocks.front().material;
        for (const Block& b : piece.blocks) {
            EXPECT_EQ(b.material->red, first.red);
            EXPECT_EQ(b.material->green, first.green);
            EXPECT_EQ(b.material->blue, first.blue);
            EXPECT_EQ(b.material->textureName, first.textureName);
        }
        textured += !first.textureName.empty();
        std::array<float, 3> c { first.red, first.green, first.blue };
        float fromGrid = std::fabs(c[0] - 0.4f) + std::fabs(c[1] - 0.4f) + std::fabs(c[2] - 0.4f);
        EXPECT_GT(fromGrid, 0.6f) << "colour too close to the grid's grey";
        for (const auto& other : colours) {
            float apart = std::fabs(c[0] - other[0]) + std::fabs(c[1] - other[1]) + std::fabs(c[2] - other[2]);
            EXPECT_GT(apart, 0.25f) << "two pieces look alike";
        }
        colours.push_back(c);
    }
    EXPECT_GE(textured, 2);
    EXPECT_LE(textured, 3);
}

TEST(ShippedLevels, AreWrittenExactlyAsTheEditorPrintsThem)
{
    const std::string path = shippedConfig("Levels.dat");
    std::vector<std::uint8_t> bytes = readBytes(path);
    const std::string file(bytes.begin(), bytes.end());

    TiXmlDocument document(path);
    ASSERT_TRUE(document.LoadFile());
    std::FILE* printed = std::tmpfile();
    ASSERT_NE(printed, nullptr);
    document.SaveFile(printed);
    std::string reprinted(static_cast<std::size_t>(std::ftell(printed)), '\0');
    std::rewind(printed);
    ASSERT_EQ(std::fread(reprinted.data(), 1, reprinted.size(), printed), reprinted.size());
    std::fclose(printed);
    EXPECT_EQ(reprinted, file) << "indentation, quoting or empty elements differ from the editor's printer";

    const TiXmlElement* root = document.RootElement();
    EXPECT_EQ(root->ValueStr(), "levels");
    auto names = [](const TiXmlElement* e) {
        std::string all;
        for (const TiXmlAttribute* a = e->FirstAttribute(); a; a = a->Next())
            all += std::string(all.empty() ? "" : " ") + a->Name();
        return all;
    };
    for (const TiXmlElement* level = root->FirstChildElement(); level; level = level->NextSiblingElement()) {
        EXPECT_EQ(level->ValueStr(), "level");
        EXPECT_EQ(names(level), "name x y z goal drop");
        const TiXmlElement* blocks = level->FirstChildElement();
        ASSERT_NE(blocks, nullptr) << "\"blocks\" is always written";
        EXPECT_EQ(blocks->ValueStr(), "blocks");
        EXPECT_EQ(blocks->NextSiblingElement(), nullptr);
        for (const TiXmlElement* point = blocks->FirstChildElement(); point; point = point->NextSiblingElement()) {
            EXPECT_EQ(point->ValueStr(), "point");
            std::string attributes = names(point);
            EXPECT_TRUE(attributes == "x y z color" || attributes == "x y z color texture") << attributes;
            std::string colour = point->Attribute("color");
            EXPECT_EQ(colour.size(), 6u);
            EXPECT_EQ(colour.find_first_not_of("0123456789ABCDEF"), std::string::npos) << colour;
        }
    }
}

TEST(ShippedLevels, FormACampaignFromRoomyAndFriendlyToHard)
{
    LevelList levels = shippedLevels();
    ASSERT_GE(levels.size(), 12u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const LevelDef& l = levels[i];
        SCOPED_TRACE(l.name);
        EXPECT_TRUE(names.insert(l.name).second) << "name missing or used twice";
        EXPECT_GE(l.x, 3);
        EXPECT_LE(l.x, 8);
        EXPECT_GE(l.y, 3);
        EXPECT_LE(l.y, 8);
        EXPECT_GE(l.z, 10);
        EXPECT_LE(l.z, 20);
        EXPECT_GT(l.goal, 0);
        if (i > 0) {
            EXPECT_GE(l.goal, levels[i - 1].goal) << "goals rise";
            EXPECT_LT(l.drop, levels[i - 1].drop) << "pieces fall faster";
        }
    }
    EXPECT_GE(levels.front().x, 5) << "the first level is roomy";
    EXPECT_GE(levels.front().y, 5);
    EXPECT_GE(levels.front().drop, 900);
    EXPECT_LE(levels.back().drop, 300);
    EXPECT_GT(levels.back().goal, levels.front().goal);
    auto smallest = std::min_element(
        levels.begin(), levels.end(), [](const LevelDef& a, const LevelDef& b) { return a.x * a.y < b.x * b.y; });
    auto largest = std::max_element(
        levels.begin(), levels.end(), [](const LevelDef& a, const LevelDef& b) { return a.x * a.y < b.x * b.y; });
    EXPECT_EQ(smallest->x * smallest->y, 9) << "a 3 x 3 pit";
    EXPECT_EQ(largest->x * largest->y, 64) << "an 8 x 8 pit";
}

TEST(ShippedLevels, StartingLayoutsLieInsideTheirPitsAndLeaveEveryLayerOpen)
{
    int withLayout = 0;
    int withTextures = 0;
    for (const LevelDef& l : shippedLevels()) {
        SCOPED_TRACE(l.name);
        std::set<Cell> cells;
        std::vector<int> perLayer(static_cast<std::size_t>(l.z), 0);
        bool textured = false;
        for (const Block& b : l.blocks()) {
            ASSERT_TRUE(b.x >= 0 && b.x < l.x && b.y >= 0 && b.y < l.y && b.z >= 0 && b.z < l.z)
                << "cube outside the pit at " << int(b.x) << "," << int(b.y) << "," << int(b.z);
            EXPECT_TRUE(cells.insert({ b.x, b.y, b.z }).second) << "two cubes in one cell";
            EXPECT_LT(b.z, l.z / 2) << "a starting layout leaves the upper half free";
            ++perLayer[static_cast<std::size_t>(b.z)];
            textured |= !b.material->textureName.empty();
        }
        for (int count : perLayer)
            EXPECT_LT(count, l.x * l.y) << "a layer is full before play starts";
        withLayout += !l.blocks().empty();
        withTextures += textured;
    }
    EXPECT_GE(withLayout, 5);
    EXPECT_GE(withTextures, 3);
    EXPECT_FALSE(shippedLevels().front().blocks().empty()) << "the first level shows off some colours";
}

// A new piece enters centred above the rim (width * 0.5 - extent * 0.5,
// truncated); if any cube of it lies outside the pit's plan the game is
// over at once. Every piece must fit into every pit as it spawns.
TEST(ShippedLevels, EveryPieceCanEnterEveryPit)
{
    PieceSet set = shippedPieces();
    for (const LevelDef& l : shippedLevels()) {
        for (std::size_t p = 0; p < set.size(); ++p) {
            const PieceDef& piece = set[p];
            int x = static_cast<int>(static_cast<float>(l.x) * 0.5f - static_cast<float>(piece.ex) * 0.5f);
            int y = static_cast<int>(static_cast<float>(l.y) * 0.5f - static_cast<float>(piece.ey) * 0.5f);
            for (const Block& b : piece.blocks)
                EXPECT_TRUE(x + b.x >= 0 && x + b.x < l.x && y + b.y >= 0 && y + b.y < l.y)
                    << "piece " << p << " cannot enter " << l.name;
        }
    }
}
