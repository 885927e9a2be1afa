// The installed programs, started as a player starts them: from a folder of no
// importance, with a home of its own. They make the player's folder, work in
// it, and keep what the player changed there.

#include "Player.h"
#include "data/LevelList.h"
#include "platform/SplashWindow.h"
#include "support/screen/Desktop.h"
#include "support/screen/EditorOnScreen.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace cubrava::install;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const fs::path Shipped = CUBRAVA_INSTALLED_DATA;
constexpr int ScreenWidth = 1024;
const Rect Scene { 0, 0, 768, 768 };

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Waits until the screen shows what the test looks for; the last shot is
// kept for a look when it never does.
bool showsSoon(const std::function<bool(const ScreenShot&)>& shows)
{
    if (waitForScreen(shows))
        return true;
    ScreenShot::take().save("install-test-failure.ppm");
    return false;
}

// Every colour of the level's plain starting cubes shows in the area.
bool showsCubesOf(const ScreenShot& shot, const Rect& area, const LevelDef& level)
{
    for (const Block& block : level.blocks()) {
        const Material& m = *block.material;
        if (m.textureName.empty()
            && shot.count(area, [&](const Rgb& p) { return sameHue(p, m.red, m.green, m.blue, 0.06f); }) <= 15)
            return false;
    }
    return true;
}

// The first level as the game draws it: the grey grid and its cubes.
bool showsLevel(const ScreenShot& shot, const LevelDef& level)
{
    return shot.count(Scene, [](const Rgb& p) { return near(p, 102, 102, 102, 1); }) > 300
        && showsCubesOf(shot, Scene, level);
}

LevelDef firstShippedLevel()
{
    LevelList levels;
    readLevelsFrom((Shipped / "Config/Levels.dat").string(), levels);
    return levels.empty() ? LevelDef(1, 1, 1) : std::move(levels.front());
}

// The game's window is up and the splash, which would take the keys under
// the pointer, has closed: the game is started and listens.
void waitUntilStarted(GameProcess& game)
{
    ASSERT_TRUE(waitForWindow("Cubrava")) << game.standardError();
    ASSERT_TRUE(waitForNoWindow(kSplashTitle)) << "the splash did not close";
}

void quit(GameProcess& game)
{
    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}

void expectLinkTo(const fs::path& link, const fs::path& target)
{
    EXPECT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(fs::read_symlink(link), target) << link;
}

// The player's folder as the first start of either program makes it.
void expectPlayersFolder(const Player& player)
{
    const fs::path folder = player.folder();
    for (const char* file : { "Levels.dat", "Pieces.dat", "Status.dat", "DJ.dat" }) {
        EXPECT_FALSE(fs::is_symlink(folder / "Config" / file)) << file;
        EXPECT_EQ(read(folder / "Config" / file), read(Shipped / "Config" / file)) << file;
    }
    ASSERT_TRUE(fs::is_directory(folder / "Textures"));
    EXPECT_FALSE(fs::is_symlink(folder / "Textures"));
    for (const fs::directory_entry& texture : fs::directory_iterator(Shipped / "Textures"))
        expectLinkTo(folder / "Textures" / texture.path().filename(), texture.path());
    for (const char* linked : { "Sounds", "Music", "fonts" })
        expectLinkTo(folder / linked, Shipped / linked);
    EXPECT_TRUE(fs::is_empty(player.workingFolder())) << "nothing written where the program was started";
}

// A level of the player's own: cubes of a colour no shipped level has.
const char* const PlayersLevels = R"(<levels>
    <level name="Made At Home" x="6" y="6" z="14" goal="2" drop="900">
        <blocks>
            <point x="0" y="0" z="0" color="FF00FF" />
            <point x="1" y="0" z="0" color="FF00FF" />
            <point x="2" y="0" z="0" color="FF00FF" />
            <point x="3" y="0" z="0" color="FF00FF" />
        </blocks>
    </level>
</levels>
)";

bool showsPlayersCubes(const ScreenShot& shot, const Rect& area)
{
    return shot.count(area, [](const Rgb& p) { return sameHue(p, 1, 0, 1, 0.06f); }) > 15;
}

} // namespace

TEST(InstalledGame, AFirstStartMakesThePlayersFolderAndShowsTheFirstLevel)
{
    Player player;
    const LevelDef first = firstShippedLevel();
    GameProcess game(player.start("cubrava"));
    ASSERT_NO_FATAL_FAILURE(waitUntilStarted(game));
    EXPECT_TRUE(showsSoon([&](const ScreenShot& shot) { return showsLevel(shot, first); }))
        << "the first level on screen; the last shot is install-test-failure.ppm";
    expectPlayersFolder(player);
    quit(game);
}

