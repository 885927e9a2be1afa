#define GL_GLEXT_PROTOTYPES
#include "ParticleArrays.h"

#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace cubrava {

void currentEyePosition(float eye[3])
{
    // The eye is the origin of eye space: invert the affine modelview.
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (det == 0.0) {
        eye[0] = eye[1] = eye[2] = 0.0f;
        return;
    }
    const double inv[9] = { (e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det, (f * g - d * i) / det,
        (a * i - c * g) / det, (c * d - a * f) / det, (d * h - e * g) / det, (b * g - a * h) / det,
        (a * e - b * d) / det };
    const double t[3] = { m[12], m[13], m[14] };
    for (int r = 0; r < 3; ++r)
        eye[r] = static_cast<float>(-(inv[r * 3] * t[0] + inv[r * 3 + 1] * t[1] + inv[r * 3 + 2] * t[2]));
}

void drawParticleArrays(RenderContext& context, const ParticleArrays& a)
{
    if (a.vertexCount == 0)
        return;
    const bool lit = !a.normals.empty();
    const std::size_t positionBytes = a.vertexCount * 3 * sizeof(float);
    const std::size_t colourBytes = a.vertexCount * 4 * sizeof(float);
    const std::size_t normalBytes = lit ? positionBytes : 0;

    // Buffer objects spare the renderer a copy and a scan of the client
    // arrays on every draw; older renderers take the arrays as they are.
    const RenderContext::StreamBuffers stream = context.streamBuffers();
    const bool buffered = stream.vertices != 0 && stream.indices != 0;

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    if (lit)
        glEnableClientState(GL_NORMAL_ARRAY);

    const char* base = nullptr;
    if (buffered) {
        glBindBuffer(GL_ARRAY_BUFFER, stream.vertices);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positionBytes + colourBytes + normalBytes), nullptr,
            GL_STREAM_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(positionBytes), a.positions.data());
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(positionBytes), static_cast<GLsizeiptr>(colourBytes),
            a.colours.data());
        if (lit)
            glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(positionBytes + colourBytes),
                static_cast<GLsizeiptr>(normalBytes), a.normals.data());
        glVertexPointer(3, GL_FLOAT, 0, base);
        glColorPointer(4, GL_FLOAT, 0, base + positionBytes);
        if (lit)
            glNormalPointer(GL_FLOAT, 0, base + positionBytes + colourBytes);
    } else {
        glVertexPointer(3, GL_FLOAT, 0, a.positions.data());
        glColorPointer(4, GL_FLOAT, 0, a.colours.data());
        if (lit)
            glNormalPointer(GL_FLOAT, 0, a.normals.data());
    }

    if (a.indexCount > 0) {
        if (buffered) {
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, stream.indices);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(a.indexCount * sizeof(std::uint32_t)),
                a.indices.data(), GL_STREAM_DRAW);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(a.indexCount), GL_UNSIGNED_INT, base);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        } else {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(a.indexCount), GL_UNSIGNED_INT, a.indices.data());
        }
    } else {
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(a.vertexCount));
    }
    if (buffered)
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
}

} // namespace cubrava
