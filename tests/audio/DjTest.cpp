#include "audio/Dj.h"
#include "FakeSoundLibrary.h"
#include "data/LevelDef.h"
#include "data/ProcessWide.h"
#include "model/PlayField.h"
#include "support/FatalMessage.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace cubrava;
using namespace std::chrono_literals;
using Calls = std::vector<std::string>;

namespace {

const char* const ThreeSoundtracks = "<dj><soundtracks><song>Music/a.wav</song><song>Music/b.wav</song>"
                                     "<song>Music/c.wav</song></soundtracks>"
                                     "<winsongs><song>Music/win1.wav</song><song>Music/win2.wav</song>"
                                     "<song>Music/win3.wav</song></winsongs></dj>";

const char* const Soundtracks[] = { "Music/a.wav", "Music/b.wav", "Music/c.wav" };

class DjTest : public ::testing::Test {
protected:
    void SetUp() override { field = std::make_unique<PlayField>(level, pieces); }

    void TearDown() override
    {
        dj.reset();
        EXPECT_EQ(audio->faultsSnapshot(), Calls {});
    }

    Dj& makeDj(const char* config)
    {
        dir.write("Config/DJ.dat", config);
        dj = std::make_unique<Dj>(std::make_unique<FakeSoundLibrary>(audio), timing);
        return *dj;
    }

    void event(PlayEvent e) { dj->onPlayEvent(*field, e, 0); }

    // Waits for the count-th call after the mark that starts with the prefix
    // (any call by default) and returns the calls up to it, releases left
    // out, as the playback thread makes them on its own time; the mark moves
    // past it. Never empty: a wait in vain ends with a call no test expects.
    Calls nextCalls(std::size_t& mark, std::size_t count, const std::string& prefix = "")
    {
        Calls taken;
        std::size_t end = 0;
        const bool arrived = eventually([&] {
            const Calls all = audio->callsSnapshot();
            taken.clear();
            std::size_t found = 0;
            for (end = mark; end < all.size() && found < count; ++end) {
                if (all[end].rfind("release ", 0) == 0)
                    continue;
                taken.push_back(all[end]);
                found += all[end].rfind(prefix, 0) == 0;
            }
            return found == count;
        });
        if (!arrived)
            taken.push_back("(waited in vain)");
        mark = end;
        return taken;
    }

    static std::string loopOf(const std::string& file) { return "loop " + file + " 16 continue 1 notify"; }

    bool sawCall(const std::string& call)
    {
        Calls all = audio->callsSnapshot();
        return std::find(all.begin(), all.end(), call) != all.end();
    }

