#include "GameRig.h"
#include "data/ProcessWide.h"
#include "support/PlayRecorder.h"

#include <functional>

using namespace cubrava;
using namespace cubrava::test;

TEST(Timers, StartsPausedAndANewGameBringsThePieceInAfterTheStartPause)
{
    GameRig rig;
    EXPECT_TRUE(rig->paused());
    EXPECT_TRUE(rig.screen.pointerVisible);
    EXPECT_FALSE(rig.screen.idleWanted) << "a paused game asks for no idle time";

    rig.alt('n');
    EXPECT_FALSE(rig->paused());
    EXPECT_TRUE(rig.screen.idleWanted);
    EXPECT_FALSE(rig.screen.pointerVisible);
    EXPECT_TRUE(rig->status().visible());
    EXPECT_EQ(rig->status().text(), "Go");
    EXPECT_EQ(rig->status().colour(), (TextColour { 0, 1, 0 }));
    rig.clock.advance(2999);
    EXPECT_EQ(rig.play().activePiece(), nullptr);
    rig.clock.advance(1);
    EXPECT_NE(rig.play().activePiece(), nullptr);
    EXPECT_FALSE(rig->status().visible()) << "the start message goes when the piece comes";
}

TEST(Timers, GravityKeepsTheLevelsPaceAndEnterRestartsIt)
{
    GameRig rig;
    rig.startPlaying();
    const int z = rig.pieceZ();
    rig.clock.advance(249);
    EXPECT_EQ(rig.pieceZ(), z);
    rig.clock.advance(1);
    EXPECT_EQ(rig.pieceZ(), z - 1);

    rig.clock.advance(100);
    rig.key(13);
    EXPECT_EQ(rig.pieceZ(), z - 2);
    rig.clock.advance(249);
    EXPECT_EQ(rig.pieceZ(), z - 2) << "the tick due 150 ms after Enter must not come";
    rig.clock.advance(1);
    EXPECT_EQ(rig.pieceZ(), z - 3);
}

TEST(Timers, PausingAndResumingBetweenTicksDoesNotDoubleGravity)
{
    GameRig rig;
    rig.startPlaying();
    const int z = rig.pieceZ();
    rig.clock.advance(100);
    rig.key(27);
    EXPECT_TRUE(rig->paused());
    EXPECT_EQ(rig->status().text(), "PAUSED");
    EXPECT_EQ(rig->status().colour(), (TextColour { 1, 0, 1 }));
    rig.clock.advance(5000);
    EXPECT_EQ(rig.pieceZ(), z) << "no gravity while paused";
    rig.key(27);
    EXPECT_FALSE(rig->status().visible());
    rig.clock.advance(1000);
    EXPECT_EQ(rig.pieceZ(), z - 4);
}

TEST(Timers, APendingStepHalvesWithEachResumeAndRunsOnce)
{
    GameRig rig;
    rig.startPlaying();
    rig.key('0');
    rig.key(13); // lands
    ASSERT_EQ(rig.play().activePiece(), nullptr);
    EXPECT_EQ(rig->stepDelay(), 500u);
    const unsigned expected[] = { 250, 125, 62, 31, 15, 7, 3, 1, 0 };
    for (unsigned delay : expected) {
        rig.key(27);
        rig.key(27);
        EXPECT_EQ(rig->stepDelay(), delay);
    }
    // The last resume armed a step of 0 ms: it runs the turn's end, and with
    // it the next piece, exactly once; the older timers are harmless.
    PlayRecorder spawns;
    rig.play().addListener(spawns);
    rig.clock.advance(0);
    EXPECT_NE(rig.play().activePiece(), nullptr);
    rig.clock.advance(1000);
    EXPECT_EQ(spawns.count(PlayEvent::PieceSpawned), 1);
}

TEST(Timers, AResumeDuringTheStartPauseBringsThePieceHalfTheFullDelayLater)
{
    GameRig rig;
    rig.alt('n');
    rig.clock.advance(1000);
    rig.key(27);
    rig.clock.advance(10000);
    EXPECT_EQ(rig->status().text(), "PAUSED") << "PAUSED replaces the start message";
    rig.key(27);
    rig.clock.advance(1499);
    EXPECT_EQ(rig.play().activePiece(), nullptr);
    rig.clock.advance(1);
    ASSERT_NE(rig.play().activePiece(), nullptr);
    const int z = rig.pieceZ();
    rig.clock.advance(100);
    EXPECT_EQ(rig.pieceZ(), z) << "the start timer armed before the pause must not restart anything";
}

