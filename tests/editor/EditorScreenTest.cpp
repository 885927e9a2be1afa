// The whole level editor (cubrava-editor) from a copy of the run folder on a
// 1280 x 1024 screen, run under scripts/with-xvfb: its two windows, a cube
// made with the mouse and the brush and saved by "Done", a texture that
// cannot be read, "Cancel", "New"
// refusing a height, the restart notice beside a running game, a save that
// fails, and a level file that cannot be read. Message texts are copied out
// of their boxes with Ctrl+C. Every wait is for a condition, with a deadline.
#include "data/LevelList.h"
#include "support/screen/Desktop.h"
#include "support/screen/EditorOnScreen.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"
#include "support/screen/WindowIcons.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cubrava;
using namespace cubrava::e2e;
namespace fs = std::filesystem;

namespace {

constexpr int ScreenWidth = 1280;
constexpr PitSize Pit { 4, 10, 12 };

const char* const TestLevels = "<levels>\n"
                               "    <level name=\"Grid\" x=\"4\" y=\"10\" z=\"12\" goal=\"3\" drop=\"1000\">\n"
                               "        <blocks>\n"
                               "            <point x=\"2\" y=\"3\" z=\"0\" color=\"0000FF\" />\n"
                               "        </blocks>\n"
                               "    </level>\n"
                               "    <level name=\"Second\" x=\"5\" y=\"5\" z=\"8\" goal=\"2\" drop=\"800\">\n"
                               "        <blocks />\n"
                               "    </level>\n"
                               "</levels>\n";

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The editor started in its own copy of the run folder, its windows found.
struct Editor : EditorWindows {
    RunFolder folder;
    std::optional<GameProcess> process;

    explicit Editor(FolderUsers users = FolderUsers::Owner)
        : EditorWindows(ScreenWidth, Pit)
        , folder(users)
    {
    }

    fs::path levelsFile() const { return folder.path() / "Config" / "Levels.dat"; }

    // wrapper: what to run it under (runuser), or nothing.
    void start(const std::vector<std::string>& wrapper = {})
    {
        process.emplace(folder, "cubrava-editor", std::vector<std::string> {}, "", wrapper);
        find(*process);
    }

    std::optional<int> exitStatus() { return process->waitForExit(Patience); }
};

} // namespace

TEST(EditorOnScreen, BothWindowsStandInPlaceAndACubeAddedWithTheBrushIsSavedByDone)
{
    Editor editor;
    editor.folder.write("Config/Levels.dat", TestLevels);
    ASSERT_NO_FATAL_FAILURE(editor.start());
    EXPECT_EQ(editor.view.x, 10);
    EXPECT_EQ(editor.view.y, 50);
    EXPECT_EQ(editor.view.width, editor.viewSide());
    EXPECT_EQ(editor.view.height, editor.viewSide());
    EXPECT_EQ(editor.dialog.x, 788);
    EXPECT_EQ(editor.dialog.y, 100);
    EXPECT_EQ(iconMismatch(editor.view.id), "") << "the view's icon";
    EXPECT_EQ(iconMismatch(editor.dialog.id), "") << "the dialog's icon";

    ASSERT_NO_FATAL_FAILURE(editor.addRedCube(1, 6));
    editor.doneSavingTheLevel();
    // No restart notice without the game: the program ends.
    EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
    EXPECT_FALSE(findWindowByTitle(ViewTitle)) << "the view outlived the program";

    LevelList saved;
    readLevelsFrom(editor.levelsFile().string(), saved);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1].name, "Second");
    const std::vector<Block>& blocks = saved[0].blocks();
    ASSERT_EQ(blocks.size(), 2u) << fileText(editor.levelsFile());
    // In x order: the new cube at (1, 6), then the blue one at (2, 3).
    EXPECT_EQ(blocks[0].x, 1);
    EXPECT_EQ(blocks[0].y, 6);
    EXPECT_EQ(blocks[0].z, 0);
    EXPECT_FLOAT_EQ(blocks[0].material->red, 1.0f);
    EXPECT_FLOAT_EQ(blocks[0].material->green, 0.0f);
    EXPECT_FLOAT_EQ(blocks[0].material->blue, 0.0f);
    EXPECT_EQ(blocks[0].material->textureName, "");
    EXPECT_EQ(blocks[1].x, 2);
    EXPECT_FLOAT_EQ(blocks[1].material->blue, 1.0f);
}

