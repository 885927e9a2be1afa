#include "audio/Playlists.h"
#include "data/ProcessWide.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cubrava;

namespace {

using Names = std::vector<std::string>;

// The message reading this text raises, or "" when it reads.
std::string readFailure(const ScratchDir& dir, const char* text)
{
    if (text)
        dir.write("DJ.dat", text);
    Playlists lists;
    return test::fatalMessageOf([&] { readPlaylists("DJ.dat", lists); });
}

} // namespace

TEST(DjFile, ReadsFirstSectionOfEachNameInAnyOrderTakingOnlyNonEmptySongs)
{
    ScratchDir dir;
    dir.write("DJ.dat",
        "<?xml version='1.0'?><anything>"
        "<winsongs><song>Music/yeah.wav</song></winsongs>"
        "<soundtracks><song>Music/one.wav</song><track>Music/no.wav</track><song/>"
        "<song></song><song>Music/two.WAV</song></soundtracks>"
        "<soundtracks><song>Music/later.wav</song></soundtracks>"
        "<losesongs/>"
        "</anything>");
    Playlists lists;
    lists.loseSongs.push_back("kept.wav");
    readPlaylists("DJ.dat", lists);
    EXPECT_EQ(lists.soundtracks, (Names { "Music/one.wav", "Music/two.WAV" }));
    EXPECT_EQ(lists.loseSongs, (Names { "kept.wav" }));
    EXPECT_EQ(lists.winSongs, (Names { "Music/yeah.wav" }));
}

TEST(DjFile, MissingBrokenOrEmptyFileGivesTheDjMessage)
{
    const std::string message = "There was an error reading the DJ configuration file.\n"
                                "You may want to reinstall the game before playing again.";
    ScratchDir dir;
    EXPECT_EQ(readFailure(dir, nullptr), message);
    EXPECT_EQ(readFailure(dir, "<dj><soundtracks></dj>"), message);
    EXPECT_EQ(readFailure(dir, "<?xml version='1.0'?><!-- nothing -->"), message);
    EXPECT_EQ(readFailure(dir, "<dj/>"), "");
}

TEST(SongIndex, StepsForwardAndBackWithWrapAndRestartsALoneSoundtrack)
{
    std::uint32_t index = 2;
    EXPECT_TRUE(stepSongIndex(index, 3, SongStep::Next));
    EXPECT_EQ(index, 0u);
    EXPECT_TRUE(stepSongIndex(index, 3, SongStep::Previous));
    EXPECT_EQ(index, 2u);
    EXPECT_TRUE(stepSongIndex(index, 3, SongStep::Previous));
    EXPECT_EQ(index, 1u);
    EXPECT_TRUE(stepSongIndex(index, 3, SongStep::Again));
    EXPECT_EQ(index, 1u);

    std::uint32_t alone = 0;
    for (SongStep step : { SongStep::Next, SongStep::Previous, SongStep::Again }) {
        EXPECT_TRUE(stepSongIndex(alone, 1, step));
        EXPECT_EQ(alone, 0u);
    }
}

TEST(SongIndex, EmptyListKeepsIndexZeroAndPlaysNothing)
{
    EXPECT_EQ(firstSongIndex(0), 0u);
    std::uint32_t index = 0;
    EXPECT_FALSE(stepSongIndex(index, 0, SongStep::Next));
    EXPECT_FALSE(stepSongIndex(index, 0, SongStep::Previous));
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(randomSong({}), nullptr);
}

TEST(SongIndex, FirstSoundtrackAndLoseOrWinSongsFollowTheGenerator)
{
    const Names songs { "a.wav", "b.wav", "c.wav", "d.wav", "e.wav" };
    cubrava::srand(1234);
    std::vector<int> draws;
    for (int i = 0; i < 6; ++i)
        draws.push_back(cubrava::rand());

    cubrava::srand(1234);
    EXPECT_EQ(firstSongIndex(7), static_cast<std::uint32_t>(draws[0] % 7));
    for (int i = 1; i < 6; ++i) {
        const std::string* pick = randomSong(songs);
        ASSERT_NE(pick, nullptr);
        EXPECT_EQ(*pick, songs[static_cast<std::size_t>(draws[static_cast<std::size_t>(i)] % 5)]);
    }
}