TEST(Timers, AShortPauseLateInTheStartPauseNeitherDelaysNorRepeatsTheStart)
{
    GameRig rig;
    rig.alt('n');
    PlayRecorder events;
    rig.play().addListener(events);
    rig.clock.advance(2900);
    rig.key(27);
    rig.clock.advance(50);
    rig.key(27); // the resume re-arms the start for 1500 ms from now: 4450
    rig.clock.advance(49);
    EXPECT_EQ(rig.play().activePiece(), nullptr);
    rig.clock.advance(1);
    ASSERT_NE(rig.play().activePiece(), nullptr) << "the start armed before the pause still starts play";
    EXPECT_FALSE(rig->status().visible());

    // Land the piece just before the re-armed start fires: its turn must end
    // by the 500 ms step alone, not when that start comes.
    rig.clock.advance(1400);
    rig.key('0');
    rig.key(13);
    ASSERT_EQ(rig.play().activePiece(), nullptr);
    rig.clock.advance(499);
    EXPECT_EQ(rig.play().activePiece(), nullptr) << "the second start ran a queued step early";
    EXPECT_EQ(events.count(PlayEvent::PieceSpawned), 1);
    rig.clock.advance(1);
    EXPECT_NE(rig.play().activePiece(), nullptr);
    EXPECT_EQ(events.count(PlayEvent::PieceSpawned), 2);

    // The second start only restarted gravity: one step per 250 ms, not two.
    const int z = rig.pieceZ();
    rig.clock.advance(1000);
    EXPECT_EQ(rig.pieceZ(), z - 4);
}

TEST(Timers, AStepPendingAtANewGameNeverReachesTheNewLevel)
{
    GameRig rig;
    rig.startPlaying();
    rig.key('0');
    rig.key(13);
    ASSERT_EQ(rig->stepDelay(), 500u);
    rig.clock.advance(100);
    rig.alt('n');
    rig.clock.advance(2999);
    EXPECT_EQ(rig.play().activePiece(), nullptr) << "the old 500 ms step ran on the new play model";
    EXPECT_EQ(rig.play().pending().size(), 1u);
    rig.clock.advance(1);
    EXPECT_NE(rig.play().activePiece(), nullptr);
}

TEST(Timers, GameOverPausesWithThePointerAndARedLoseMessage)
{
    // The spawn cell of a cube in a 3 x 3 x 6 pit is (1, 1, 9): filled, so the first piece cannot enter.
    GameRig rig("<levels><level name=\"Blocked\" x=\"3\" y=\"3\" z=\"6\" goal=\"1\" drop=\"250\"><blocks>"
                "<point x=\"1\" y=\"1\" z=\"9\" color=\"FFFFFF\" /></blocks></level></levels>");
    rig.alt('n');
    rig.clock.advance(3000);
    EXPECT_FALSE(rig.play().isRunning());
    EXPECT_TRUE(rig->paused());
    EXPECT_TRUE(rig.screen.pointerVisible);
    EXPECT_FALSE(rig.screen.idleWanted);
    EXPECT_EQ(rig->status().text(), "Lost");
    EXPECT_EQ(rig->status().colour(), (TextColour { 1, 0, 0 }));
    EXPECT_EQ(rig->levelIndex(), 0u);
    rig.clock.advance(5000);
    EXPECT_EQ(rig->status().text(), "Lost");
}

TEST(Timers, AWonLevelLeadsToTheNextAndTheLastRepeats)
{
    GameRig rig("<levels>"
                "<level name=\"One\" x=\"1\" y=\"1\" z=\"6\" goal=\"1\" drop=\"250\"><blocks /></level>"
                "<level name=\"Two\" x=\"1\" y=\"1\" z=\"7\" goal=\"1\" drop=\"250\"><blocks /></level>"
                "</levels>");
    // Read at start-up only: the fields of the later games need no file.
    rig.dir.write("Config/Pieces.dat", "broken");
    for (const char* name : { "One", "Two", "Two" }) {
        rig.startPlaying();
        EXPECT_EQ(rig->hud().level()->name, name);
        rig.key('0');
        rig.key(13); // the 1 x 1 layer is full
        rig.clock.advance(500 + 2000);
        EXPECT_FALSE(rig.play().isRunning());
        EXPECT_TRUE(rig->paused());
        EXPECT_EQ(rig->status().text(), "Won");
        EXPECT_EQ(rig->status().colour(), (TextColour { 0, 1, 1 }));
        EXPECT_EQ(rig->levelIndex(), 1u);
    }
}

TEST(Timers, GenerationsWrapBeforeTheLargestValue)
{
    EXPECT_EQ(Game::bumped(0), 1);
    EXPECT_EQ(Game::bumped(2147483645), 2147483646);
    EXPECT_EQ(Game::bumped(2147483646), 0);
}

