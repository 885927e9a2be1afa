// The editing view's cubes drawn from kept buffers against the same view drawn
// cube by cube: on a full level and a partly full one, on several layers, with
// a hovered cell and a selection, from camera places reached in camera mode,
// after cells are added and removed, as the layer steps up and down with and
// without the idle moments' drawing ahead, with the eye above the pit and
// below its rim, and once a texture's file comes late.
// The two pictures may differ in at most one pixel in a thousand. The kept
// drawing carries what it keeps from one step to the next, as on screen. Runs
// under a 1280 x 1024 X display (scripts/with-xvfb), so the view is 768 x 768.
#include "GlViewTests.h"
#include "ViewFakes.h"
#include "editor/view/GlutEditorView.h"
#include "editor/view/ViewWindow.h"
#include "reference/OneByOneEditCubes.h"
#include "render/ParticleArrays.h"
#include "support/PictureCompare.h"
#include "support/ScratchDir.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace cubrava;

namespace {

struct KeptDrawing : ::testing::Test {
    ScratchDir dir;
    EditorView& view = screen->view();
    const long pixels = static_cast<long>(side) * side;

    void SetUp() override
    {
        writeComparisonTextures();
        view.reshape(side, side);
    }

    // The kept drawing first: it sees the view as the last step left it.
    void expectSamePicture(const char* what)
    {
        SCOPED_TRACE(what);
        view.display(*context);
        const auto kept = readBackBuffer(side, side);
        OneByOneEditCubes oneByOne;
        view.display(*context, oneByOne);
        const auto reference = readBackBuffer(side, side);
        ASSERT_GT(litPixels(reference), pixels / 50) << "the level is in the picture";
        const long differing = differingPixels(reference, kept);
        std::printf("%-58s %6ld of %ld pixels differ\n", what, differing, pixels);
        EXPECT_LE(differing, pixels / 1000);
    }

    std::pair<int, int> cellPoint(int x, int y) const
    {
        return projectToWindow(view, side, x + 0.5, y + 0.5, view.currentLayer() + 0.95);
    }

    void hover(int x, int y)
    {
        const auto [wx, wy] = cellPoint(x, y);
        view.mouseHover(wx, wy);
        ASSERT_EQ(view.hovered(), pickName(x, y, 8));
    }

    void select(int x1, int y1, int x2, int y2)
    {
        const auto [ax, ay] = cellPoint(x1, y1);
        const auto [bx, by] = cellPoint(x2, y2);
        view.mouseButton(MouseButton::Left, ButtonState::Down, ax, ay);
        view.mouseDrag(bx, by);
        view.mouseButton(MouseButton::Left, ButtonState::Up, bx, by);
        ASSERT_FALSE(view.selection().empty());
    }

    void toLayer(int layer)
    {
        while (view.currentLayer() < layer)
            view.keyDown('8');
        while (view.currentLayer() > layer)
            view.keyDown('2');
    }

    // What the view's loop does when no event waits.
    void idle()
    {
        while (view.prepareAhead(*context)) { }
    }

    double eyeHeight() const
    {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        view.cameraControl().applyCamera();
        float eye[3];
        currentEyePosition(eye);
        glPopMatrix();
        return eye[2];
    }

