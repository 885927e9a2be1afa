// The OpenGL side of EditorView: the frame in either mode, and the edited layer.
#include "EditorView.h"

#include "EditDrawing.h"
#include "PickNames.h"
#include "model/PlayField.h"
#include "render/CubeDrawing.h"
#include "render/PitDrawing.h"
#include "render/RedisplayRequest.h"

#include <GL/gl.h>

namespace cubrava {

namespace {

constexpr float HoveredBrighten = 0.5f;
constexpr float SelectedBrighten = 0.35f;
constexpr float GhostAlpha = 0.25f;
constexpr float FaintAlpha = 0.1f;
constexpr float FaintBrighten = 0.4f;

Material* materialAt(const PlayField& play, int x, int y, int z)
{
    const Cell* cell = play.cellAt(
        CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) });
    return cell ? cell->material : nullptr;
}

Orientation orientationAt(const PlayField& play, int x, int y, int z)
{
    return play
        .cellAt(CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) })
        ->orientation;
}

} // namespace

void drawEditLayer(const PlayField& play, int layer, Material& ghost, int hovered, const Selection& selection)
{
    // Names count only while picking; some drivers take loading one otherwise as an error.
    GLint renderMode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    const bool naming = renderMode == GL_SELECT;
    for (int x = 0; x < play.width(); ++x) {
        for (int y = 0; y < play.depth(); ++y) {
            const int name = pickName(x, y, play.depth());
            if (naming)
                glLoadName(static_cast<GLuint>(name));
            const float brighten = name == hovered ? HoveredBrighten
                : selection.contains(x, y)         ? SelectedBrighten
                                                   : 0.0f;
            if (Material* material = materialAt(play, x, y, layer)) {
                glDepthMask(GL_TRUE);
                drawCube(*material, x, y, layer, orientationAt(play, x, y, layer), 1.0f, brighten);
            } else {
                glDepthMask(GL_FALSE);
                drawCube(ghost, x, y, layer, 0, GhostAlpha, brighten);
            }
        }
    }
    glDepthMask(GL_TRUE);
}

void drawFaintLayers(const PlayField& play, int layer)
{
    glDepthMask(GL_FALSE);
    for (int z = 0; z < play.pitHeight(); ++z) {
        if (z == layer || play.layerCount(z) == 0)
            continue;
        for (int x = 0; x < play.width(); ++x)
            for (int y = 0; y < play.depth(); ++y)
                if (Material* material = materialAt(play, x, y, z))
                    drawCube(*material, x, y, z, orientationAt(play, x, y, z), FaintAlpha, FaintBrighten);
    }
}

void EditorView::initGl()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    initSceneLights();
}

void EditorView::display()
{
    // Requests from here on wake the loop again.
    redisplay_.take();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!play_)
        return;
    const PlayField& play = *play_;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    camera_.applyProjection(viewport_);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    camera_.applyCamera();

    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    drawPitGrid(play.width(), play.depth(), play.pitHeight());
    placeSceneLights();
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    if (editMode_)
        drawEditMode(play);
    else
        drawLandedCubes(play);
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

void EditorView::drawEditMode(const PlayField& play)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawEditLayer(play, layer_, ghost_, hovered_, selection_);
    drawFaintLayers(play, layer_);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

} // namespace cubrava
