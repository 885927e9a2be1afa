// The editing view's rules without a display: picking through a stand-in,
// selection, layers, modes, the block operations and what listeners hear.
#include "ViewFakes.h"
#include "editor/view/HitRecords.h"
#include "support/LevelMaking.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <set>
#include <thread>
#include <tuple>

using namespace cubrava;
using cubrava::test::level;

namespace {

using Cells = std::set<std::tuple<int, int, int>>;
using Reports = std::vector<std::pair<bool, bool>>;
const std::pair<bool, bool> Empty { true, false }, Free { false, false }, Occupied { false, true };

// The cubes of the view, as exported.
Cells cubes(EditorView& view)
{
    LevelDef out;
    view.exportBlocks(out);
    Cells cells;
    for (const Block& b : out.blocks())
        cells.emplace(b.x, b.y, b.z);
    return cells;
}

} // namespace

TEST(EditorView, EachCellOfAFourByTenLayerIsNamedHoveredSelectedAndPickedWithItsOwnMaterial)
{
    LevelDef four = level(4, 10, 5);
    std::set<int> names;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y) {
            const int name = pickName(x, y, 10);
            names.insert(name);
            EXPECT_EQ(cellOfPickName(name, 10).x * 10 + cellOfPickName(name, 10).y, x * 10 + y);
            four.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0, colour(x / 4.0f, y / 10.0f, 0));
        }
    EXPECT_EQ(names.size(), 40u);
    EXPECT_EQ(*names.rbegin(), 39);

    ViewRig rig(four);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y) {
            rig.view.mouseHover(rig.at(x, y), 0);
            EXPECT_EQ(rig.view.hovered(), pickName(x, y, 10));
            rig.click(x, y);
            EXPECT_TRUE(rig.view.selection().isSingleCell(x, y)) << x << " " << y;
            rig.click(x, y, MouseButton::Right);
            ASSERT_TRUE(rig.listener.picks.back());
            EXPECT_EQ(rig.listener.picks.back()->red, x / 4.0f);
            EXPECT_EQ(rig.listener.picks.back()->green, y / 10.0f);
        }
    // Layer 1 is picked on layer 1, where the cell is empty; no cell gives no report.
    rig.view.keyDown('8');
    rig.click(2, 3, MouseButton::Right);
    EXPECT_EQ(rig.picker.lastLayer, 1);
    ASSERT_EQ(rig.listener.picks.size(), 41u);
    EXPECT_FALSE(rig.listener.picks.back());
    rig.release(ViewRig::NoCell, MouseButton::Right);
    EXPECT_EQ(rig.listener.picks.size(), 41u);
    EXPECT_EQ(rig.view.hovered(), -1);
}

TEST(EditorView, ADragSelectsItsRectangleInEveryDirectionAndReportsOnlyAtTheRelease)
{
    ViewRig rig(level(4, 10, 3));
    const int drags[4][4] = { { 1, 2, 3, 7 }, { 3, 7, 1, 2 }, { 3, 2, 1, 7 }, { 1, 7, 3, 2 } };
    Cells rectangle;
    for (int x = 1; x <= 3; ++x)
        for (int y = 2; y <= 7; ++y)
            rectangle.emplace(x, y, 0);
    for (const auto& d : drags) {
        rig.listener.selections.clear();
        rig.press(rig.at(d[0], d[1]));
        rig.view.mouseDrag(rig.at(2, 5), 0);
        rig.view.mouseDrag(ViewRig::NoCell, 0); // off the pit: the corner stays
        rig.view.mouseDrag(rig.at(d[2], d[3]), 0);
        EXPECT_TRUE(rig.listener.selections.empty());
        rig.release(rig.at(d[2], d[3]));
        EXPECT_EQ(rig.listener.selections, (Reports { Free }));
        rig.view.addBlocks(colour(0.2f, 0.4f, 0.6f));
        EXPECT_EQ(cubes(rig.view), rectangle) << d[0] << d[1] << " to " << d[2] << d[3];
        rig.view.removeBlocks();
    }

    // A press on the one selected cell keeps it; on a cell of a larger selection starts afresh.
    rig.click(1, 1);
    rig.press(rig.at(1, 1));
    EXPECT_TRUE(rig.view.selection().isSingleCell(1, 1));
    rig.drag(0, 0, 2, 2);
    rig.press(rig.at(1, 1));
    EXPECT_TRUE(rig.view.selection().isSingleCell(1, 1));
    // A press on no cell clears it at once, and a drag from there selects nothing.
    rig.listener.selections.clear();
    rig.press(ViewRig::NoCell);
    EXPECT_EQ(rig.listener.selections, (Reports { Empty }));
    rig.view.mouseDrag(rig.at(3, 3), 0);
    rig.release(rig.at(3, 3));
    EXPECT_TRUE(rig.view.selection().empty());
    // Without a selection the block operations do nothing and report nothing.
    rig.listener.selections.clear();
    rig.view.addBlocks(colour(1, 0, 0));
    rig.view.removeBlocks();
    EXPECT_TRUE(cubes(rig.view).empty());
    EXPECT_TRUE(rig.listener.selections.empty());
}

