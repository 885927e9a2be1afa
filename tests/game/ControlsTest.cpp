#include "GameRig.h"

#include <string>
#include <vector>

using namespace cubrava;
using namespace cubrava::test;

TEST(Controls, EscapeF5AndAltPPauseAndResumeButPAloneDoesNot)
{
    GameRig rig;
    rig.startPlaying();
    rig.key('p');
    EXPECT_FALSE(rig->paused());
    rig.key(27);
    EXPECT_TRUE(rig->paused());
    rig.special(SpecialKey::F5);
    EXPECT_FALSE(rig->paused());
    rig.alt('P');
    EXPECT_TRUE(rig->paused());
    rig.key('`');
    EXPECT_FALSE(rig->paused());
    rig.key('~');
    EXPECT_TRUE(rig->paused());
}

// The locks never reach the game as modifiers (see GlutInputTest).
TEST(Controls, AltBindingsWantAltAlone)
{
    Modifiers shift;
    shift.shift = true;
    Modifiers control;
    control.control = true;

    GameRig rig;
    rig.alt('n', shift);
    rig.alt('N', shift);
    EXPECT_TRUE(rig->paused()) << "Shift + Alt + N must not start a game";
    rig.alt('N');
    EXPECT_FALSE(rig->paused());
    EXPECT_EQ(rig->status().text(), "Go");
    rig.alt('q', control);
    EXPECT_EQ(rig.exitStatus, -1) << "Ctrl + Alt + Q must not quit";
    rig.alt('Q');
    EXPECT_EQ(rig.exitStatus, 0);
}

TEST(Controls, LevelKeysStopAtBothEndsAndOnlyChooseTheNextGame)
{
    GameRig rig;
    rig.alt('[');
    EXPECT_EQ(rig->levelIndex(), 0u);
    rig.alt(']');
    rig.alt('}');
    EXPECT_EQ(rig->levelIndex(), 2u);
    rig.alt(']');
    EXPECT_EQ(rig->levelIndex(), 2u);
    EXPECT_EQ(rig->hud().level()->name, "First") << "nothing changes on screen until a new game";
    rig.alt('{');
    EXPECT_EQ(rig->levelIndex(), 1u);
    rig.alt('n');
    EXPECT_EQ(rig->hud().level()->name, "Second");
    EXPECT_EQ(rig->dropInterval(), 500u);
}

TEST(Controls, PieceAndCameraKeysWaitWhilePausedButShellKeysDoNot)
{
    GameRig rig;
    rig.startPlaying();
    const CellPos before = rig.play().piecePosition();
    const unsigned song = rig->dj().songIndex();
    rig.key(27);
    for (unsigned char key : { '8', '2', '4', '6', '0', '*', '-', '/', '\r' })
        rig.key(key);
    rig.special(SpecialKey::Up);
    rig.special(SpecialKey::Insert);
    rig.key('g');
    rig.clock.advance(1000);
    EXPECT_EQ(rig.play().piecePosition(), before);
    EXPECT_EQ(rig->scene().motion(), 0u) << "camera keys must not reach the camera while paused";

    rig.key(',');
    EXPECT_EQ(rig->dj().songIndex(), (song + 2) % 3);
    rig.key('>');
    EXPECT_EQ(rig->dj().songIndex(), song);
}

TEST(Controls, KeyReleasesReachTheCameraEvenWhilePaused)
{
    GameRig rig;
    rig.startPlaying();
    rig.key(27);
    rig->scene().keyDown('s'); // as if it had been held since before the pause
    ASSERT_NE(rig->scene().motion(), 0u);
    rig->keyboardUp('S');
    EXPECT_EQ(rig->scene().motion(), 0u);
}

