#include "data/Material.h"
#include "data/XmlRead.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>

using namespace cubrava;

namespace {

Material materialFrom(const char* xml)
{
    TiXmlDocument doc;
    doc.Parse(xml);
    return readMaterial(*doc.FirstChildElement());
}

} // namespace

TEST(ColourText, CaseDoesNotMatterAndChannelsAreScaledBy255)
{
    Material upper = materialFrom("<b color=\"FF8000\"/>");
    Material lower = materialFrom("<b color=\"ff8000\"/>");
    EXPECT_FLOAT_EQ(upper.red, 1.0f);
    EXPECT_FLOAT_EQ(upper.green, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(upper.blue, 0.0f);
    EXPECT_EQ(upper.red, lower.red);
    EXPECT_EQ(upper.green, lower.green);
    EXPECT_EQ(upper.blue, lower.blue);
}

TEST(ColourText, ShortMissingOrMistypedDigitsCountAsZero)
{
    float r, g, b;
    parseColour("F", r, g, b);
    EXPECT_FLOAT_EQ(r, 240.0f / 255.0f);
    EXPECT_EQ(g, 0.0f);
    EXPECT_EQ(b, 0.0f);

    parseColour("12345", r, g, b);
    EXPECT_FLOAT_EQ(b, 0x50 / 255.0f);

    // Non-hex characters must not push a channel out of 0..1.
    parseColour("zz!!~~", r, g, b);
    EXPECT_EQ(r, 0.0f);
    EXPECT_EQ(g, 0.0f);
    EXPECT_EQ(b, 0.0f);
    parseColour("GfzF9g", r, g, b);
    EXPECT_FLOAT_EQ(r, 0x0F / 255.0f);
    EXPECT_FLOAT_EQ(g, 0x0F / 255.0f);
    EXPECT_FLOAT_EQ(b, 0x90 / 255.0f);

    Material none = materialFrom("<b x=\"1\"/>");
    EXPECT_EQ(none.red, 0.0f);
    EXPECT_EQ(none.green, 0.0f);
    EXPECT_EQ(none.blue, 0.0f);
    EXPECT_EQ(none.textureName, "");
}

TEST(ColourText, EveryByteSurvivesTheRoundTripThroughTheEditorsFormat)
{
    for (int v = 0; v < 256; ++v) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X%02X", v, v, v);
        float r, g, b;
        parseColour(text, r, g, b);
        EXPECT_EQ(static_cast<int>(r * 255), v);
    }
}

TEST(Numbers, FollowAtolAndKeepTheLowBits)
{
    EXPECT_EQ(atolRule("  -12abc"), -12);
    EXPECT_EQ(atolRule("+7"), 7);
    EXPECT_EQ(atolRule("x12"), 0);
    EXPECT_EQ(atolRule(nullptr), 0);
    EXPECT_EQ(lowByte(300), 44);
    EXPECT_EQ(lowByte(200), -56);
    EXPECT_EQ(lowByte(-1), -1);
    EXPECT_EQ(lowWord(40000), -25536);
}
