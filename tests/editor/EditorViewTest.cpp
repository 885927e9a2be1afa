// The editing view's rules without a display: picking through a stand-in,
// selection, layers, modes, the block operations and what listeners hear.
#include "ViewFakes.h"
#include "data/LevelDef.h"
#include "editor/Selection.h"

#include <gtest/gtest.h>

#include <GL/freeglut_std.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

using namespace cubrava;

namespace {

LevelDef level(int x, int y, int z)
{
    return LevelDef(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z));
}

// The cells of the view, as exportBlocks reports them.
std::set<std::tuple<int, int, int>> occupied(EditorView& view)
{
    LevelDef out;
    view.exportBlocks(out);
    std::set<std::tuple<int, int, int>> cells;
    for (const Block& b : out.blocks())
        cells.emplace(b.x, b.y, b.z);
    return cells;
}

std::set<std::tuple<int, int, int>> rectangle(int x1, int y1, int x2, int y2, int z)
{
    std::set<std::tuple<int, int, int>> cells;
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            cells.emplace(x, y, z);
    return cells;
}

} // namespace

TEST(EditorViewPicking, EveryCellOfAFourByTenLayerHasANameOfItsOwnAndIsPickedWithItsMaterial)
{
    std::set<int> names;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y) {
            const int name = pickName(x, y, 10);
            names.insert(name);
            EXPECT_EQ(cellOfPickName(name, 10).x, x);
            EXPECT_EQ(cellOfPickName(name, 10).y, y);
        }
    EXPECT_EQ(names.size(), 40u);
    EXPECT_EQ(*names.begin(), 0);
    EXPECT_EQ(*names.rbegin(), 39);

    // Every cell of layer 0 a colour of its own.
    LevelDef four = level(4, 10, 5);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y)
            four.addBlock(
                static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0, colour(x / 4.0f, y / 10.0f, 0.5f));
    ViewRig rig(four);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y) {
            rig.view.mouseHover(rig.at(x, y), 0);
            EXPECT_EQ(rig.view.hovered(), pickName(x, y, 10));
            rig.click(x, y);
            EXPECT_TRUE(rig.view.selection().isSingleCell(x, y)) << x << " " << y;
            rig.rightClick(x, y);
            ASSERT_TRUE(rig.listener.picks.back().has_value());
            EXPECT_EQ(rig.listener.picks.back()->red, x / 4.0f);
            EXPECT_EQ(rig.listener.picks.back()->green, y / 10.0f);
        }
    EXPECT_EQ(rig.listener.picks.size(), 40u);
    EXPECT_EQ(rig.picker.lastLayer, 0);

    // An empty cell gives none; a right click on no cell says nothing.
    rig.view.keyDown('8');
    rig.rightClick(2, 3);
    ASSERT_EQ(rig.listener.picks.size(), 41u);
    EXPECT_FALSE(rig.listener.picks.back().has_value());
    EXPECT_EQ(rig.picker.lastLayer, 1);
    rig.view.mouseButton(2, 1, ViewRig::NoCell, 0);
    EXPECT_EQ(rig.listener.picks.size(), 41u);
    rig.view.mouseHover(ViewRig::NoCell, 0);
    EXPECT_EQ(rig.view.hovered(), -1);
}

TEST(EditorViewSelection, ADragSelectsTheRectangleBetweenItsEndsInEveryDirection)
{
    ViewRig rig(level(4, 10, 3));
    const Material brush = colour(0.2f, 0.4f, 0.6f);
    const int drags[4][4] = { { 1, 2, 3, 7 }, { 3, 7, 1, 2 }, { 3, 2, 1, 7 }, { 1, 7, 3, 2 } };
    for (const auto& d : drags) {
        rig.listener.selections.clear();
        rig.view.mouseButton(0, 0, rig.at(d[0], d[1]), 0);
        rig.view.mouseDrag(rig.at(2, 5), 0);
        rig.view.mouseDrag(ViewRig::NoCell, 0); // off the pit: the corner stays
        rig.view.mouseDrag(rig.at(d[2], d[3]), 0);
        EXPECT_TRUE(rig.listener.selections.empty()) << "dragging does not report";
        rig.view.mouseButton(0, 1, rig.at(d[2], d[3]), 0);
        ASSERT_EQ(rig.listener.selections.size(), 1u) << "the release does";
        EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, false));

        const Selection s = rig.view.selection();
        EXPECT_EQ(s.minX(), 1);
        EXPECT_EQ(s.maxX(), 3);
        EXPECT_EQ(s.minY(), 2);
        EXPECT_EQ(s.maxY(), 7);
        rig.view.addBlocks(brush);
        EXPECT_EQ(occupied(rig.view), rectangle(1, 2, 3, 7, 0)) << d[0] << d[1] << " to " << d[2] << d[3];
        rig.view.removeBlocks();
        EXPECT_TRUE(occupied(rig.view).empty());
    }
}