TEST(EditorView, NotifyTellsAnEmptySelectionAndAnOccupiedCellOfTheCurrentLayerToEveryListenerOnce)
{
    LevelDef three = level(4, 10, 3);
    three.addBlock(2, 2, 1, colour(1, 0, 0)); // layer 1, under a selection made on layer 0
    ViewRig rig(three);
    EXPECT_EQ(rig.listener.selections.back(), Empty) << "from setLevel";
    rig.drag(1, 1, 3, 3);
    EXPECT_EQ(rig.listener.selections.back(), Free);
    rig.view.keyDown('8');
    EXPECT_EQ(rig.listener.selections.back(), Occupied) << "the selection stays on the new layer";
    rig.view.removeBlocks();
    EXPECT_EQ(rig.listener.selections.back(), Free);
    rig.click(3, 3);
    rig.view.addBlocks(colour(0, 1, 0));
    EXPECT_EQ(rig.listener.selections.back(), Occupied);
    rig.drag(0, 0, 3, 3); // the last cell scanned is the only cube
    EXPECT_EQ(rig.listener.selections.back(), Occupied);

    RecordingListener second;
    rig.view.addListener(second);
    rig.view.addListener(second);
    rig.view.addListener(rig.listener);
    const std::size_t before = rig.listener.selections.size();
    rig.view.keyDown('2');
    EXPECT_EQ(rig.listener.selections.size(), before + 1);
    EXPECT_EQ(second.selections, (Reports { Free }));
}

TEST(EditorView, TheLayerKeysStopAtTheBottomAndAtTheTopAndOnlyInEditMode)
{
    ViewRig rig(level(4, 10, 3));
    rig.listener.selections.clear();
    rig.view.keyDown('2');
    rig.view.specialKey(SpecialKey::Down);
    EXPECT_EQ(rig.view.currentLayer(), 0);
    EXPECT_TRUE(rig.listener.selections.empty());

    rig.view.mouseHover(rig.at(1, 1), 0);
    rig.view.keyDown('8');
    EXPECT_EQ(rig.view.hovered(), -1) << "the hovered cell was on the layer left";
    rig.view.specialKey(SpecialKey::Up);
    rig.view.keyDown('8');
    EXPECT_EQ(rig.view.currentLayer(), 2) << "H - 1: the headroom is never edited";
    EXPECT_EQ(rig.listener.selections.size(), 2u);

    for (int key : { '4', '6', '9', '0', 'a' })
        rig.view.keyDown(static_cast<unsigned char>(key));
    rig.view.keyDown('`');
    rig.view.keyDown('2');
    rig.view.specialKey(SpecialKey::Down);
    EXPECT_EQ(rig.view.currentLayer(), 2);

    // The wheel steps as "8" and "2" do, in edit mode only.
    rig.press(0, MouseButton::WheelDown);
    EXPECT_EQ(rig.view.currentLayer(), 2) << "camera mode";
    rig.view.keyDown('`');
    rig.press(0, MouseButton::WheelDown);
    rig.release(0, MouseButton::WheelDown);
    EXPECT_EQ(rig.view.currentLayer(), 1);
    rig.press(0, MouseButton::WheelUp);
    rig.press(0, MouseButton::WheelUp);
    EXPECT_EQ(rig.view.currentLayer(), 2);

    rig.drag(0, 0, 1, 1);
    rig.view.setLevel(level(5, 5, 7));
    EXPECT_EQ(rig.view.currentLayer(), 0);
    EXPECT_TRUE(rig.view.selection().empty());
}