TEST(EditorOnScreen, BoxesSayWhatIsWrongAndCancelAfterEditsLeavesTheFileAsItWas)
{
    Editor editor;
    // A cube whose texture is no picture: the view reads it on its thread,
    // the box comes on the dialog's.
    std::string levels = TestLevels;
    const std::string blue = "color=\"0000FF\"";
    levels.insert(levels.find(blue) + blue.size(), " texture=\"Textures/broken.bmp\"");
    editor.folder.write("Textures/broken.bmp", "not a picture");
    editor.folder.write("Config/Levels.dat", levels);
    ASSERT_NO_FATAL_FAILURE(editor.start());
    EXPECT_EQ(boxText("Error"), "Unknown DIB file format.");
    EXPECT_TRUE(closeBox("Error"));
    ASSERT_NO_FATAL_FAILURE(editor.addRedCube(0, 0));

    editor.press(NewButton);
    auto form = waitForWindow("Create New Level");
    ASSERT_TRUE(form);
    focusWindow(form->id);
    typeText("Tower");
    for (const char* size : { "5", "5", "3" }) {
        key("Tab");
        typeText(size);
    }
    key("Return");
    EXPECT_EQ(boxText("Doh!"), "Height has to be between 4 and 50.");
    EXPECT_TRUE(closeBox("Doh!"));
    // Back in the height field, its text selected: typing replaces it.
    focusWindow(form->id);
    typeText("6");
    key("Return");
    EXPECT_TRUE(waitForNoWindow("Create New Level")) << "the level 5 x 5 x 6 was not made";

    editor.press(CancelButton);
    EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
    EXPECT_EQ(fileText(editor.levelsFile()), levels);
}

TEST(EditorOnScreen, DoneWithTheGameRunningAsksForARestartOfIt)
{
    Editor editor;
    // The game itself, from the same folder: its window is titled "Cubrava".
    GameProcess game(editor.folder);
    ASSERT_TRUE(waitForWindow("Cubrava")) << game.standardError();
    ASSERT_NO_FATAL_FAILURE(editor.start());

    editor.press(DoneButton); // nothing changed: no question
    EXPECT_EQ(boxText("CubravaEditor"), "You must restart Cubrava for changes to take effect.");
    EXPECT_TRUE(closeBox("CubravaEditor"));
    EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
    EXPECT_TRUE(game.running()) << "the game went with the editor";
}

