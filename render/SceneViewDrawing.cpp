// The OpenGL side of SceneView: lights, projection, camera and the lists.
#include "SceneView.h"

#include "PitDrawing.h"
#include "RenderContext.h"
#include "ViewSector.h"
#include "model/PlayField.h"

#include <GL/gl.h>

#include <cmath>

namespace cubrava {

namespace {

// Arrowheads stacked one per layer: three-sided pyramids on an equilateral
// base of side 0.6 in the plane y = 0, pointing along +y.
void drawMarkerArrowheads(int layers)
{
    const float tip = static_cast<float>(0.3 * std::sqrt(3.0)); // 0.5196
    const float diagonal = static_cast<float>(std::sqrt(0.5)); // 0.7071
    for (int k = 0; k < layers; ++k) {
        const float z = static_cast<float>(k);
        glBegin(GL_TRIANGLE_FAN);
        glNormal3f(0.0f, 1.0f, 0.0f);
        glVertex3f(0.3f, tip, tip / 2 + z);
        glNormal3f(diagonal, 0.0f, -diagonal);
        glVertex3f(0.6f, 0.0f, z);
        glNormal3f(-diagonal, 0.0f, -diagonal);
        glVertex3f(0.0f, 0.0f, z);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glVertex3f(0.3f, 0.0f, tip + z);
        glNormal3f(diagonal, 0.0f, -diagonal);
        glVertex3f(0.6f, 0.0f, z);
        glEnd();
    }
}

} // namespace

// What the view keeps in a rendering context.
struct SceneView::Lists {
    KeptList grid; // the static list
    KeptList piece;
    KeptList marker; // its version: the layers it stacks, plus one
};

void SceneView::initGl()
{
    initSceneLights();
}

void SceneView::prepare(RenderContext& context)
{
    if (!play_)
        return;
    const PlayField& play = *play_;
    Lists& lists = context.kept<Lists>(key_);
    context.compile(lists.grid, staticVersion_, [&play] { drawStaticContent(play.pit()); });
    if (lists.piece.version != pieceVersion_) {
        // Made now, so they are not recorded into the list.
        preparePieceTextures(context, play);
        context.compile(lists.piece, pieceVersion_, [&context, &play] { drawPieceContent(context, play); });
    }
    const int layers = control_.limits().height;
    context.compile(lists.marker, static_cast<std::uint64_t>(layers) + 1, [layers] { drawMarkerArrowheads(layers); });
}

void SceneView::draw(RenderContext& context)
{
    draw(context, landed_);
}

void SceneView::draw(RenderContext& context, LandedCubesDrawing& landed)
{
    if (!play_) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    prepare(context);
    const PlayField& play = *play_;
    const Lists& lists = context.kept<Lists>(key_);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    control_.applyProjection(viewport_);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    control_.applyCamera();

    context.call(lists.grid, [&play] { drawStaticContent(play.pit()); });
    landed.draw(context, play.pit(), staticVersion_);
    context.call(lists.piece, [&context, &play] { drawPieceContent(context, play); });
    drawForwardMarker(context, lists.marker, control_.limits().height);

    if (!effects_.empty())
        effects_.drawAll(context);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void SceneView::drawForwardMarker(RenderContext& context, const KeptList& list, int layers)
{
    const CameraLimits limits = control_.limits();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glColor3f(1.0f, 1.0f, 0.0f);

    glPushMatrix();
    const MarkerPlacement at = markerPlacement(viewSector(), limits.width, limits.depth);
    glRotatef(at.rotationDegrees, 0.0f, 0.0f, 1.0f);
    glTranslatef(at.x, at.y, at.z);
    context.call(list, [layers] { drawMarkerArrowheads(layers); });
    glPopMatrix();

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

} // namespace cubrava
