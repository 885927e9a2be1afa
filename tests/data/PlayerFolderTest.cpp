#include "data/PlayerFolder.h"
#include "data/FatalError.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

using namespace cubrava;
namespace fs = std::filesystem;

namespace {

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// An installation's shared data, as share/cubrava holds it.
void ship(const ScratchDir& scratch, const std::string& root, const std::string& levels)
{
    scratch.write(root + "/Config/Levels.dat", levels);
    scratch.write(root + "/Config/Pieces.dat", "pieces of " + root);
    scratch.write(root + "/Textures/marble.bmp", "marble");
    scratch.write(root + "/Textures/wood.bmp", "wood");
    scratch.write(root + "/Sounds/Land.wav", "thud");
    scratch.write(root + "/Music/song.wav", "la");
    scratch.write(root + "/fonts/font.ttf", "glyphs");
}

} // namespace

TEST(PlayerFolder, AFirstStartMakesTheFolderFromTheShippedData)
{
    ScratchDir scratch;
    ship(scratch, "share/cubrava", "shipped levels");
    const fs::path shipped = scratch.path() / "share/cubrava";
    const fs::path player = scratch.path() / "home/.local/share/cubrava";

    preparePlayerFolder(shipped, player);

    EXPECT_EQ(read(player / "Config/Levels.dat"), "shipped levels");
    EXPECT_FALSE(fs::is_symlink(player / "Config/Levels.dat")) << "the player's own copy, for the editor to save";
    EXPECT_EQ(read(player / "Config/Pieces.dat"), "pieces of share/cubrava");
    EXPECT_FALSE(fs::is_symlink(player / "Textures"));
    EXPECT_TRUE(fs::is_directory(player / "Textures")) << "a real folder, where a designer adds images";
    EXPECT_EQ(fs::read_symlink(player / "Textures/marble.bmp"), shipped / "Textures/marble.bmp");
    EXPECT_EQ(read(player / "Textures/wood.bmp"), "wood");
    for (const char* folder : { "Sounds", "Music", "fonts" })
        EXPECT_EQ(fs::read_symlink(player / folder), shipped / folder) << folder;
    EXPECT_EQ(read(player / "Sounds/Land.wav"), "thud");
}

// An upgrade changes the shipped files; what the player made or changed stays.
TEST(PlayerFolder, ThePlayersOwnFilesSurviveAnUpgradeAndAMove)
{
    ScratchDir scratch;
    ship(scratch, "old/share/cubrava", "levels 1");
    const fs::path player = scratch.path() / "player";
    preparePlayerFolder(scratch.path() / "old/share/cubrava", player);

    scratch.write("player/Config/Levels.dat", "the player's levels");
    scratch.write("player/Textures/mine.bmp", "my own image");
    fs::remove(player / "Sounds");
    scratch.write("player/Sounds/Land.wav", "my own thud");

    // The new version lives elsewhere (another prefix), changes both files,
    // drops a texture and adds one.
    ship(scratch, "new/share/cubrava", "levels 2");
    const fs::path shipped = scratch.path() / "new/share/cubrava";
    fs::remove(shipped / "Textures/wood.bmp");
    scratch.write("new/share/cubrava/Textures/stone.bmp", "stone");
    fs::remove_all(scratch.path() / "old");
    preparePlayerFolder(shipped, player);

    EXPECT_EQ(read(player / "Config/Levels.dat"), "the player's levels");
    EXPECT_EQ(read(player / "Config/Pieces.dat"), "pieces of new/share/cubrava") << "unchanged by the player";
    EXPECT_EQ(read(player / "Textures/mine.bmp"), "my own image");
    EXPECT_EQ(fs::read_symlink(player / "Textures/marble.bmp"), shipped / "Textures/marble.bmp");
    EXPECT_EQ(read(player / "Textures/stone.bmp"), "stone");
    EXPECT_EQ(fs::read_symlink(player / "Music"), shipped / "Music");
    EXPECT_EQ(read(player / "Sounds/Land.wav"), "my own thud");
    EXPECT_FALSE(fs::is_symlink(player / "Sounds"));

    // A texture the shipped data drops is no longer offered.
    fs::remove(shipped / "Textures/stone.bmp");
    preparePlayerFolder(shipped, player);
    EXPECT_FALSE(fs::exists(fs::symlink_status(player / "Textures/stone.bmp")));
    EXPECT_TRUE(fs::exists(player / "Textures/mine.bmp"));

    // Deleting a changed file brings the shipped one back.
    fs::remove(player / "Config/Levels.dat");
    preparePlayerFolder(shipped, player);
    EXPECT_EQ(read(player / "Config/Levels.dat"), "levels 2");
}