TEST(EditorViewSelection, APressOnNoCellClearsItAndAPressOnTheOneSelectedCellKeepsIt)
{
    ViewRig rig(level(4, 10, 3));
    rig.drag(0, 0, 2, 2);
    rig.view.mouseButton(0, 0, rig.at(1, 1), 0);
    EXPECT_TRUE(rig.view.selection().isSingleCell(1, 1)) << "a press on a cell of a larger selection starts afresh";
    rig.view.mouseButton(0, 1, rig.at(1, 1), 0);

    rig.view.mouseButton(0, 0, rig.at(1, 1), 0);
    EXPECT_TRUE(rig.view.selection().isSingleCell(1, 1));
    rig.view.mouseButton(0, 1, rig.at(1, 1), 0);

    rig.listener.selections.clear();
    rig.view.mouseButton(0, 0, ViewRig::NoCell, 0);
    EXPECT_TRUE(rig.view.selection().empty());
    ASSERT_EQ(rig.listener.selections.size(), 1u) << "reported at the press";
    EXPECT_EQ(rig.listener.selections[0], std::make_pair(true, false));
    // Dragging from no cell onto cells selects nothing.
    rig.view.mouseDrag(rig.at(3, 3), 0);
    rig.view.mouseButton(0, 1, rig.at(3, 3), 0);
    EXPECT_TRUE(rig.view.selection().empty());
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(true, false));

    // Without a selection the block operations do nothing and say nothing.
    rig.listener.selections.clear();
    rig.view.addBlocks(colour(1, 0, 0));
    rig.view.removeBlocks();
    EXPECT_TRUE(occupied(rig.view).empty());
    EXPECT_TRUE(rig.listener.selections.empty());
}

TEST(EditorViewNotify, TheTwoFlagsTellAnEmptySelectionAndAnOccupiedCellOfTheCurrentLayer)
{
    LevelDef three = level(4, 10, 3);
    three.addBlock(2, 2, 1, colour(1, 0, 0)); // on layer 1, under a selection made on layer 0
    ViewRig rig(three);
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(true, false)) << "setLevel reports the empty selection";

    rig.drag(1, 1, 3, 3);
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, false)) << "layer 1's cube does not count on 0";
    rig.view.keyDown('8');
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, true)) << "the selection stays; layer 1 has one";
    rig.view.removeBlocks();
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, false));
    rig.click(3, 3);
    rig.view.addBlocks(colour(0, 1, 0));
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, true));
    // The last cell scanned is the only occupied one.
    rig.drag(0, 0, 3, 3);
    EXPECT_EQ(rig.listener.selections.back(), std::make_pair(false, true));

    // Every listener, each once.
    RecordingListener second;
    rig.view.addListener(second);
    rig.view.addListener(second);
    rig.view.addListener(rig.listener);
    const std::size_t before = rig.listener.selections.size();
    rig.view.keyDown('2');
    EXPECT_EQ(rig.listener.selections.size(), before + 1);
    ASSERT_EQ(second.selections.size(), 1u);
    EXPECT_EQ(second.selections[0], std::make_pair(false, false));
}

TEST(EditorViewLayers, TheLayerKeysStopAtTheBottomAndAtTheTop)
{
    ViewRig rig(level(4, 10, 3));
    rig.listener.selections.clear();
    rig.view.keyDown('2');
    rig.view.specialKey(GLUT_KEY_DOWN);
    EXPECT_EQ(rig.view.currentLayer(), 0);
    EXPECT_TRUE(rig.listener.selections.empty()) << "no step, no report";

    rig.view.mouseHover(rig.at(1, 1), 0);
    rig.view.keyDown('8');
    EXPECT_EQ(rig.view.currentLayer(), 1);
    EXPECT_EQ(rig.view.hovered(), -1) << "the hovered cell was on the layer left";
    rig.view.specialKey(GLUT_KEY_UP);
    for (int i = 0; i < 3; ++i)
        rig.view.keyDown('8');
    EXPECT_EQ(rig.view.currentLayer(), 2) << "H - 1, the headroom is never edited";
    EXPECT_EQ(rig.listener.selections.size(), 2u);

    // Other keys, and the layer keys in camera mode, change no layer.
    for (int key : { '4', '6', '9', '0', 'a' })
        rig.view.keyDown(static_cast<unsigned char>(key));
    rig.view.specialKey(GLUT_KEY_PAGE_DOWN);
    rig.view.keyDown('`');
    rig.view.keyDown('2');
    rig.view.specialKey(GLUT_KEY_DOWN);
    EXPECT_EQ(rig.view.currentLayer(), 2);

    // A new level starts over on layer 0, with nothing selected.
    rig.view.keyDown('`');
    rig.drag(0, 0, 1, 1);
    rig.show(level(5, 5, 7));
    EXPECT_EQ(rig.view.currentLayer(), 0);
    EXPECT_TRUE(rig.view.selection().empty());
}