TEST(EditorOnScreen, AFailedSaveKeepsTheDialogOpenAndTheOldFileUntilTheCauseIsGone)
{
    const std::string saveFailure = "There was an error saving the Levels configuration file.\n"
                                    "You may want to reinstall the game before playing again.";
    // Each way of failing, and how the designer puts it right.
    struct Case {
        const char* what;
        // The editor run as another user, from a folder that user may reach.
        std::vector<std::string> wrapper;
        std::function<void(const Editor&)> breakSave;
        std::function<void(const Editor&)> mend;
    };
    const fs::path config = "Config";
    std::vector<Case> cases {
        { "the temporary file's name taken by a folder", {},
            [&](const Editor& e) { fs::create_directory(e.folder.path() / config / "Levels.dat.tmp"); },
            [&](const Editor& e) { fs::remove(e.folder.path() / config / "Levels.dat.tmp"); } },
    };
    if (::geteuid() == 0) {
        // As root every folder is writable: an ordinary user finds Config read-only.
        cases.push_back({ "a read-only folder", { "runuser", "-u", "nobody", "--" },
            [](const Editor& e) {
                ::chmod(e.folder.path().c_str(), 0755);
                ::chmod((e.folder.path() / "Config").c_str(), 0555);
            },
            [](const Editor& e) {
                for (const fs::path& p : { e.folder.path() / "Config", e.folder.path() / "Config" / "Levels.dat" })
                    ::chown(p.c_str(), getpwnam("nobody")->pw_uid, static_cast<gid_t>(-1));
                ::chmod((e.folder.path() / "Config").c_str(), 0755);
            } });
    } else {
        cases.push_back(
            { "a read-only folder", {}, [](const Editor& e) { ::chmod((e.folder.path() / "Config").c_str(), 0555); },
                [](const Editor& e) { ::chmod((e.folder.path() / "Config").c_str(), 0755); } });
    }

    std::string skipped;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editor editor(c.wrapper.empty() ? FolderUsers::Owner : FolderUsers::Anyone);
        if (!c.wrapper.empty() && !editor.folder.reachableByAnyone()) {
            skipped = std::string(c.what) + ": no folder here lets another user reach the editor";
            continue;
        }
        editor.folder.write("Config/Levels.dat", TestLevels);
        c.breakSave(editor);
        ASSERT_NO_FATAL_FAILURE(editor.start(c.wrapper));
        ASSERT_NO_FATAL_FAILURE(editor.addRedCube(3, 9));
        editor.doneSavingTheLevel();
        EXPECT_EQ(boxText("Uh oh ..."), saveFailure);
        EXPECT_TRUE(closeBox("Uh oh ..."));
        EXPECT_TRUE(findWindowByTitle(DialogTitle)) << "the dialog closed";
        EXPECT_EQ(fileText(editor.levelsFile()), TestLevels);

        // The cause gone, "Done" again saves the committed cube.
        c.mend(editor);
        editor.press(DoneButton);
        EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
        LevelList saved;
        readLevelsFrom(editor.levelsFile().string(), saved);
        ASSERT_EQ(saved.size(), 2u);
        ASSERT_EQ(saved[0].blocks().size(), 2u);
        EXPECT_EQ(saved[0].blocks()[1].x, 3);
        EXPECT_EQ(saved[0].blocks()[1].y, 9);
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped;
}

TEST(EditorOnScreen, ALevelFileThatCannotBeReadIsBadNewsAndStatusOne)
{
    RunFolder folder;
    folder.write("Config/Levels.dat", "<levels><level name=\"Cut short\" x=\"4\"");
    GameProcess editor(folder, "cubrava-editor", {});
    EXPECT_EQ(boxText("Bad News..."), LevelsErrorMessage);
    EXPECT_FALSE(findWindowByTitle(DialogTitle)) << "the dialog opened";
    EXPECT_FALSE(findWindowByTitle(ViewTitle)) << "the view stayed";
    EXPECT_TRUE(closeBox("Bad News..."));
    EXPECT_EQ(editor.waitForExit(Patience), 1);
    EXPECT_NE(editor.standardError().find(LevelsErrorMessage), std::string::npos) << editor.standardError();
}

namespace {

// Whether the view shows a red cube, or a blue one, in the cell of the bottom
// layer: hovered or selected cubes are drawn brighter, so paler.
bool redIn(const Editor& editor, int x, int y)
{
    const Rgb p = patch(ScreenShot::take(), editor.cell(x, y));
    return p.r > p.g + 60 && p.r > p.b + 60;
}

bool blueIn(const Editor& editor, int x, int y)
{
    const Rgb p = patch(ScreenShot::take(), editor.cell(x, y));
    return p.b > p.r + 60 && p.b > p.g + 60;
}

} // namespace

