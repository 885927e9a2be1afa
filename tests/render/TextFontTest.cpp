#include "render/TextFont.h"
#include "TextFakes.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace cubrava;

namespace {

const std::string fontMessage = "There was an error initializing the fonts.\n"
                                "If this persists, you may wan to reinstall the game.";

} // namespace

TEST(TextFont, EveryFailureToOpenOrSizeRaisesTheFontMessage)
{
    ScratchDir dir;
    dir.write("fonts/bnkgothm.ttf", "not a font at all");
    TextFont font;
    EXPECT_EQ(test::fatalMessageOf([&] { font.setSize(20); }), fontMessage) << "size without a face";
    EXPECT_EQ(test::fatalMessageOf([&] { font.open("fonts/missing.ttf"); }), fontMessage);
    EXPECT_EQ(test::fatalMessageOf([&] { font.open(); }), fontMessage) << "not a TrueType file";
    EXPECT_FALSE(font.isOpen());

    font.open(testFontFile());
    EXPECT_EQ(test::fatalMessageOf([&] { font.setSize(0); }), fontMessage);
    EXPECT_FALSE(font.hasSize());
    EXPECT_EQ(font.textWidth("Level:"), 0) << "a failed size leaves no usable size behind";
}

TEST(TextFont, MeasuresWithoutARenderingContext)
{
    TextFont font;
    font.open(testFontFile());
    EXPECT_EQ(font.textWidth("Level:"), 0) << "no size yet";
    EXPECT_EQ(font.lineHeight(), 0);

    font.setSize(20);
    const int small = font.textWidth("Level:");
    EXPECT_GT(small, 0);
    EXPECT_GT(font.lineHeight(), 0);
    EXPECT_LT(font.descender(), 0);
    EXPECT_EQ(font.textWidth("Level:Level:"), 2 * small);
    EXPECT_EQ(font.textWidth(""), 0);

    // Twice the size is about twice as wide; going back gives the same width,
    // so no glyph of the old size survives in the cache.
    font.setSize(40);
    EXPECT_NEAR(font.textWidth("Level:"), 2 * small, 4);
    font.setSize(20);
    EXPECT_EQ(font.textWidth("Level:"), small);
}

TEST(TextFont, SingleByteCodesReadAsLatin1AndMissingGlyphsTakeNoRoom)
{
    TextFont font;
    font.open(testFontFile());
    font.setSize(24);
    // e acute is 0xE9 in Latin-1 and U+00E9 in the face: found only through a Unicode map.
    EXPECT_GT(font.textWidth("\xE9"), 0);
    EXPECT_NEAR(font.textWidth("\xE9"), font.textWidth("e"), 1);
    // Control codes have no glyph.
    EXPECT_EQ(font.textWidth("\t\n\x01"), 0);
    EXPECT_EQ(font.textWidth("a\tb"), font.textWidth("ab"));
}

TEST(TextFont, GlyphsHaveFiveGreyLevels)
{
    TextFont font;
    font.open(testFontFile());
    font.setSize(30);
    const TextFont::Glyph& l = font.glyph('L');
    ASSERT_GT(l.width, 0);
    ASSERT_EQ(l.levels.size(), static_cast<std::size_t>(l.width) * l.rows);
    EXPECT_EQ(*std::max_element(l.levels.begin(), l.levels.end()), TextFont::MaxLevel) << "a solid stem";
    EXPECT_EQ(*std::min_element(l.levels.begin(), l.levels.end()), 0);
    // The cached glyph is the one handed out again.
    EXPECT_EQ(&font.glyph('L'), &l);

    const TextFont::Glyph& space = font.glyph(' ');
    EXPECT_GT(space.advance, 0);
    EXPECT_TRUE(space.levels.empty());
}

TEST(TextFont, FitGrowsUntilWiderAndStopsAtTheCap)
{
    TextFont font;
    font.open(testFontFile());
    const int fitted = fitFontSize(font, "Level:", 89.6, 15, 1, 512);
    EXPECT_EQ(font.size(), fitted);
    EXPECT_GT(font.textWidth("Level:"), 89.6);
    font.setSize(fitted - 1);
    EXPECT_LE(font.textWidth("Level:"), 89.6);

    // Nothing here ever gets wider: growth ends at the cap.
    EXPECT_EQ(fitFontSize(font, "\t\t", 10.0, 12, 4, 100), 100);
    EXPECT_EQ(fitFontSize(font, "\t\t", 10.0, 12, 4, 101), 104);
    EXPECT_EQ(fitFontSize(font, "\t\t", 10.0, 12, 4, -1), 12);
}