namespace {

// The time of the first random remark for a seed, or 0 when none comes in
// the first 600 ticks. Cubes land and are replaced all the while.
std::uint64_t firstRemark(std::uint32_t seed)
{
    cubrava::srand(seed);
    GameRig rig(
        "<levels><level name=\"Deep\" x=\"8\" y=\"8\" z=\"40\" goal=\"100\" drop=\"10\"><blocks /></level></levels>");
    rig.startPlaying();
    for (int tick = 0; tick < 600; ++tick) {
        rig.clock.advance(10);
        if (rig->status().visible() && rig->status().text() == "Hmm")
            return rig.clock.now();
    }
    return 0;
}

} // namespace

TEST(Timers, ARemarkHidesItselfButNoMessageShownAfterIt)
{
    std::uint32_t seed = 1;
    std::uint64_t when = 0;
    while ((when = firstRemark(seed)) == 0)
        ++seed;

    for (bool emptyList : { false, true }) {
        cubrava::srand(seed);
        GameRig rig("<levels><level name=\"Deep\" x=\"8\" y=\"8\" z=\"40\" goal=\"100\" drop=\"10\"><blocks "
                    "/></level></levels>",
            emptyList ? "<status><start><msg>Go</msg></start></status>" : DefaultStatus);
        rig.startPlaying();
        rig.clock.advance(when - rig.clock.now());
        EXPECT_EQ(rig->status().visible(), !emptyList);
        if (!emptyList) {
            EXPECT_EQ(rig->status().colour(), (TextColour { 0, 0, 1 }));
            rig.alt('\\'); // freeze: no further remarks while the timer runs
            rig.clock.advance(1500);
            EXPECT_FALSE(rig->status().visible()) << "a remark is hidden 1500 ms later";
            continue;
        }
        // The remark's timer was armed though nothing showed; it must not
        // hide what comes after it.
        rig.key(27);
        rig.clock.advance(1500);
        EXPECT_TRUE(rig->status().visible());
        EXPECT_EQ(rig->status().text(), "PAUSED");
    }
}

TEST(Timers, ANewDisplayDrawsOnlyOnceItIsSetUpAMomentAfterTheOldOneWent)
{
    GameRig rig;
    ASSERT_TRUE(rig->displayReady());
    rig.special(SpecialKey::F6);
    EXPECT_FALSE(rig.screen.full);
    EXPECT_EQ(rig.screen.displaysMade, 1);
    EXPECT_FALSE(rig->displayReady()) << "the old display is still being taken down";

    // Back again before the window was set up: only the last display counts.
    rig.special(SpecialKey::F6);
    EXPECT_TRUE(rig.screen.full);
    const int redisplays = rig.display.redisplays;
    rig.clock.advance(1000);
    EXPECT_TRUE(rig->displayReady());
    EXPECT_EQ(rig.display.redisplays, redisplays + 1);
}

TEST(Timers, TheKeyHelpPausesAsEscapeDoesAndHidingItLeavesPlayPaused)
{
    GameRig rig;
    rig.startPlaying();
    const int z = rig.pieceZ();
    rig.special(SpecialKey::F1);
    EXPECT_TRUE(rig->paused());
    EXPECT_TRUE(rig->keyHelp().visible());
    EXPECT_EQ(rig->keyHelp().heading(), "Level 1 of 3");
    EXPECT_TRUE(rig->status().visible());
    EXPECT_EQ(rig->status().text(), "PAUSED");
    EXPECT_TRUE(rig.screen.pointerVisible);
    rig.clock.advance(2000);
    EXPECT_EQ(rig.pieceZ(), z) << "no gravity under the help";

    rig.special(SpecialKey::F1);
    EXPECT_FALSE(rig->keyHelp().visible());
    EXPECT_TRUE(rig->paused());
    rig.clock.advance(2000);
    EXPECT_EQ(rig.pieceZ(), z);

    // Esc, F5 and the menu's resume each resume play and hide the help.
    for (const auto& resume : std::initializer_list<std::function<void()>> {
             [&] { rig.key(EscapeKey); }, [&] { rig.special(SpecialKey::F5); }, [&] { rig->togglePause(); } }) {
        rig.special(SpecialKey::F1);
        ASSERT_TRUE(rig->keyHelp().visible());
        resume();
        EXPECT_FALSE(rig->keyHelp().visible());
        EXPECT_FALSE(rig->paused());
    }
    const int resumed = rig.pieceZ();
    rig.clock.advance(250); // the first level's drop interval
    EXPECT_EQ(rig.pieceZ(), resumed - 1) << "gravity at the level's pace again";
}