TEST(EditorViewModes, TheToggleKeysSwitchWhereKeysAndTheMouseGo)
{
    ViewRig rig(level(4, 10, 3));
    ASSERT_TRUE(rig.view.editMode());
    const double distance = rig.view.cameraControl().camera().distance;

    rig.view.keyDown('g'); // edit mode: not a camera key
    rig.clock.advance(100);
    EXPECT_EQ(rig.view.cameraControl().camera().distance, distance);

    rig.view.keyDown('`');
    EXPECT_FALSE(rig.view.editMode());
    EXPECT_FALSE(rig.window.pointerVisible);
    rig.view.keyDown('g');
    rig.clock.advance(5 * CameraControl::TickMs);
    EXPECT_LT(rig.view.cameraControl().camera().distance, distance) << "camera keys move it";
    const int picks = rig.picker.calls;
    rig.view.mouseHover(100, 100); // takes the pointer centre
    rig.view.mouseHover(150, 100);
    rig.view.mouseButton(0, 0, 100, 100);
    EXPECT_EQ(rig.picker.calls, picks) << "the mouse turns the camera in camera mode";
    EXPECT_GT(rig.window.warps, 0);
    EXPECT_NE(rig.view.cameraControl().motion(), 0u);

    rig.view.keyDown('~');
    EXPECT_TRUE(rig.view.editMode());
    EXPECT_TRUE(rig.window.pointerVisible);
    EXPECT_EQ(rig.view.cameraControl().motion(), 0u) << "held camera motion stops";
    const double stopped = rig.view.cameraControl().camera().distance;
    rig.clock.advance(100);
    EXPECT_EQ(rig.view.cameraControl().camera().distance, stopped);

    rig.view.specialKey(GLUT_KEY_F5);
    EXPECT_FALSE(rig.view.editMode());
    rig.view.specialKey(GLUT_KEY_F5);
    EXPECT_TRUE(rig.view.editMode());
    rig.view.mouseHover(rig.at(2, 2), 0);
    EXPECT_EQ(rig.view.hovered(), pickName(2, 2, 10));

    // A release goes to the camera in either mode.
    rig.view.keyDown('`');
    rig.view.keyDown('a');
    rig.view.keyDown('`');
    rig.view.keyDown('`');
    rig.view.keyUp('A');
    EXPECT_EQ(rig.view.cameraControl().motion(), 0u);
}

TEST(EditorViewBlocks, AddingOverCubesReplacesThemWithCopiesOfTheBrush)
{
    LevelDef two = level(4, 10, 3);
    two.addBlock(1, 1, 0, colour(1, 0, 0, "Textures/red.bmp"));
    ViewRig rig(two);
    rig.drag(0, 1, 2, 1);
    Material brush = colour(0, 0, 1, "Textures/blue.bmp");
    rig.view.addBlocks(brush);

    LevelDef out;
    rig.view.exportBlocks(out);
    ASSERT_EQ(out.blocks().size(), 3u);
    for (const Block& b : out.blocks()) {
        EXPECT_EQ(b.material->blue, 1.0f);
        EXPECT_EQ(b.material->red, 0.0f);
        EXPECT_EQ(b.material->textureName, "Textures/blue.bmp");
    }
    // The brush changes on; the cubes placed keep what they were given.
    brush.red = 1.0f;
    brush.textureName = "Textures/other.bmp";
    LevelDef again;
    rig.view.exportBlocks(again);
    for (const Block& b : again.blocks()) {
        EXPECT_EQ(b.material->red, 0.0f);
        EXPECT_EQ(b.material->textureName, "Textures/blue.bmp");
    }
    EXPECT_EQ(two.blocks()[0].material->red, 1.0f) << "the level given to setLevel is not edited";

    // Each cube has a material of its own: removing one leaves the others whole.
    rig.click(1, 1);
    rig.view.removeBlocks();
    EXPECT_EQ(occupied(rig.view), (std::set<std::tuple<int, int, int>> { { 0, 1, 0 }, { 2, 1, 0 } }));
    LevelDef last;
    rig.view.exportBlocks(last);
    for (const Block& b : last.blocks())
        EXPECT_EQ(b.material->textureName, "Textures/blue.bmp");
}

