// The OpenGL side of EditorView: the frame in either mode, and what idle
// moments draw ahead for it.
#include "EditorView.h"

#include "EditCubes.h"
#include "model/Pit.h"
#include "render/PitDrawing.h"
#include "render/RedisplayRequest.h"

#include <GL/gl.h>

namespace cubrava {

void EditorView::initGl()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    initSceneLights();
    layerLabel_.open();
}

void EditorView::display(RenderContext& context)
{
    display(context, cubes_);
}

void EditorView::display(RenderContext& context, EditCubes& cubes)
{
    // Requests from here on wake the loop again.
    redisplay_.take();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!pit_)
        return;
    const Pit& pit = *pit_;
    inScene([&] {
        drawPitGrid(pit.width(), pit.depth(), pit.pitHeight());
        placeSceneLights();
        enableCubeLighting();
        if (editMode_)
            cubes.drawEditMode(context, pit, cells_, layer_, ghost_, hovered_, selection_, viewport_);
        else
            cubes.drawCameraMode(context, pit, cells_);
        disableCubeLighting();
    });
    if (editMode_)
        layerLabel_.draw(context, viewport_, layer_, pit.pitHeight());
}

bool EditorView::prepareAhead(RenderContext& context)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (!pit_ || !editMode_ || !cubes_.hasWorkAhead())
        return false;
    bool more = false;
    inScene([&] {
        placeSceneLights();
        enableCubeLighting();
        more = cubes_.prepareAhead(context, cells_, layer_, viewport_);
        disableCubeLighting();
    });
    // The renderer draws when it must: now, not in the next frame.
    glFinish();
    return more;
}

void EditorView::inScene(const std::function<void()>& draw)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    camera_.applyProjection(viewport_);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    camera_.applyCamera();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    draw();
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace cubrava
