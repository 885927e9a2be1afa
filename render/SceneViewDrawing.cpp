// The OpenGL side of SceneView: lights, projection, camera and the lists.
#include "SceneView.h"

#include "DisplayService.h"
#include "ParticleArrays.h"
#include "PitDrawing.h"
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

void SceneView::initGl()
{
    // A new rendering context: the old one's buffers went with it.
    landed_.forgetBuffers();
    forgetParticleBuffers();
    deleteLists();
    initSceneLights();
}

void SceneView::draw()
{
    if (!play_) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    dropStaleLists();
    const PlayField& play = *play_;
    if (staticList_ == 0 || !landedBuilt_)
        buildStatic();
    if (pieceList_ == 0) {
        preparePieceTextures(play);
        ensureList(pieceList_, [&play] { drawPieceContent(play); });
    }

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    control_.applyProjection(viewport_);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    control_.applyCamera();

    if (staticList_ != 0)
        display_.callList(staticList_);
    else
        drawStaticContent(play.pit(), landedCubes_);
    drawLandedBatch(landed_);
    if (pieceList_ != 0)
        display_.callList(pieceList_);
    else
        drawPieceContent(play);

    drawForwardMarker(control_.limits());

    if (!effects_.empty())
        effects_.drawAll();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void SceneView::drawForwardMarker(const CameraLimits& limits)
{
    const int layers = limits.height;
    ensureList(markerList_, [layers] { drawMarkerArrowheads(layers); });

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
    if (markerList_ != 0)
        display_.callList(markerList_);
    else
        drawMarkerArrowheads(layers);
    glPopMatrix();

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

} // namespace cubrava