TEST(InstalledGame, ASecondStartPlaysAndKeepsThePlayersLevels)
{
    Player player;
    {
        GameProcess first(player.start("cubrava"));
        ASSERT_NO_FATAL_FAILURE(waitUntilStarted(first));
        quit(first);
    }
    const fs::path levels = player.folder() / "Config/Levels.dat";
    ASSERT_TRUE(fs::exists(levels));
    std::ofstream(levels, std::ios::binary | std::ios::trunc) << PlayersLevels;

    GameProcess second(player.start("cubrava"));
    ASSERT_NO_FATAL_FAILURE(waitUntilStarted(second));
    EXPECT_TRUE(showsSoon([](const ScreenShot& shot) { return showsPlayersCubes(shot, Scene); }))
        << "the player's magenta cubes on screen";
    EXPECT_EQ(read(levels), PlayersLevels);
    quit(second);
    EXPECT_EQ(read(levels), PlayersLevels);
}

// The editor, started first, makes the same folder and edits the levels
// there: the shipped ones at first, the player's own once changed. What it
// saves there, the game plays.
TEST(InstalledEditor, WorksInThePlayersFolder)
{
    Player player;
    const LevelDef first = firstShippedLevel();
    {
        GameProcess viewer(player.start("cubrava-editor", { "--view-only" }));
        const auto window = waitForWindow(ViewTitle);
        ASSERT_TRUE(window) << viewer.standardError();
        const Rect view { window->x, window->y, window->x + window->width, window->y + window->height };
        EXPECT_TRUE(showsSoon([&](const ScreenShot& shot) { return showsCubesOf(shot, view, first); }))
            << "the shipped first level in the editor's view";
        expectPlayersFolder(player);
        requestWindowClose(window->id);
        EXPECT_EQ(viewer.waitForExit(Patience), 0) << viewer.standardError();
    }

    const fs::path levels = player.folder() / "Config/Levels.dat";
    std::ofstream(levels, std::ios::binary | std::ios::trunc) << PlayersLevels;
    {
        GameProcess editor(player.start("cubrava-editor"));
        EditorWindows windows(ScreenWidth, { 6, 6, 14 });
        ASSERT_NO_FATAL_FAILURE(windows.find(editor));
        ASSERT_NO_FATAL_FAILURE(windows.addRedCube(5, 5));
        windows.doneSavingTheLevel();
        EXPECT_EQ(editor.waitForExit(Patience), 0) << editor.standardError();
    }
    LevelList saved;
    readLevelsFrom(levels.string(), saved);
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].blocks().size(), 5u) << read(levels);
    const Block& added = saved[0].blocks().back(); // in x order: the new one last
    EXPECT_EQ(std::tie(added.x, added.y, added.z), std::make_tuple(5, 5, 0));
    EXPECT_FLOAT_EQ(added.material->red, 1.0f);
    EXPECT_FLOAT_EQ(added.material->green + added.material->blue, 0.0f);

    GameProcess game(player.start("cubrava"));
    ASSERT_NO_FATAL_FAILURE(waitUntilStarted(game));
    EXPECT_TRUE(showsSoon([](const ScreenShot& shot) {
        return showsPlayersCubes(shot, Scene)
            && shot.count(Scene, [](const Rgb& p) { return sameHue(p, 1, 0, 0, 0.02f); }) > 15;
    })) << "the saved level, magenta and red cubes, in the game";
    quit(game);
}

namespace {

// The words of an action's command in the installed game's menu entry.
std::vector<std::string> menuAction(const std::string& action)
{
    std::ifstream entry(fs::path(CUBRAVA_INSTALLED_DATA) / ".." / "applications" / "org.cubrava.Cubrava.desktop");
    bool inAction = false;
    for (std::string line; std::getline(entry, line);) {
        if (line.rfind('[', 0) == 0)
            inAction = line == "[Desktop Action " + action + "]";
        else if (inAction && line.rfind("Exec=", 0) == 0) {
            std::istringstream words(line.substr(5));
            return { std::istream_iterator<std::string>(words), std::istream_iterator<std::string>() };
        }
    }
    return {};
}

} // namespace

TEST(InstalledGame, TheCommandLine)
{
    Player player;
    {
        GameProcess help(player.start("cubrava", { "--help" }));
        EXPECT_EQ(help.waitForExit(Patience), 0);
        EXPECT_NE(help.standardOutput().find("--windowed"), std::string::npos) << help.standardOutput();
    }
    {
        GameProcess mistaken(player.start("cubrava", { "--full-screen" }));
        EXPECT_EQ(mistaken.waitForExit(Patience), 2);
        EXPECT_NE(mistaken.standardError().find("unknown option '--full-screen'"), std::string::npos)
            << mistaken.standardError();
        EXPECT_EQ(mistaken.standardOutput(), "");
    }
    EXPECT_FALSE(fs::exists(player.folder())) << "nothing made before the game starts";

    // The menu entry's "Play in a Window" (--windowed): the window of four
    // fifths of the 1024 x 768 screen.
    const std::vector<std::string> command = menuAction("Windowed");
    ASSERT_EQ(command, (std::vector<std::string> { "cubrava", "--windowed" }));
    GameProcess windowed(player.start(command[0], { command.begin() + 1, command.end() }));
    ASSERT_NO_FATAL_FAILURE(waitUntilStarted(windowed));
    const auto window = findWindowByTitle("Cubrava");
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 819);
    EXPECT_EQ(window->height, 614);
    focusWindow(window->id);
    quit(windowed);
}
