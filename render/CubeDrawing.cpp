#include "CubeDrawing.h"

#include "CubeGeometry.h"
#include "RenderContext.h"

#include <GL/gl.h>

namespace cubrava {

void prepareTexture(RenderContext& context, const Material& material)
{
    context.texture(material.textureName);
}

void drawCube(RenderContext& context, const Material& material, int x, int y, int z, Orientation orientation,
    float alpha, float brighten)
{
    drawCube(material, context.texture(material.textureName), x, y, z, orientation, alpha, brighten);
}

void drawCube(const Material& material, unsigned texture, int x, int y, int z, Orientation orientation, float alpha,
    float brighten)
{
    glColor4f(material.red + brighten, material.green + brighten, material.blue + brighten, alpha);

    glPushMatrix();
    glTranslatef(x + 0.5f, y + 0.5f, z + 0.5f);
    const DrawRotations turns = drawRotations(orientation);
    for (int i = 0; i < turns.count; ++i)
        glRotatef(turns.steps[i].angle, turns.steps[i].x, turns.steps[i].y, turns.steps[i].z);

    // An untextured cube leaves texturing off: binding texture 0 would only
    // make the renderer sample an incomplete texture.
    const bool textured = texture != 0;
    if (textured) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_TEXTURE_2D);
    }

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, cubeVertices().data());
    glDrawArrays(GL_TRIANGLES, 0, CubeTriangleVertices);
    glDrawArrays(GL_QUADS, CubeTriangleVertices, CubeQuadVertices);
    glPopClientAttrib();

    if (textured)
        glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

} // namespace cubrava
