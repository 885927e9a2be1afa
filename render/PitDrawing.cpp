#include "PitDrawing.h"

#include "CubeDrawing.h"
#include "model/PlayField.h"

#include <GL/gl.h>

#include <cmath>

namespace cubrava {

void enableCubeLighting()
{
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
}

void disableCubeLighting()
{
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
}

namespace {

// A unit square just outside each wall at the cube's height, so the player
// sees on every wall where the piece is.
void drawWallMarkers(int x, int y, int z, int width, int depth)
{
    const float nearX = -0.1f, farX = width + 0.1f;
    const float nearY = -0.1f, farY = depth + 0.1f;
    for (float wall : { nearX, farX }) {
        glBegin(GL_LINE_LOOP);
        glVertex3f(wall, y, z);
        glVertex3f(wall, y + 1, z);
        glVertex3f(wall, y + 1, z + 1);
        glVertex3f(wall, y, z + 1);
        glEnd();
    }
    for (float wall : { nearY, farY }) {
        glBegin(GL_LINE_LOOP);
        glVertex3f(x, wall, z);
        glVertex3f(x + 1, wall, z);
        glVertex3f(x + 1, wall, z + 1);
        glVertex3f(x, wall, z + 1);
        glEnd();
    }
}

void setLight(GLenum light, float ambient, float diffuse)
{
    const GLfloat a[] = { ambient, ambient, ambient, 1.0f };
    const GLfloat d[] = { diffuse, diffuse, diffuse, 1.0f };
    glLightfv(light, GL_AMBIENT, a);
    glLightfv(light, GL_DIFFUSE, d);
    glLightfv(light, GL_SPECULAR, d);
}

} // namespace

void drawPitGrid(int width, int depth, int height)
{
    glColor3d(0.4, 0.4, 0.4);
    for (int z = 0; z <= height; ++z) {
        glBegin(GL_LINE_LOOP);
        glVertex3i(0, 0, z);
        glVertex3i(width, 0, z);
        glVertex3i(width, depth, z);
        glVertex3i(0, depth, z);
        glEnd();
    }
    for (int x = 0; x <= width; ++x) {
        glBegin(GL_LINE_STRIP);
        glVertex3i(x, 0, height);
        glVertex3i(x, 0, 0);
        glVertex3i(x, depth, 0);
        glVertex3i(x, depth, height);
        glEnd();
    }
    for (int y = 1; y < depth; ++y) {
        glBegin(GL_LINE_STRIP);
        glVertex3i(0, y, height);
        glVertex3i(0, y, 0);
        glVertex3i(width, y, 0);
        glVertex3i(width, y, height);
        glEnd();
    }
}

void initSceneLights()
{
    glShadeModel(GL_SMOOTH);
    setLight(GL_LIGHT0, 0.2f, 0.7f);
    setLight(GL_LIGHT1, 0.1f, 0.3f);
    const GLfloat specular[] = { 0.15f, 0.15f, 0.15f, 1.0f };
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 25.0f);
    const GLfloat ambient[] = { 0.3f, 0.3f, 0.3f, 1.0f };
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void placeSceneLights()
{
    const GLfloat overhead[] = { 0.75f, -0.75f, 1.0f, 0.0f };
    const GLfloat below[] = { 0.0f, 0.0f, -1.0f, 0.0f };
    glLightfv(GL_LIGHT0, GL_POSITION, overhead);
    glLightfv(GL_LIGHT1, GL_POSITION, below);
}

void drawStaticContent(const Pit& pit)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    drawPitGrid(pit.width(), pit.depth(), pit.pitHeight());
    placeSceneLights();
    glDisable(GL_DEPTH_TEST);
}

void drawPieceContent(RenderContext& context, const PlayField& play)
{
    const PieceDef* piece = play.activePiece();
    if (!piece)
        return;
    const CellPos at = play.piecePosition();

    glEnable(GL_DEPTH_TEST);
    glColor3d(1.0, 1.0, 1.0);
    for (const Block& block : piece->blocks)
        drawWallMarkers(at.x + block.x, at.y + block.y, at.z + block.z, play.pit().width(), play.pit().depth());

    enableCubeLighting();
    for (const Block& block : piece->blocks) {
        if (block.material)
            drawCube(context, *block.material, at.x + block.x, at.y + block.y, at.z + block.z, piece->orientation, 1.0f,
                0.0f);
    }

    const int drop = play.dropDistance();
    if (drop != 0) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        for (const Block& block : piece->blocks) {
            if (block.material)
                drawCube(context, *block.material, at.x + block.x, at.y + block.y, at.z + block.z - drop,
                    piece->orientation, 0.25f, 0.6f);
        }
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
    disableCubeLighting();
    glDisable(GL_DEPTH_TEST);
}

void preparePieceTextures(RenderContext& context, const PlayField& play)
{
    if (const PieceDef* piece = play.activePiece())
        for (const Block& block : piece->blocks)
            if (block.material)
                prepareTexture(context, *block.material);
}

} // namespace cubrava