TEST(EditorOnScreen, UndoAndRedoFromEitherWindowAndDoneWritesWhatIsShown)
{
    Editor editor;
    editor.folder.write("Config/Levels.dat", TestLevels);
    ASSERT_NO_FATAL_FAILURE(editor.start());
    ASSERT_NO_FATAL_FAILURE(editor.addRedCube(1, 6));

    // Ctrl+Z in the view, Ctrl+Y and Ctrl+Z in the dialog.
    const std::pair<unsigned long, const char*> presses[] { { editor.view.id, "ctrl+z" },
        { editor.dialog.id, "ctrl+y" }, { editor.dialog.id, "ctrl+z" } };
    bool shown = true;
    for (const auto& [window, keys] : presses) {
        SCOPED_TRACE(keys);
        focusWindow(window);
        key(keys);
        shown = !shown;
        EXPECT_TRUE(waitUntil([&] { return redIn(editor, 1, 6) == shown; }));
    }

    // "New", undone and redone; then undone from the view again.
    editor.press(NewButton);
    auto form = waitForWindow("Create New Level");
    ASSERT_TRUE(form);
    focusWindow(form->id);
    typeText("Tower");
    for (const char* size : { "5", "5", "6" }) {
        key("Tab");
        typeText(size);
    }
    key("Return");
    ASSERT_TRUE(waitForNoWindow("Create New Level"));
    ASSERT_TRUE(waitUntil([&] { return !blueIn(editor, 2, 3); })) << "the new, empty level is not shown";
    focusWindow(editor.dialog.id);
    key("ctrl+z");
    EXPECT_TRUE(waitUntil([&] { return blueIn(editor, 2, 3); })) << "Grid with its blue cube is not back";
    key("ctrl+shift+z");
    EXPECT_TRUE(waitUntil([&] { return !blueIn(editor, 2, 3); })) << "the new level is not back";
    focusWindow(editor.view.id);
    key("ctrl+z");
    EXPECT_TRUE(waitUntil([&] { return blueIn(editor, 2, 3); }));

    // Nothing is modified now: "Done" asks nothing and writes the list as shown.
    editor.press(DoneButton);
    EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
    LevelList saved;
    readLevelsFrom(editor.levelsFile().string(), saved);
    ASSERT_EQ(saved.size(), 2u) << fileText(editor.levelsFile());
    EXPECT_EQ(saved[0].name, "Grid");
    ASSERT_EQ(saved[0].blocks().size(), 1u) << "the red cube was undone";
    EXPECT_EQ(saved[0].blocks()[0].x, 2);
}

TEST(EditorOnScreen, TheLayerInViewTheWheelAndACloseBoxThatLeavesAWorkingView)
{
    Editor editor;
    editor.folder.write("Config/Levels.dat", TestLevels);
    ASSERT_NO_FATAL_FAILURE(editor.start());
    // The label in the view's top left corner, white on black.
    const Rect corner { editor.view.x, editor.view.y, editor.view.x + editor.viewSide() / 3, editor.view.y + 40 };
    const auto white = [](const Rgb& p) { return p.r > 200 && p.g > 200 && p.b > 200; };
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.count(corner, white) > 30; })) << "no label";
    const ScreenShot first = ScreenShot::take();

    focusWindow(editor.view.id);
    key("8");
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.differences(first, corner) > 10; }))
        << "the label did not change with the layer";
    const ScreenShot second = ScreenShot::take();
    // The wheel over the view steps down and up again.
    mouseMove(editor.view.x + editor.viewSide() / 2, editor.view.y + editor.viewSide() / 2);
    for (const auto& [button, shot] : { std::pair { 5, &first }, std::pair { 4, &second } }) {
        mouseButton(button, true);
        mouseButton(button, false);
        EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.differences(*shot, corner) == 0; }))
            << "wheel button " << button;
    }

    // The close box: a window comes back at once, on the same layer.
    const unsigned long closed = editor.view.id;
    ASSERT_TRUE(requestWindowClose(closed));
    ASSERT_TRUE(waitUntil([&] {
        const auto view = findWindowByTitle(ViewTitle);
        return view && view->viewable && view->id != closed;
    })) << "no view after its close box";
    editor.view = *findWindowByTitle(ViewTitle);
    EXPECT_EQ(editor.view.x, 10);
    EXPECT_EQ(editor.view.width, editor.viewSide());
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.differences(second, corner) == 0; }))
        << "the layer was not kept";
    // And it works: back down, a cube added and shown, then undone.
    focusWindow(editor.view.id);
    key("2");
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.differences(first, corner) == 0; }));
    focusWindow(editor.dialog.id); // the brush is typed there
    ASSERT_NO_FATAL_FAILURE(editor.addRedCube(0, 0));
    focusWindow(editor.view.id);
    key("grave");
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return s.count(corner, white) == 0; }))
        << "the label in camera mode";
    editor.press(CancelButton);
    EXPECT_EQ(editor.exitStatus(), 0) << editor.process->standardError();
}
