#include "SelectionPicker.h"

#include "EditDrawing.h"
#include "HitRecords.h"
#include "model/Pit.h"
#include "render/CameraControl.h"
#include "render/CubeDrawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace cubrava {

namespace {

// Every cell of the layer under its pick name, as the view draws it: an
// occupied one as its cube, an empty one as a ghost. Colours and textures
// mean nothing here, only the names and the shapes.
void drawCellNames(const Pit& pit, int layer, const Material& blank)
{
    forEachEditCell(pit, layer, -1, Selection {},
        [&](int x, int y, int name, const Material* material, Orientation orientation, float) {
            glLoadName(static_cast<GLuint>(name));
            drawCube(
                material ? *material : blank, 0, x, y, layer, material ? orientation : Orientation { 0 }, 1.0f, 0.0f);
        });
}

} // namespace

int SelectionPicker::cellAt(const PickScene& scene, int x, int y)
{
    GLint viewport[4] = { 0, 0, 0, 0 };
    glGetIntegerv(GL_VIEWPORT, viewport);
    const ViewRect rect { viewport[0], viewport[1], viewport[2], viewport[3] };

    glSelectBuffer(static_cast<GLsizei>(buffer_.size()), buffer_.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // One pixel: the one under the pointer, rows counted from the bottom.
    gluPickMatrix(x + 0.5, viewport[3] - y - 0.5, 1.0, 1.0, viewport);
    scene.camera.applyProjection(rect);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    scene.camera.applyCamera();

    drawCellNames(scene.pit, scene.layer, blank_);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // -1 when the hits did not fit: no hit rather than a read past the buffer.
    lastHits_ = glRenderMode(GL_RENDER);
    return nearestHitName(buffer_.data(), buffer_.size(), lastHits_);
}

} // namespace cubrava