    // The playback thread works on its own time: wait for what it should do.
    static bool eventually(const std::function<bool()>& condition)
    {
        for (auto end = std::chrono::steady_clock::now() + 30s; std::chrono::steady_clock::now() < end;) {
            if (condition())
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return condition();
    }

    // Playback threads of this process, by the name the Dj gives them. Only
    // they update the mixer, so once none is left nothing more can happen,
    // without waiting to see.
    static int playbackThreads()
    {
        int count = 0;
        std::error_code error;
        const std::filesystem::directory_iterator end;
        for (std::filesystem::directory_iterator task("/proc/self/task", error); !error && task != end;
             task.increment(error)) {
            std::ifstream comm(task->path() / "comm");
            std::string name;
            std::getline(comm, name);
            count += name == "cubrava-dj";
        }
        return count;
    }

    // A joined thread leaves the task list a moment after it ends.
    static bool noPlaybackThreadLeft()
    {
        return eventually([] { return playbackThreads() == 0; });
    }

    bool updatesContinue()
    {
        const int before = audio->count(&FakeAudio::updates);
        return eventually([&] { return audio->count(&FakeAudio::updates) > before + 2; });
    }

    ScratchDir dir;
    LevelDef level { 4, 4, 6 };
    const PieceSet pieces = test::piecesOf({ test::cube });
    std::unique_ptr<PlayField> field;
    std::shared_ptr<FakeAudio> audio = std::make_shared<FakeAudio>();
    DjTiming timing { 30s, 2ms, 0ms };
    std::unique_ptr<Dj> dj;
};

} // namespace

TEST_F(DjTest, BuildsQuietlyLeavingTheOutputToThePlaybackThreadAndNeedsItsConfiguration)
{
    makeDj(ThreeSoundtracks);
    EXPECT_EQ(playbackThreads(), 0) << "no playback thread before startThread";
    EXPECT_EQ(audio->callsSnapshot(), Calls {});
    // Its first pass, over before startThread returns, opens the output.
    dj->startThread();
    EXPECT_EQ(audio->callsSnapshot(),
        (Calls { "open 1", "load Sounds/Rotate.wav", "load Sounds/Land.wav", "load Sounds/Clear.wav", "margin 0.1" }));

    std::filesystem::remove("Config/DJ.dat");
    EXPECT_EQ(test::fatalMessageOf([&] { Dj broken(std::make_unique<FakeSoundLibrary>(audio), timing); }),
        "There was an error reading the DJ configuration file.\n"
        "You may want to reinstall the game before playing again.")
        << "built without Config/DJ.dat";
}

TEST_F(DjTest, PlaysTheEffectOfEachEventOverTheMusic)
{
    makeDj(ThreeSoundtracks);
    dj->startThread();
    const std::pair<PlayEvent, const char*> table[] = {
        { PlayEvent::NextPieceChosen, nullptr },
        { PlayEvent::TurnFinished, nullptr },
        { PlayEvent::PieceSpawned, nullptr },
        { PlayEvent::PieceMoved, nullptr },
        { PlayEvent::PieceRotated, "play Sounds/Rotate.wav 1 abort 0" },
        { PlayEvent::PieceLanded, "play Sounds/Land.wav 1 abort 0" },
        { PlayEvent::LayerClearing, nullptr },
        { PlayEvent::LayerCleared, "play Sounds/Clear.wav 1 abort 0" },
        { PlayEvent::LayerDropped, "play Sounds/Land.wav 1 abort 0" },
    };
    std::size_t mark = 0;
    event(PlayEvent::Started);
    ASSERT_EQ(nextCalls(mark, 1, "loop ").back(), loopOf(Soundtracks[dj->songIndex()]));
    Calls expected;
    for (const auto& [e, call] : table) {
        event(e);
        if (call)
            expected.push_back(call);
    }
    EXPECT_EQ(nextCalls(mark, expected.size()), expected);
}

TEST_F(DjTest, StartingAGameStopsTheWinSongAndLoopsTheNextSoundtrack)
{
    cubrava::srand(99);
    const int first = cubrava::rand() % 3;
    const int winDraw = cubrava::rand() % 3;
    cubrava::srand(99);
    makeDj(ThreeSoundtracks);
    dj->startThread();
    std::size_t mark = audio->callsSnapshot().size();

    event(PlayEvent::Stopped);
    const std::string win = "Music/win" + std::to_string(winDraw + 1) + ".wav";
    EXPECT_EQ(nextCalls(mark, 3), (Calls { "stop all 0", "load " + win, "play " + win + " 16 continue 1 notify" }));

    event(PlayEvent::Started);
    const std::string next = Soundtracks[(first + 1) % 3];
    EXPECT_EQ(nextCalls(mark, 3), (Calls { "stop all 0", "load " + next, loopOf(next) }));
    // The stopped win song is let go once the library reports it done.
    EXPECT_TRUE(eventually([&] { return sawCall("release " + win); }));
}

TEST_F(DjTest, SoundtrackThatEndsHandsOverToTheNextAndTheSongKeysStepBothWays)
{
    cubrava::srand(5);
    const int first = cubrava::rand() % 3;
    cubrava::srand(5);
    makeDj(ThreeSoundtracks);
    dj->startThread();
    event(PlayEvent::Started);
    std::string playing = Soundtracks[(first + 1) % 3];

    for (int step = 2; step <= 4; ++step) {
        const std::string next = Soundtracks[(first + step) % 3];
        ASSERT_TRUE(eventually([&] { return sawCall(loopOf(playing)); })) << playing;
        audio->set(&FakeAudio::loopOnUpdate, true);
        ASSERT_TRUE(eventually([&] { return sawCall(loopOf(next)); })) << next;
        EXPECT_TRUE(eventually([&] { return sawCall("release " + playing); })) << playing;
        playing = next;
    }
    EXPECT_EQ(dj->songIndex(), static_cast<std::uint32_t>((first + 4) % 3)) << "the index follows the hand-overs";

    std::size_t mark = audio->callsSnapshot().size();
    const int index = (first + 4) % 3;
    const std::pair<SongStep, int> keys[] = { { SongStep::Previous, 2 }, { SongStep::Previous, 1 },
        { SongStep::Again, 1 }, { SongStep::Next, 2 } }; // the step, the index after it
    Calls expected;
    for (const auto& [step, after] : keys) {
        dj->changeSong(step);
        EXPECT_EQ(dj->songIndex(), static_cast<std::uint32_t>((index + after) % 3)) << "at once, for the panel";
        expected.push_back(Soundtracks[(index + after) % 3]);
    }
    Calls loads;
    for (const std::string& call : nextCalls(mark, std::size(keys), "load ")) {
        if (call.rfind("load ", 0) == 0)
            loads.push_back(call.substr(5));
    }
    EXPECT_EQ(loads, expected);
}

TEST_F(DjTest, LosingWithoutLoseSongsKeepsTheMusicAndMissingFilesAreNeverPlayed)
{
    audio->missingFiles = { "Music/gone.wav", "Music/lost.wav", "Sounds/Rotate.wav" };
    makeDj("<dj><soundtracks><song>Music/a.wav</song><song>Music/lost.wav</song></soundtracks>"
           "<winsongs><song>Music/gone.wav</song></winsongs></dj>");
    dj->startThread();
    event(PlayEvent::Started);
    if (dj->songIndex() != 0)
        dj->changeSong(SongStep::Next);
    std::size_t mark = 0;
    ASSERT_EQ(nextCalls(mark, 1, "loop ").back(), loopOf("Music/a.wav"));

    event(PlayEvent::GameOver);
    event(PlayEvent::PieceRotated);
    event(PlayEvent::Stopped);
    EXPECT_EQ(nextCalls(mark, 2), (Calls { "stop all 0", "load Music/gone.wav" }));
    dj->changeSong(SongStep::Previous);
    EXPECT_EQ(nextCalls(mark, 1, "load ").back(), "load Music/lost.wav");
    for (const std::string& call : audio->callsSnapshot()) {
        if (call.rfind("play ", 0) == 0 || call.rfind("loop ", 0) == 0) {
            EXPECT_EQ(call, loopOf("Music/a.wav"));
        }
    }
}

TEST_F(DjTest, FailedOutputIsRebuiltOnTheNextSoundAndTheSoundtrackRestarted)
{
    makeDj("<dj><soundtracks><song>Music/a.wav</song></soundtracks></dj>");
    dj->startThread();
    event(PlayEvent::Started);
    ASSERT_TRUE(updatesContinue());

    audio->set(&FakeAudio::failOnUpdate, true);
    ASSERT_TRUE(eventually([&] { return !audio->isSet(&FakeAudio::failOnUpdate); }));
    std::size_t mark = audio->callsSnapshot().size();
    event(PlayEvent::PieceLanded);
    EXPECT_EQ(nextCalls(mark, 6),
        (Calls { "close 1", "open 2", "margin 0.1", "load Music/a.wav", loopOf("Music/a.wav"),
            "play Sounds/Land.wav 1 abort 0" }));
    EXPECT_TRUE(updatesContinue()); // on the new output; the fake objects to updates of the old one
}

TEST_F(DjTest, OutputFailingAsTheSoundtrackLoopsIsRebuiltByThePlaybackThread)
{
    makeDj("<dj><soundtracks><song>Music/a.wav</song><song>Music/b.wav</song></soundtracks></dj>");
    dj->startThread();
    event(PlayEvent::Started);
    const bool first = dj->songIndex() == 0;
    ASSERT_TRUE(eventually([&] { return sawCall(loopOf(first ? "Music/a.wav" : "Music/b.wav")); }));
    {
        std::lock_guard<std::mutex> guard(audio->mutex);
        audio->failOnUpdate = audio->loopOnUpdate = true;
    }
    const std::string next = first ? "Music/b.wav" : "Music/a.wav";
    ASSERT_TRUE(eventually([&] { return sawCall("open 2") && sawCall(loopOf(next)); }));
    EXPECT_TRUE(updatesContinue());
    EXPECT_NO_THROW(dj->changeSong(SongStep::Again));
}

TEST_F(DjTest, ThreadThatMissesItsFirstPassGivesTheDjErrorButABrokenDeviceDoesNot)
{
    // A broken device needs no updates: had startThread waited for the
    // limit, it would have raised the error.
    audio->devicePresent = false;
    makeDj(ThreeSoundtracks);
    EXPECT_NO_THROW(dj->startThread());
    dj.reset();

    audio->devicePresent = true;
    audio->blockUpdates = true;
    timing.readyLimit = 150ms;
    makeDj(ThreeSoundtracks);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(test::fatalMessageOf([&] { dj->startThread(); }),
        "There was an error initializing the Cubrava DJ.\n"
        "Try closing other sound intensive applications and restart Cubrava.")
        << "started although the thread never got through";
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    audio->set(&FakeAudio::blockUpdates, false);
    EXPECT_TRUE(updatesContinue());
}

TEST_F(DjTest, WithoutAnyDeviceTheGameRunsSilentlyWithoutReopeningOnEveryKey)
{
    audio->devicePresent = false;
    timing.rebuildInterval = 60s;
    makeDj(ThreeSoundtracks);
    EXPECT_NO_THROW({
        dj->startThread();
        event(PlayEvent::Started);
        for (int i = 0; i < 20; ++i)
            event(PlayEvent::PieceRotated);
        dj->changeSong(SongStep::Previous);
        event(PlayEvent::GameOver);
        event(PlayEvent::Stopped);
        event(PlayEvent::Started);
        dj->stopThread(); // once all of it has been carried out
    });
    EXPECT_EQ(audio->count(&FakeAudio::opened), 2);
    EXPECT_EQ(audio->count(&FakeAudio::updates), 0);
    const Calls calls = audio->callsSnapshot();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "play Sounds/Rotate.wav 1 abort 0"), 20);
}