// A game and an editor started together prepare the same folder at once.
TEST(PlayerFolder, ProgramsStartingTogetherTakeTurns)
{
    ScratchDir scratch;
    ship(scratch, "share/cubrava", "levels");
    for (int round = 0; round < 10; ++round) {
        const fs::path player = scratch.path() / ("player" + std::to_string(round));
        std::vector<std::thread> starts;
        std::vector<std::string> failures(4);
        for (std::size_t i = 0; i < failures.size(); ++i)
            starts.emplace_back([&, i] {
                try {
                    preparePlayerFolder(scratch.path() / "share/cubrava", player);
                } catch (const std::exception& e) {
                    failures[i] = e.what();
                }
            });
        for (std::thread& start : starts)
            start.join();
        for (const std::string& failure : failures)
            EXPECT_EQ(failure, "");
        EXPECT_EQ(read(player / "Config/Levels.dat"), "levels");
        EXPECT_EQ(read(player / "Textures/wood.bmp"), "wood");
    }
}

TEST(PlayerFolder, TheRunFolderIsUsedWhereTheProgramIsBuilt)
{
    ScratchDir scratch;
    scratch.write("build/run/Config/Levels.dat", "run folder");
    ship(scratch, "usr/share/cubrava", "installed");
    scratch.write("usr/games/cubrava", "");
    scratch.write("elsewhere/cubrava", "");

    EXPECT_EQ(installedDataFolder(scratch.path() / "build/run", "../share/cubrava"), std::nullopt);
    EXPECT_EQ(
        installedDataFolder(scratch.path() / "usr/games", "../share/cubrava"), scratch.path() / "usr/share/cubrava");
    EXPECT_EQ(installedDataFolder(scratch.path() / "elsewhere", "../share/cubrava"), std::nullopt)
        << "nothing installed beside it: the working folder, as before";
}

TEST(PlayerFolder, ThePlayersFolderFollowsTheXdgRules)
{
    EXPECT_EQ(playerFolderPath("/data", "/home/ann"), fs::path("/data/cubrava"));
    EXPECT_EQ(playerFolderPath(nullptr, "/home/ann"), fs::path("/home/ann/.local/share/cubrava"));
    EXPECT_EQ(playerFolderPath("relative", "/home/ann"), fs::path("/home/ann/.local/share/cubrava"));
    EXPECT_EQ(playerFolderPath("", "/home/ann"), fs::path("/home/ann/.local/share/cubrava"));
    EXPECT_THROW(playerFolderPath(nullptr, nullptr), FatalError);
}

TEST(PlayerFolder, AFolderThatCannotBeMadeIsReported)
{
    ScratchDir scratch;
    ship(scratch, "share/cubrava", "levels");
    scratch.write("home/.local/share/cubrava", "a file where the folder should be");
    const std::string message = test::fatalMessageOf(
        [&] { preparePlayerFolder(scratch.path() / "share/cubrava", scratch.path() / "home/.local/share/cubrava"); });
    EXPECT_NE(message.find("home/.local/share/cubrava"), std::string::npos) << message;
}
