#include "data/PieceSet.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace cubrava;

namespace {

const std::string piecesMessage
    = "There was an error reading the Pieces configuration files.\nPlease reinstall the game before playing again.";

// The message a read of this file raises, or "" when it reads.
std::string readFailure(const ScratchDir& dir, const std::string& text)
{
    dir.write("Pieces.dat", text);
    PieceSet set;
    const std::string message = test::fatalMessageOf([&] { readPieces("Pieces.dat", set); });
    if (!message.empty()) {
        EXPECT_TRUE(set.empty()) << "nothing read is kept";
    }
    return message;
}

} // namespace

TEST(PiecesFile, ReadsShapesInOrderWithExtentsCountedFromZero)
{
    ScratchDir dir;
    dir.write("Pieces.dat",
        "<pieces>"
        "<piece><c x='0' y='0' z='0' color='FF0000'/><c x='1' y='0' z='0' color='FF0000'/>"
        "<c x='2' y='0' z='0' color='FF0000'/></piece>"
        "<piece><cube x='1' y='0' z='0' color='00ff00'/><anything x='2' y='0' z='0' "
        "color='00FF00' texture='Textures/x.bmp'/></piece>"
        "<piece><c x='-3' y='2' z='1' color='0000FF'/></piece>"
        "</pieces>");
    PieceSet set;
    readPieces("Pieces.dat", set);
    ASSERT_EQ(set.size(), 3u);
    const PieceDef& straight = set[0];
    EXPECT_EQ(straight.blocks.size(), 3u);
    EXPECT_EQ(straight.ex, 3);
    EXPECT_EQ(straight.ey, 1);
    EXPECT_EQ(straight.ez, 1);
    EXPECT_EQ(straight.orientation, 0);
    EXPECT_FLOAT_EQ(straight.blocks[2].material->red, 1.0f);

    // Largest coordinate plus one, not the span.
    EXPECT_EQ(set[1].ex, 3);
    EXPECT_EQ(set[1].blocks[1].material->textureName, "Textures/x.bmp");
    // A negative coordinate never lowers the extent below 1.
    EXPECT_EQ(set[2].ex, 1);
    EXPECT_EQ(set[2].ey, 3);
    EXPECT_EQ(set[2].ez, 2);

    // Copies share materials: landed cubes refer to the set's own.
    PieceDef copy = set[1];
    EXPECT_EQ(copy.blocks[0].material, set[1].blocks[0].material);
}

TEST(PiecesFile, EveryBrokenFileRaisesThePiecesMessage)
{
    ScratchDir dir;
    EXPECT_EQ(readFailure(dir, "<pieces><block><c x='0' y='0' z='0' color='FF0000'/></block></pieces>"), piecesMessage)
        << "root child not named piece";
    EXPECT_EQ(readFailure(dir,
                  "<pieces><piece><c x='0' y='0' z='0' color='FF0000'/></piece>"
                  "<piece><c x='0' z='0' color='FF0000'/></piece></pieces>"),
        piecesMessage)
        << "cube without y";
    EXPECT_EQ(readFailure(dir, "<pieces><piece></piece></pieces>"), piecesMessage) << "empty piece";
    EXPECT_EQ(readFailure(dir, "<pieces/>"), piecesMessage) << "root without pieces";
    EXPECT_EQ(readFailure(dir, "just words"), piecesMessage) << "not XML";
    EXPECT_EQ(readFailure(dir, "<pieces><piece><c x='0' y='0' z='0'></pieces>"), piecesMessage) << "not well-formed";

    PieceSet set;
    EXPECT_EQ(test::fatalMessageOf([&] { readPieces("NoSuchFile.dat", set); }), piecesMessage) << "a missing file";
}
