#include "render/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cubrava;

namespace {

constexpr int MaxLevel = 4;

struct Shape {
    int width;
    int rows;
};

// Glyphs of many sizes, some wider than a first row, each with a pattern of its own.
Shape shapeOf(int code)
{
    return Shape { 1 + code * 7 % 45 + (code == 200 ? 300 : 0), 1 + code * 11 % 60 };
}

int levelAt(int code, int r, int c)
{
    return (code + 3 * r + c) % (MaxLevel + 1);
}

} // namespace

TEST(GlyphAtlas, KeepsEveryGlyphIntactAndApartWhileItGrows)
{
    GlyphAtlas atlas;
    for (int code = 1; code < 256; ++code) {
        const Shape s = shapeOf(code);
        std::vector<unsigned char> levels;
        for (int r = 0; r < s.rows; ++r)
            for (int c = 0; c < s.width; ++c)
                levels.push_back(static_cast<unsigned char>(levelAt(code, r, c)));
        atlas.add(static_cast<unsigned char>(code), s.width, s.rows, levels.data(), MaxLevel);
    }
    EXPECT_FALSE(atlas.contains(0));

    // Every texel read back where its glyph went, after all the growing; and
    // no texel belongs to two glyphs.
    std::vector<int> owner(static_cast<std::size_t>(atlas.width()) * atlas.height(), 0);
    for (int code = 1; code < 256; ++code) {
        ASSERT_TRUE(atlas.contains(static_cast<unsigned char>(code)));
        const Shape s = shapeOf(code);
        const GlyphAtlas::Place& at = atlas.place(static_cast<unsigned char>(code));
        ASSERT_LE(at.x + s.width, atlas.width()) << code;
        ASSERT_LE(at.y + s.rows, atlas.height()) << code;
        for (int r = 0; r < s.rows; ++r)
            for (int c = 0; c < s.width; ++c) {
                const std::size_t i = static_cast<std::size_t>(at.y + r) * atlas.width() + at.x + c;
                ASSERT_EQ(owner[i], 0) << code << " overlaps " << owner[i];
                owner[i] = code;
                ASSERT_EQ(atlas.texels()[i], (levelAt(code, r, c) * 255 + MaxLevel / 2) / MaxLevel) << code;
            }
    }

    atlas.clear();
    EXPECT_FALSE(atlas.contains(65));
    EXPECT_EQ(atlas.width(), 0);
}