TEST(EditorView, UndoKeysGoToTheListenersAndCubesPutBackKeepTheLayerSelectionAndCamera)
{
    ViewRig rig(level(4, 10, 3));
    const Modifiers shift { true, false, false };
    // Ctrl + a letter arrives as its control code: Z is 26, Y 25, A 1.
    rig.view.keyDown(26);
    rig.view.keyDown(26, shift);
    rig.view.keyDown('`');
    rig.view.keyDown(25);
    rig.view.keyDown(1);
    EXPECT_EQ(
        rig.listener.history, (std::vector<HistoryStep> { HistoryStep::Undo, HistoryStep::Redo, HistoryStep::Redo }));
    rig.view.keyDown('`');

    rig.view.keyDown('8');
    rig.drag(0, 0, 1, 1);
    rig.view.cameraControl().keyDown('g');
    rig.clock.advance(5 * CameraControl::TickMs);
    rig.view.cameraControl().keyUp('g');
    const double distance = rig.view.cameraControl().camera().distance;
    rig.listener.selections.clear();
    LevelDef before = level(4, 10, 3);
    before.addBlock(1, 1, 1, colour(0, 0, 1));
    rig.view.replaceCubes(before);
    EXPECT_EQ(rig.view.currentLayer(), 1);
    EXPECT_FALSE(rig.view.selection().empty());
    EXPECT_EQ(rig.view.cameraControl().camera().distance, distance);
    EXPECT_EQ(rig.listener.selections, (std::vector<std::pair<bool, bool>> { { false, true } }));
    LevelDef exported;
    rig.view.exportBlocks(exported);
    ASSERT_EQ(exported.blocks().size(), 1u);
    EXPECT_FLOAT_EQ(exported.blocks()[0].material->blue, 1.0f);

    // Cubes of a level of another size are another level: it starts over.
    rig.view.replaceCubes(level(5, 5, 7));
    EXPECT_EQ(rig.view.currentLayer(), 0);
    EXPECT_TRUE(rig.view.selection().empty());
}

TEST(EditorView, TheToggleKeysSendKeysAndTheMouseToTheCameraAndBack)
{
    ViewRig rig(level(4, 10, 3));
    const CameraControl& camera = rig.view.cameraControl();
    const double distance = camera.camera().distance;
    rig.view.keyDown('g'); // not a camera key in edit mode
    rig.clock.advance(100);
    EXPECT_EQ(camera.camera().distance, distance);

    rig.view.keyDown('`');
    EXPECT_FALSE(rig.view.editMode());
    EXPECT_FALSE(rig.window.pointerVisible);
    rig.view.keyDown('g');
    rig.clock.advance(5 * CameraControl::TickMs);
    EXPECT_LT(camera.camera().distance, distance);
    const int picks = rig.picker.calls;
    rig.view.mouseHover(100, 100); // takes the pointer centre
    rig.view.mouseDrag(150, 100);
    rig.press(100);
    EXPECT_EQ(rig.picker.calls, picks);
    EXPECT_GT(rig.window.warps, 0);

    rig.view.keyDown('~');
    EXPECT_TRUE(rig.view.editMode());
    EXPECT_TRUE(rig.window.pointerVisible);
    EXPECT_EQ(camera.motion(), 0u) << "held camera motion stops";
    rig.view.specialKey(SpecialKey::F5);
    EXPECT_FALSE(rig.view.editMode());
    rig.view.keyDown('a');
    rig.view.specialKey(SpecialKey::F5);
    EXPECT_TRUE(rig.view.editMode());
    rig.view.mouseHover(rig.at(2, 2), 0);
    EXPECT_EQ(rig.view.hovered(), pickName(2, 2, 10));
}

TEST(EditorView, AddingOverCubesReplacesThemWithCopiesOfTheBrushThatLaterBrushChangesLeaveAlone)
{
    LevelDef two = level(4, 10, 3);
    two.addBlock(1, 1, 0, colour(1, 0, 0, "Textures/red.bmp"));
    ViewRig rig(two);
    rig.drag(0, 1, 2, 1);
    Material brush = colour(0, 0, 1, "Textures/blue.bmp");
    rig.view.addBlocks(brush);
    brush.red = 1.0f;
    brush.textureName = "Textures/other.bmp";
    rig.click(1, 1);
    rig.view.removeBlocks(); // each cube's material is its own

    LevelDef out;
    rig.view.exportBlocks(out);
    ASSERT_EQ(out.blocks().size(), 2u);
    for (const Block& b : out.blocks()) {
        EXPECT_EQ(b.y, 1);
        EXPECT_NE(b.x, 1);
        EXPECT_EQ(b.material->red, 0.0f);
        EXPECT_EQ(b.material->blue, 1.0f);
        EXPECT_EQ(b.material->textureName, "Textures/blue.bmp");
    }
    EXPECT_EQ(two.blocks()[0].material->red, 1.0f) << "the level given to setLevel is not edited";
}