TEST(Controls, ArrowsAndEditingKeysActAsTheKeypad)
{
    GameRig rig;
    rig.startPlaying();
    const CellPos start = rig.play().piecePosition();
    rig.special(SpecialKey::Left);
    rig.special(SpecialKey::Up);
    const CellPos moved = rig.play().piecePosition();
    EXPECT_NE(moved, start);
    rig.special(SpecialKey::Right);
    rig.special(SpecialKey::Down);
    EXPECT_EQ(rig.play().piecePosition(), start);
    for (SpecialKey unbound : { SpecialKey::PageUp, SpecialKey::PageDown, SpecialKey::Home, SpecialKey::End })
        rig.special(unbound);
    EXPECT_EQ(rig.play().piecePosition(), start);
    rig.special(SpecialKey::Insert);
    EXPECT_EQ(rig.play().dropDistance(), 0);
}

TEST(Controls, FreezeStopsGravityButNotTheKeys)
{
    GameRig rig;
    rig.startPlaying();
    const int z = rig.pieceZ();
    rig.alt('\\');
    EXPECT_TRUE(rig->frozen());
    rig.clock.advance(2000);
    EXPECT_EQ(rig.pieceZ(), z);
    rig.key(13);
    EXPECT_EQ(rig.pieceZ(), z - 1);
    rig.clock.advance(2000);
    EXPECT_EQ(rig.pieceZ(), z - 1) << "Enter restarts gravity, which stays frozen";

    rig.key(27); // pause while frozen, then unfreeze: play resumes, not paused
    rig.alt('\\');
    EXPECT_FALSE(rig->frozen());
    EXPECT_FALSE(rig->paused());
    rig.clock.advance(250);
    EXPECT_EQ(rig.pieceZ(), z - 2);
}

TEST(Controls, PointerInputGoesToTheMenuOnlyWhilePaused)
{
    GameRig rig;
    rig.alt('n');
    rig.key(27);
    ASSERT_TRUE(rig->paused());
    const MenuButton& newGame = *rig->hud().buttons()[0];
    const int x = newGame.hitLeft() + 2;
    const int y = newGame.hitBaseline() - 2;
    rig->motion(x, y);
    EXPECT_EQ(newGame.colour(), newGame.hoverColour());
    rig.press(x, y);
    EXPECT_TRUE(rig->paused()) << "a press does nothing";
    rig.release(x, y);
    EXPECT_FALSE(rig->paused()) << "the release over new game starts a game";
    EXPECT_EQ(rig->status().text(), "Go");

    const int warps = rig.display.warps;
    rig->motion(x + 40, y + 40);
    EXPECT_GT(rig.display.warps, warps) << "while playing the pointer turns the camera";
}

TEST(Controls, AfterADisplaySwitchTheMenuLightsWhatThePointerIsOver)
{
    GameRig rig;
    const auto& buttons = rig->hud().buttons();
    const MenuButton& mode = *buttons[2];
    const MenuButton& exit = *buttons[5];
    const PointerPlace overExit { exit.hitLeft() + 2, exit.hitBaseline() - 2 };
    auto lit = [&] {
        std::vector<std::string> labels;
        for (const auto& b : buttons)
            if (b->hovered())
                labels.push_back(b->label());
        return labels;
    };

    // To a window, with the pointer left where no button is.
    rig.screen.pointer = PointerPlace { 5, 5 };
    const int x = mode.hitLeft() + 2;
    const int y = mode.hitBaseline() - 2;
    rig->motion(x, y);
    ASSERT_EQ(lit(), std::vector<std::string> { "window mode" });
    rig.press(x, y);
    rig.release(x, y);
    ASSERT_FALSE(rig.screen.full);
    EXPECT_EQ(mode.label(), "full screen");
    EXPECT_TRUE(lit().empty());
    rig->reshape(819, 614);
    EXPECT_TRUE(lit().empty());

    // Back to full screen, the pointer over "exit" once the layout comes.
    rig.screen.pointer = overExit;
    rig.release(mode.hitLeft() + 2, mode.hitBaseline() - 2);
    ASSERT_TRUE(rig.screen.full);
    rig->reshape(1024, 768);
    EXPECT_EQ(lit(), std::vector<std::string> { "exit" });
    EXPECT_EQ(rig.exitStatus, -1);
}