TEST(EditorViewBlocks, ExportListsTheCubesByXThenYThenZAndReplacesTheLevelsBlocks)
{
    LevelDef scrambled = level(3, 3, 4);
    const int cells[][3] = { { 2, 0, 1 }, { 0, 2, 0 }, { 0, 0, 3 }, { 1, 1, 1 }, { 0, 0, 0 }, { 2, 2, 2 }, { 0, 2, 2 },
        { 1, 0, 9 } }; // the last in the headroom
    for (const auto& c : cells)
        scrambled.addBlock(static_cast<std::int8_t>(c[0]), static_cast<std::int8_t>(c[1]),
            static_cast<std::int8_t>(c[2]), colour(c[0] / 3.0f, c[1] / 3.0f, c[2] / 10.0f));
    ViewRig rig(scrambled);

    LevelDef out = level(3, 3, 4);
    out.addBlock(1, 1, 0, colour(1, 1, 1));
    rig.view.exportBlocks(out);
    std::vector<std::tuple<int, int, int>> order;
    for (const Block& b : out.blocks()) {
        order.emplace_back(b.x, b.y, b.z);
        EXPECT_EQ(b.material->red, b.x / 3.0f);
        EXPECT_EQ(b.material->blue, b.z / 10.0f);
    }
    const std::vector<std::tuple<int, int, int>> expected { { 0, 0, 0 }, { 0, 0, 3 }, { 0, 2, 0 }, { 0, 2, 2 },
        { 1, 0, 9 }, { 1, 1, 1 }, { 2, 0, 1 }, { 2, 2, 2 } };
    EXPECT_EQ(order, expected);
}

TEST(EditorViewThreads, ChangesFromTheDialogsThreadAskForARedisplayAndListenersRunWithTheLockFree)
{
    ViewRig rig(level(4, 10, 3));
    ASSERT_EQ(rig.wakes, 1) << "setLevel woke the view thread";
    rig.click(0, 0);
    rig.view.addBlocks(colour(1, 0, 0));
    EXPECT_EQ(rig.wakes, 2);
    EXPECT_EQ(rig.window.redisplays > 0, true) << "the view thread's own changes redisplay directly";

    // A listener that waits for another thread which needs the view lock, as
    // the dialog's thread may: it must not wait forever.
    struct WaitingListener : ViewListener {
        EditorView* view = nullptr;
        int calls = 0;
        int finished = 0;
        // Joined at the end: one left waiting finishes once its caller lets go of the lock.
        std::vector<std::thread> others;
        void selectionChanged(bool, bool) override { waitForOther(); }
        void blockPicked(const std::optional<Material>&) override { waitForOther(); }
        void waitForOther()
        {
            ++calls;
            auto done = std::make_shared<bool>(false);
            auto m = std::make_shared<std::mutex>();
            auto cv = std::make_shared<std::condition_variable>();
            others.emplace_back([this, done, m, cv] {
                LevelDef out;
                view->exportBlocks(out);
                std::lock_guard<std::mutex> lock(*m);
                *done = true;
                cv->notify_all();
            });
            std::unique_lock<std::mutex> lock(*m);
            if (cv->wait_for(lock, std::chrono::seconds(30), [&] { return *done; }))
                ++finished;
        }
    } waiting;
    waiting.view = &rig.view;
    rig.view.addListener(waiting);

    rig.click(1, 1); // the release reports, on the view thread
    rig.rightClick(0, 0);
    rig.view.keyDown('8');
    rig.view.addBlocks(colour(0, 1, 0)); // the dialog's thread
    rig.view.removeBlocks();
    rig.view.setLevel(level(2, 2, 2));
    for (std::thread& other : waiting.others)
        other.join();
    EXPECT_EQ(waiting.calls, 6);
    EXPECT_EQ(waiting.finished, waiting.calls);
}
