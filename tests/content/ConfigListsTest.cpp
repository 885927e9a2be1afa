// The message and playlist files, and the copies of every Config file in the
// runtime folder.

#include "ContentFiles.h"
#include "audio/Playlists.h"
#include "render/StatusMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

TEST(ShippedStatus, HasShortOneLineMessagesInEveryList)
{
    cubrava::StatusMessages lists;
    cubrava::readStatusMessagesFrom(shippedConfig("Status.dat"), lists);
    for (int list = 0; list < cubrava::StatusListCount; ++list) {
        SCOPED_TRACE(list);
        const std::vector<std::string>& messages = lists[static_cast<std::size_t>(list)];
        EXPECT_GE(messages.size(), 6u);
        EXPECT_EQ(std::set<std::string>(messages.begin(), messages.end()).size(), messages.size()) << "a repeat";
        for (const std::string& m : messages) {
            EXPECT_LE(m.size(), 30u) << m;
            EXPECT_EQ(m.find_first_of("\n\t"), std::string::npos) << m;
            EXPECT_NE(m.front(), ' ') << m;
        }
    }
}

TEST(ShippedPlaylists, NameFourSoundtracksAndTwoSongsForWinningAndLosing)
{
    cubrava::Playlists playlists;
    cubrava::readPlaylists(shippedConfig("DJ.dat"), playlists);
    const std::vector<std::string>& soundtracks = playlists.soundtracks;
    const std::vector<std::string>& wins = playlists.winSongs;
    const std::vector<std::string>& losses = playlists.loseSongs;
    EXPECT_GE(soundtracks.size(), 4u);
    EXPECT_GE(wins.size(), 2u);
    EXPECT_GE(losses.size(), 2u);
    std::set<std::string> all;
    for (const auto* list : { &soundtracks, &wins, &losses })
        for (const std::string& song : *list) {
            EXPECT_TRUE(all.insert(song).second) << song << " named twice";
            EXPECT_EQ(song.rfind("Music/", 0), 0u) << song;
            EXPECT_EQ(song.substr(song.size() - 4), ".wav") << song;
        }
}

TEST(RunFolder, HoldsEveryShippedConfigFileAndTheFont)
{
    for (const char* name : { "Pieces.dat", "Levels.dat", "Status.dat", "DJ.dat" })
        EXPECT_TRUE(std::filesystem::is_regular_file(runFile(std::string("Config/") + name))) << name;
    std::vector<std::uint8_t> font = readBytes(runFile("fonts/bnkgothm.ttf"));
    ASSERT_GE(font.size(), 4u);
    EXPECT_EQ(std::string(font.begin(), font.begin() + 4), std::string("\0\1\0\0", 4)) << "not a TrueType file";
}