TEST(EditorView, ExportReplacesTheLevelsBlocksWithTheCubesByXThenYThenZ)
{
    LevelDef scrambled = level(3, 3, 4);
    const std::vector<std::tuple<int, int, int>> cells { { 2, 0, 1 }, { 0, 2, 0 }, { 0, 0, 3 }, { 1, 1, 1 },
        { 0, 0, 0 }, { 2, 2, 2 }, { 0, 2, 2 }, { 1, 0, 9 } }; // the last in the headroom
    for (const auto& [x, y, z] : cells)
        scrambled.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z),
            colour(x / 3.0f, y / 3.0f, z / 10.0f));
    ViewRig rig(scrambled);
    LevelDef out = level(3, 3, 4);
    out.addBlock(1, 1, 0, colour(1, 1, 1));
    rig.view.exportBlocks(out);
    std::vector<std::tuple<int, int, int>> order;
    for (const Block& b : out.blocks()) {
        order.emplace_back(b.x, b.y, b.z);
        EXPECT_EQ(b.material->blue, b.z / 10.0f);
    }
    EXPECT_EQ(order,
        (std::vector<std::tuple<int, int, int>> {
            { 0, 0, 0 }, { 0, 0, 3 }, { 0, 2, 0 }, { 0, 2, 2 }, { 1, 0, 9 }, { 1, 1, 1 }, { 2, 0, 1 }, { 2, 2, 2 } }));
}

TEST(EditorView, ChangesFromTheDialogsThreadWakeTheViewAndListenersRunWithTheLockReleased)
{
    ViewRig rig(level(4, 10, 3));
    EXPECT_EQ(rig.wakes, 1) << "setLevel";
    rig.click(0, 0);
    rig.view.addBlocks(colour(1, 0, 0));
    EXPECT_EQ(rig.wakes, 2);

    // Each report waits for another thread that needs the view lock, as the
    // dialog's thread may; one left waiting ends once its caller lets go.
    struct WaitingListener : ViewListener {
        EditorView* view = nullptr;
        int calls = 0, finished = 0;
        std::vector<std::thread> others;
        void selectionChanged(bool, bool) override { waitForOther(); }
        void blockPicked(const std::optional<Material>&) override { waitForOther(); }
        void historyRequested(HistoryStep) override { waitForOther(); }
        void waitForOther()
        {
            ++calls;
            struct Done {
                std::mutex m;
                std::condition_variable cv;
                bool done = false;
            };
            auto d = std::make_shared<Done>();
            others.emplace_back([this, d] {
                LevelDef out;
                view->exportBlocks(out);
                std::lock_guard<std::mutex> lock(d->m);
                d->done = true;
                d->cv.notify_all();
            });
            std::unique_lock<std::mutex> lock(d->m);
            finished += d->cv.wait_for(lock, std::chrono::seconds(30), [&] { return d->done; });
        }
    } waiting;
    waiting.view = &rig.view;
    rig.view.addListener(waiting);
    rig.click(1, 1);
    rig.click(0, 0, MouseButton::Right);
    rig.view.keyDown('8');
    rig.view.addBlocks(colour(0, 1, 0));
    rig.view.removeBlocks();
    rig.view.setLevel(level(2, 2, 2));
    for (std::thread& other : waiting.others)
        other.join();
    EXPECT_EQ(waiting.calls, 6);
    EXPECT_EQ(waiting.finished, waiting.calls);
}

TEST(HitRecords, TheNearestHitByUnsignedDepthTheLaterOfEqualOnesAndAnUntrustedBufferAsNoHit)
{
    // Depths above 2^31 come first if compared signed; the top of the name stack names a hit.
    const std::vector<std::uint32_t> hits { 1, 0x90000000u, 1, 7, 2, 0x10000000u, 2, 4, 12, 0, 1, 1, 1, 0x80000000u, 1,
        30, 1, 0x10000000u, 1, 13 };
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), 5), 13);
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), 2), 12);
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), 0), -1);
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), -1), -1) << "the buffer overflowed";
    EXPECT_EQ(nearestHitName(hits.data(), hits.size(), 6), -1) << "a count beyond the records";
    EXPECT_EQ(nearestHitName(hits.data(), 6, 2), -1) << "a record running past the buffer";
    const std::vector<std::uint32_t> nameless { 0, 1, 1 };
    EXPECT_EQ(nearestHitName(nameless.data(), nameless.size(), 1), -1);
}