TEST_F(DjTest, StoppedPlaybackUpdatesNoMoreAndSamplesGoOnlyAfterTheOutput)
{
    makeDj(ThreeSoundtracks);
    dj->startThread();
    ASSERT_EQ(playbackThreads(), 1);
    event(PlayEvent::Started);
    event(PlayEvent::LayerCleared);
    event(PlayEvent::Stopped);
    ASSERT_TRUE(updatesContinue());

    const std::size_t before = audio->callsSnapshot().size();
    dj->stopThread();
    ASSERT_TRUE(noPlaybackThreadLeft()) << "the playback thread outlived stopThread";
    const Calls all = audio->callsSnapshot();
    const Calls calls(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "stop all 0");
    const auto closed = std::find(calls.begin(), calls.end(), "close 1");
    ASSERT_NE(closed, calls.end());
    for (const char* sample : { "Sounds/Rotate.wav", "Sounds/Land.wav", "Sounds/Clear.wav" })
        EXPECT_NE(std::find(closed, calls.end(), std::string("release ") + sample), calls.end()) << sample;

    // A thread started now would have made its first pass before startThread returned.
    const int updates = audio->count(&FakeAudio::updates);
    dj->startThread();
    event(PlayEvent::PieceRotated);
    EXPECT_EQ(playbackThreads(), 0);
    EXPECT_EQ(audio->count(&FakeAudio::updates), updates);
    dj.reset();
    EXPECT_EQ(audio->callsSnapshot().size(), all.size()) << "the library was left alone after stopThread";
}

