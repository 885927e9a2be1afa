// The editing view on a real rendering context (run under scripts/with-xvfb):
// selection-mode picking finds every cell where the camera shows it and
// survives a hit buffer that overflows, and frames and picking leave the
// rendering state as they found it.
#include "GlViewTests.h"
#include "ViewFakes.h"
#include "editor/view/GlutEditorView.h"
#include "editor/view/ViewWindow.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

using namespace cubrava;

namespace {

struct EditorViewGl : ::testing::Test {
    EditorView& view = screen->view();

    void SetUp() override
    {
        while (glGetError() != GL_NO_ERROR) { }
        view.reshape(side, side);
        glViewport(0, 0, side, side);
    }

    std::pair<int, int> project(double x, double y, double z) const { return projectToWindow(view, side, x, y, z); }
};

GLint stackDepth(GLenum which)
{
    GLint depth = 0;
    glGetIntegerv(which, &depth);
    return depth;
}

void expectStateAsFound(GLint projectionDepth, GLint modelviewDepth)
{
    EXPECT_EQ(stackDepth(GL_PROJECTION_STACK_DEPTH), projectionDepth);
    EXPECT_EQ(stackDepth(GL_MODELVIEW_STACK_DEPTH), modelviewDepth);
    GLint mode = 0, renderMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(renderMode, GL_RENDER);
    for (GLenum cap : { GL_LIGHTING, GL_BLEND, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_LIGHT0, GL_LIGHT1 })
        EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace

TEST_F(EditorViewGl, EveryCellOfEachLayerIsPickedWhereTheCameraShowsIt)
{
    LevelDef level(4, 10, 12);
    level.addBlock(2, 3, 0, colour(0, 0, 1));
    level.addBlock(1, 5, 1, colour(1, 0, 0));
    view.setLevel(level);
    for (int layer = 0; layer < 3; ++layer) {
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 10; ++y) {
                // The middle of the cube's top face: nothing of its layer lies nearer.
                const auto [wx, wy] = project(x + 0.5, y + 0.5, layer + 0.95);
                view.mouseHover(wx, wy);
                EXPECT_EQ(view.hovered(), pickName(x, y, 10)) << x << " " << y << " on layer " << layer;
            }
        view.keyDown('8');
    }
    view.mouseHover(2, 2); // a corner of the window, far from the pit's floor
    EXPECT_EQ(view.hovered(), -1);
}

TEST_F(EditorViewGl, AGrazingViewAlongABroadLayerOverflowsTheHitBufferAndPicksNothing)
{
    // Level with the layer and looking along a diagonal, the pixels near the
    // horizon lie on a long line of cells: on a 50 x 50 layer their hits still
    // fit the buffer, on a 120 x 120 one they do not.
    for (int cells : { 50, 120 }) {
        view.setLevel(LevelDef(static_cast<std::int8_t>(cells), static_cast<std::int8_t>(cells), 2));
        const CameraLimits limits = view.cameraControl().limits();
        Camera grazing = view.cameraControl().camera();
        grazing.pitch = -90.0;
        grazing.yaw = 45.0;
        grazing.distance = limits.maxDistance;
        grazing.heightOffset = limits.maxHeight - 0.5; // the eye half a cell above the floor
        view.cameraControl().setCamera(grazing);

        int overflows = 0, picked = 0;
        for (int y = side / 2 - 12; y < side; y += y < side / 2 + 12 ? 1 : 24) {
            view.mouseHover(side / 2, y);
            if (screen->picker().lastHitCount() == -1) {
                ++overflows;
                EXPECT_EQ(view.hovered(), -1) << "an overflowing buffer is no hit, at row " << y;
            } else if (view.hovered() != -1) {
                ++picked;
                EXPECT_LT(view.hovered(), cells * cells);
            }
        }
        if (cells == 50)
            EXPECT_EQ(overflows, 0);
        else
            EXPECT_GT(overflows, 0) << "no overflow: the case is not shown";
        EXPECT_GT(picked, 0) << "rows nearer the viewer are still picked";
    }
}

TEST_F(EditorViewGl, FramesInEitherModeLeaveTheRenderingStateAsTheyFoundIt)
{
    LevelDef level(4, 10, 6);
    level.addBlock(0, 0, 0, colour(1, 0, 0));
    level.addBlock(3, 9, 2, colour(0, 1, 0));
    view.setLevel(level);
    const GLint projection = stackDepth(GL_PROJECTION_STACK_DEPTH);
    const GLint modelview = stackDepth(GL_MODELVIEW_STACK_DEPTH);

    const auto [wx, wy] = project(1.5, 1.5, 0.95);
    view.mouseButton(MouseButton::Left, ButtonState::Down, wx, wy);
    view.mouseDrag(project(2.5, 4.5, 0.95).first, project(2.5, 4.5, 0.95).second);
    view.mouseButton(MouseButton::Left, ButtonState::Up, wx, wy);
    expectStateAsFound(projection, modelview);
    view.display(*context);
    expectStateAsFound(projection, modelview);
    view.keyDown('`');
    view.display(*context);
    expectStateAsFound(projection, modelview);
    view.keyDown('`');
    view.setLevel(LevelDef(3, 3, 3)); // nothing selected, nothing hovered
    view.display(*context);
    expectStateAsFound(projection, modelview);
}

int main(int argc, char** argv)
{
    return runInViewWindow(argc, argv);
}
