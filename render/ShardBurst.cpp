#include "ShardBurst.h"

#include "data/ProcessWide.h"
#include "model/Pit.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace cubrava {

namespace {

constexpr float Pi = 3.14159265f;

float r()
{
    return static_cast<float>(cubrava::rand()) * (1.0f / 32767.0f);
}

float length(const float v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// Rotation matrix of glRotate: degrees about an axis (normalised here).
void rotation(float degrees, const float axis[3], float m[3][3])
{
    const float len = length(axis);
    if (len == 0.0f || degrees == 0.0f) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = i == j ? 1.0f : 0.0f;
        return;
    }
    const float x = axis[0] / len, y = axis[1] / len, z = axis[2] / len;
    const float a = degrees * Pi / 180.0f;
    const float c = std::cos(a), s = std::sin(a), t = 1.0f - c;
    m[0][0] = x * x * t + c;
    m[0][1] = x * y * t - z * s;
    m[0][2] = x * z * t + y * s;
    m[1][0] = y * x * t + z * s;
    m[1][1] = y * y * t + c;
    m[1][2] = y * z * t - x * s;
    m[2][0] = x * z * t - y * s;
    m[2][1] = y * z * t + x * s;
    m[2][2] = z * z * t + c;
}

void apply(const float m[3][3], const float v[3], float out[3])
{
    for (int i = 0; i < 3; ++i)
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
}

} // namespace

ShardBurst::ShardBurst(const Pit& pit, int layer)
    : originX_(pit.width() * 0.5f)
    , originY_(pit.depth() * 0.5f)
    , shards_(Count)
{
    for (Shard& shard : shards_)
        start(shard, pit, layer);
    arrays_.reserve(static_cast<std::size_t>(Count) * 3, 0, true);
}

void ShardBurst::start(Shard& s, const Pit& pit, int layer)
{
    // A pit is never narrower than one cell; the guard keeps % away from 0.
    const int width = std::max(1, pit.width());
    const int depth = std::max(1, pit.depth());
    const int life = cubrava::rand() % 50 + 100;
    s.alive = 1;
    s.alpha = 1.0f;
    s.alphaStep = -1.0f / life;

    const int cx = cubrava::rand() % width;
    const int cy = cubrava::rand() % depth;
    // The layer is full when it clears; a cell found empty gives a white shard.
    const Cell* cell = pit.cellAt(
        CellPos { static_cast<std::int8_t>(cx), static_cast<std::int8_t>(cy), static_cast<std::int8_t>(layer) });
    if (cell && cell->material) {
        s.red = cell->material->red;
        s.green = cell->material->green;
        s.blue = cell->material->blue;
    } else {
        s.red = s.green = s.blue = 1.0f;
    }

    // One of four planes inside the cell, 0.02 in from its sides.
    const int plane = cubrava::rand() % 4;
    for (auto& v : s.vertices) {
        switch (plane) {
        case 0:
            v[0] = cx + 0.02f;
            v[1] = cy + r() * 0.46f + 0.02f;
            break;
        case 1:
            v[0] = cx + 0.48f;
            v[1] = cy + r() * 0.46f + 0.02f;
            break;
        case 2:
            v[0] = cx + r() * 0.46f + 0.02f;
            v[1] = cy + 0.02f;
            break;
        default:
            v[0] = cx + r() * 0.46f + 0.02f;
            v[1] = cy + 0.48f;
            break;
        }
        v[2] = layer + r();
        v[0] -= width / 2.0f;
        v[1] -= depth / 2.0f;
    }

    for (int axis = 0; axis < 3; ++axis) {
        s.centre[axis] = (s.vertices[0][axis] + s.vertices[1][axis] + s.vertices[2][axis]) / 3.0f;
        for (auto& v : s.vertices)
            v[axis] -= s.centre[axis];
    }

    const float* a = s.vertices[0];
    const float* b = s.vertices[1];
    const float* c = s.vertices[2];
    const float e1[3] = { a[0] - b[0], a[1] - b[1], a[2] - b[2] };
    const float e2[3] = { b[0] - c[0], b[1] - c[1], b[2] - c[2] };
    float n[3] = { e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0] };
    const float nLen = length(n);
    if (nLen > 0.0f) {
        for (int i = 0; i < 3; ++i)
            s.normal[i] = n[i] / nLen;
    } else {
        // Three points in a line: any normal of the plane they were cut from.
        s.normal[0] = plane < 2 ? 1.0f : 0.0f;
        s.normal[1] = plane < 2 ? 0.0f : 1.0f;
        s.normal[2] = 0.0f;
    }

    const float reach = std::sqrt(s.centre[0] * s.centre[0] + s.centre[1] * s.centre[1]);
    s.dir[0] = reach > 0 ? s.centre[0] / reach : 1.0f;
    s.dir[1] = reach > 0 ? s.centre[1] / reach : 0.0f;
    s.dir[2] = 0.0f;

    s.speed = (r() * 0.1f + 0.2f) * width * 0.2f;

    s.spin = 0.0f;
    s.spinAxis[0] = r();
    s.spinAxis[1] = r();
    s.spinAxis[2] = r();
    s.spinStep = r() * 15.0f;
}

void ShardBurst::step()
{
    for (Shard& s : shards_) {
        if (!s.alive)
            continue;
        s.alpha = std::min(1.0f, std::max(0.0f, s.alpha + s.alphaStep));
        if (s.alpha == 0.0f) {
            s.alive = 0;
            --liveCount_;
            continue;
        }
        if (s.speed > 0.05f)
            s.speed *= 0.97f;
        for (int i = 0; i < 3; ++i)
            s.centre[i] += s.speed * s.dir[i];
        s.spin += s.spinStep;
    }
}

void ShardBurst::fillArrays(ParticleArrays& out) const
{
    float* p = out.positions.data();
    float* nrm = out.normals.data();
    float* col = out.colours.data();
    std::size_t vertices = 0;
    for (const Shard& s : shards_) {
        if (!s.alive)
            continue;
        float m[3][3];
        rotation(s.spin, s.spinAxis, m);
        float normal[3];
        apply(m, s.normal, normal);
        for (const auto& v : s.vertices) {
            float turned[3];
            apply(m, v, turned);
            for (int i = 0; i < 3; ++i) {
                *p++ = s.centre[i] + turned[i];
                *nrm++ = normal[i];
            }
            *col++ = s.red;
            *col++ = s.green;
            *col++ = s.blue;
            *col++ = s.alpha;
        }
        vertices += 3;
    }
    out.vertexCount = vertices;
}

bool ShardBurst::draw(RenderContext& context)
{
    fillArrays(arrays_);
    if (arrays_.vertexCount > 0) {
        glPushMatrix();
        glTranslatef(originX_, originY_, 0.0f);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHT1);
        glDepthMask(GL_FALSE);

        drawParticleArrays(context, arrays_);

        glPopMatrix();
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_LIGHT1);
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    return liveCount_ > 0;
}

} // namespace cubrava