// The game posts faster than the mixer updates (here: never again after the
// first pass); each command is still carried out, in order, and the random
// songs are drawn at the event, between the game's own draws.
TEST_F(DjTest, CommandsAreCarriedOutInOrderWithoutWaitingForTheMixerAndSongsDrawnAtTheEvent)
{
    cubrava::srand(11);
    std::vector<int> draws(40);
    for (int& draw : draws)
        draw = cubrava::rand();
    cubrava::srand(11);
    timing.updateInterval = std::chrono::hours(1);
    makeDj(ThreeSoundtracks);
    dj->startThread();
    std::size_t mark = audio->callsSnapshot().size();

    std::size_t drawn = 1; // the first soundtrack
    int index = draws[0] % 3;
    Calls expected;
    auto soundtrack = [&](int step) {
        index = (index + step) % 3;
        expected.push_back(std::string("load ") + Soundtracks[index]);
        expected.push_back(loopOf(Soundtracks[index]));
    };
    event(PlayEvent::Started);
    soundtrack(1);
    for (int round = 0; round < 8; ++round) {
        dj->changeSong(round % 2 == 0 ? SongStep::Next : SongStep::Previous);
        soundtrack(round % 2 == 0 ? 1 : 2);
        EXPECT_EQ(dj->songIndex(), static_cast<std::uint32_t>(index));
        event(PlayEvent::PieceRotated);
        expected.push_back("play Sounds/Rotate.wav 1 abort 0");
        event(PlayEvent::Stopped);
        const std::string win = "Music/win" + std::to_string(draws[drawn++] % 3 + 1) + ".wav";
        expected.push_back("load " + win);
        expected.push_back("play " + win + " 16 continue 1 notify");
        EXPECT_EQ(cubrava::rand(), draws[drawn++]) << "the game's own draw comes after the Dj's";
        event(PlayEvent::LayerCleared);
        expected.push_back("play Sounds/Clear.wav 1 abort 0");
    }
    Calls played;
    for (const std::string& call : nextCalls(mark, 3 * 8, "play ")) {
        if (call.rfind("stop ", 0) != 0)
            played.push_back(call);
    }
    EXPECT_EQ(played, expected);
    EXPECT_EQ(audio->count(&FakeAudio::updates), 1) << "only the first pass updated the mixer";
}

// An error on the playback thread ends playback there, safely, and reaches
// the game through its next call to the Dj, once.
TEST_F(DjTest, ErrorOnThePlaybackThreadIsThrownToTheNextCaller)
{
    audio->unreadableFiles = { "Music/b.wav" };
    makeDj("<dj><soundtracks><song>Music/a.wav</song><song>Music/b.wav</song></soundtracks></dj>");
    dj->startThread();
    event(PlayEvent::Started);
    if (dj->songIndex() == 0) {
        ASSERT_TRUE(eventually([&] { return sawCall(loopOf("Music/a.wav")); }));
        dj->changeSong(SongStep::Next);
    }
    ASSERT_TRUE(noPlaybackThreadLeft());
    EXPECT_TRUE(sawCall("close 1"));
    EXPECT_EQ(test::fatalMessageOf([&] { event(PlayEvent::PieceRotated); }), "cannot read Music/b.wav")
        << "the error was lost";
    const std::size_t calls = audio->callsSnapshot().size();
    EXPECT_NO_THROW(dj->changeSong(SongStep::Next));
    EXPECT_EQ(playbackThreads(), 0) << "no second playback thread";
    EXPECT_EQ(audio->callsSnapshot().size(), calls);
}