    // Into camera mode, the camera moved there, and back to edit mode; the
    // camera-mode picture compared on the way when asked.
    void moveCamera(double yaw, double pitch, double distance, double height, bool compareCameraMode = false)
    {
        view.keyDown('`');
        ASSERT_FALSE(view.editMode());
        Camera camera = view.cameraControl().camera();
        camera.yaw = yaw;
        camera.pitch = pitch;
        camera.distance = distance;
        camera.heightOffset = height;
        view.cameraControl().setCamera(camera);
        if (compareCameraMode)
            expectSamePicture("camera mode, the same place");
        view.keyDown('`');
        ASSERT_TRUE(view.editMode());
    }
};

TEST_F(KeptDrawing, LooksAsTheCubesDrawnOneByOneOnAFullLevel)
{
    view.setLevel(comparisonLevel([](int, int, int) { return true; }));
    const CameraLimits limits = view.cameraControl().limits();
    const double start = 0.7 * limits.maxDistance, low = limits.minHeight * 0.25;

    expectSamePicture("the starting view, bottom layer");
    toLayer(8);
    select(2, 2, 4, 4);
    hover(5, 3);
    expectSamePicture("layer 8, a selection and a hovered cell");
    hover(3, 3);
    expectSamePicture("the hovered cell moved into the selection");
    moveCamera(225, -70, start, low, true);
    expectSamePicture("from the far corner, steep");
    moveCamera(290, -4, start, low);
    expectSamePicture("almost level with the rim");
    moveCamera(120, -140, start, low);
    expectSamePicture("from below the floor");
    moveCamera(45, -60, 0.0, 0.0, true);
    expectSamePicture("inside the stack, cubes cut open");
    moveCamera(34, -38, start, low);
    toLayer(15);
    expectSamePicture("the top layer");
    view.keyDown('`');
    view.keyDown('b');
    view.keyDown('`');
    toLayer(1);
    expectSamePicture("top view, layer 1");
}

TEST_F(KeptDrawing, LooksAsTheCubesDrawnOneByOneOnAPartlyFullLevelAsCellsChange)
{
    // Holes everywhere, two empty layers and an empty top.
    view.setLevel(
        comparisonLevel([](int x, int y, int z) { return (x * 3 + y * 5 + z * 7) % 4 != 0 && z != 3 && z < 12; }));
    toLayer(4);
    select(1, 1, 6, 3);
    hover(2, 5);
    expectSamePicture("layer 4, ghosts and cubes, selected and hovered");

    view.removeBlocks();
    expectSamePicture("the selected cells emptied");
    view.addBlocks(colour(0.3f, 0.5f, 0.7f, "Textures/large.bmp"));
    expectSamePicture("the selected cells filled with a textured brush");

    moveCamera(0, -38, 0.7 * view.cameraControl().limits().maxDistance, -2.0, true);
    toLayer(3);
    expectSamePicture("along the rows, on the empty layer");
    toLayer(13);
    hover(6, 6);
    expectSamePicture("above the cubes");
}

TEST_F(KeptDrawing, LooksAsTheCubesDrawnOneByOneAsTheLayerStepsAndOtherLayersChange)
{
    // Each layer unlike its neighbours, with holes, the top two empty.
    const auto filled = [](int x, int y, int z) { return (x + 2 * y + 3 * z) % 5 != 0 && z < 14; };
    view.setLevel(comparisonLevel(filled));
    ASSERT_GT(eyeHeight(), 16.0) << "the eye above the pit, where the layers below and above go apart";
    expectSamePicture("layer 0");
    toLayer(1);
    expectSamePicture("stepped up to layer 1");
    toLayer(2);
    expectSamePicture("stepped up to layer 2");
    idle();
    toLayer(3);
    expectSamePicture("stepped up to layer 3, drawn ahead");
    idle();
    toLayer(2);
    expectSamePicture("stepped down to layer 2, drawn ahead");
    toLayer(1);
    expectSamePicture("stepped down to layer 1");

    // Kept and drawn-ahead images that hold the changed layer are drawn
    // again. The cell has none above it on layer 2.
    select(0, 2, 0, 2);
    view.addBlocks(colour(1.0f, 1.0f, 0.1f));
    expectSamePicture("a cube added on layer 1");
    idle();
    toLayer(2);
    expectSamePicture("layer 2, over the added cube");
    toLayer(0);
    expectSamePicture("layer 0, under the added cube");
    idle();
    view.replaceCubes(comparisonLevel([&](int x, int y, int z) { return filled(x, y, z) != (z == 9 && x < 4); }));
    expectSamePicture("layer 9 changed, as by an undo");
    toLayer(10);
    expectSamePicture("layer 10, over the changed layer");
    toLayer(8);
    expectSamePicture("layer 8, under it");

    // With the eye level with the middle of the pit, rays rise to the upper
    // layers: one image holds every other layer.
    const CameraLimits limits = view.cameraControl().limits();
    moveCamera(200, -90, limits.maxDistance, 0.0);
    ASSERT_LT(eyeHeight(), 16.0) << "the eye below the rim";
    expectSamePicture("the eye below the rim");
    idle();
    toLayer(9);
    expectSamePicture("the eye below the rim, a layer up");
    view.removeBlocks();
    expectSamePicture("the eye below the rim, a cube removed");
    moveCamera(34, -38, 0.7 * limits.maxDistance, limits.minHeight * 0.25);
    ASSERT_GT(eyeHeight(), 16.0);
    toLayer(10);
    expectSamePicture("the eye above the pit again");
}

TEST_F(KeptDrawing, ATextureFileThatComesLateShowsInTheNextFrame)
{
    LevelDef late(8, 8, 16);
    for (int z = 0; z < 4; ++z)
        for (int x = 0; x < 8; ++x)
            late.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(z), static_cast<std::int8_t>(z),
                colour(0.9f, 0.9f, 0.9f, "Textures/late.bmp"));
    view.setLevel(late);
    toLayer(1);
    expectSamePicture("edit mode, no file yet: untextured");
    view.keyDown('`');
    expectSamePicture("camera mode, no file yet");
    writeCheckerBmp("Textures/late.bmp", 2, 250, 0);
    expectSamePicture("camera mode, the file written");
    view.keyDown('`');
    expectSamePicture("edit mode, the file written");
}

} // namespace

int main(int argc, char** argv)
{
    return runInViewWindow(argc, argv);
}
