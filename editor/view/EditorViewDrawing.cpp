// The OpenGL side of EditorView: the frame in either mode, and the edited layer.
#include "EditorView.h"

#include "EditDrawing.h"
#include "PickNames.h"
#include "model/Pit.h"
#include "render/CubeDrawing.h"
#include "render/PitDrawing.h"
#include "render/RedisplayRequest.h"

#include <GL/gl.h>

namespace cubrava {

void drawEditLayer(const Pit& pit, int layer, Material& ghost, int hovered, const Selection& selection)
{
    // Names count only while picking; some drivers take loading one otherwise as an error.
    GLint renderMode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    const bool naming = renderMode == GL_SELECT;
    forEachEditCell(pit, layer, hovered, selection,
        [&](int x, int y, int name, Material* material, Orientation orientation, float brighten) {
            if (naming)
                glLoadName(static_cast<GLuint>(name));
            if (material) {
                glDepthMask(GL_TRUE);
                drawCube(*material, x, y, layer, orientation, 1.0f, brighten);
            } else {
                glDepthMask(GL_FALSE);
                drawCube(ghost, x, y, layer, 0, EditLook::GhostAlpha, brighten);
            }
        });
    glDepthMask(GL_TRUE);
}

void drawFaintLayers(const Pit& pit, int layer)
{
    glDepthMask(GL_FALSE);
    for (int z = 0; z < pit.pitHeight(); ++z) {
        if (z == layer)
            continue;
        forEachCubeOfLayer(pit, z, [z](Material& material, int x, int y, Orientation orientation) {
            drawCube(material, x, y, z, orientation, EditLook::FaintAlpha, EditLook::FaintBrighten);
        });
    }
}

void EditorView::initGl()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A new rendering context: the old one's buffers went with it.
    cubes_.forget();
    initSceneLights();
}

void EditorView::display()
{
    // Requests from here on wake the loop again.
    redisplay_.take();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!pit_)
        return;
    const Pit& pit = *pit_;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    camera_.applyProjection(viewport_);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    camera_.applyCamera();

    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    drawPitGrid(pit.width(), pit.depth(), pit.pitHeight());
    placeSceneLights();
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    const bool kept = cubeDrawing_ == LandedCubes::Batched;
    if (editMode_ && kept)
        cubes_.drawEditMode(pit, cells_, layer_, ghost_, hovered_, selection_, viewport_);
    else if (editMode_)
        drawEditMode(pit);
    else if (kept)
        cubes_.drawCameraMode(pit, cells_);
    else
        drawLandedCubes(pit);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT0);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void EditorView::drawEditMode(const Pit& pit)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawEditLayer(pit, layer_, ghost_, hovered_, selection_);
    drawFaintLayers(pit, layer_);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

} // namespace cubrava
