#include "SparkBurst.h"

#include "data/ProcessWide.h"
#include "model/Pit.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace cubrava {

namespace {

constexpr float Pi = 3.14159265f;
constexpr float OrangeR = 1.0f, OrangeG = 0.5f, OrangeB = 0.0f;
constexpr float DarkGrey = 0.2f;
constexpr float LightGrey = 0.6f;

// A fresh value from 0 to 1.
float r()
{
    return static_cast<float>(cubrava::rand()) * (1.0f / 32767.0f);
}

float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

} // namespace

SparkBurst::SparkBurst(const Pit& pit, int layer)
    : SparkBurst(pit.width(), pit.depth(), layer)
{
}

SparkBurst::SparkBurst(int pitWidth, int pitDepth, int layer)
    : width_(static_cast<float>(pitWidth))
    , depth_(static_cast<float>(pitDepth))
    , originX_(pitWidth * 0.5f)
    , originY_(pitDepth * 0.5f)
    , sparks_(Count)
{
    for (Spark& spark : sparks_)
        start(spark, layer);
    arrays_.reserve(static_cast<std::size_t>(Count) * 6, static_cast<std::size_t>(Count) * 24, false);
}

void SparkBurst::start(Spark& s, int layer)
{
    // Every r() is a draw of its own, in this order, so a seeded run repeats.
    const int life = cubrava::rand() % 45 + 50;
    s.alive = 1;
    s.phase = 1;
    s.swing = 0;
    s.swingStep = 0;
    s.alpha = 0.5f;
    s.alphaStep = -0.3f / life;

    s.red = s.green = s.blue = 1.0f;
    s.redStep = (OrangeR - s.red) / life;
    s.greenStep = (OrangeG - s.green) / life;
    s.blueStep = (OrangeB - s.blue) / life;

    s.x = r() * width_ - width_ / 2;
    s.y = r() * depth_ - depth_ / 2;
    s.z = layer + r();

    // layer - z is never above z: the diamond is mirrored, sized by the
    // spark's height above the layer's floor, and grows by half over its life.
    s.halfSize = r() * std::min(s.z, layer - s.z) * 0.5f;
    s.halfSizeStep = s.halfSize * 0.5f / life;

    const float reach = std::sqrt(s.x * s.x + s.y * s.y);
    s.dirX = reach > 0 ? s.x / reach : 1.0f;
    s.dirY = reach > 0 ? s.y / reach : 0.0f;
    s.dirZ = r() + 0.5f;

    s.speed = (r() * 0.05f + 0.1f) * width_ * 0.2f;
    s.savedSpeed = 0;
    s.riseSpeed = 0;
}

void SparkBurst::step()
{
    for (Spark& s : sparks_) {
        if (!s.alive)
            continue;

        s.alpha = clamp01(s.alpha + s.alphaStep);
        if (s.alpha == 0.0f) {
            s.alive = 0;
            --liveCount_;
            continue;
        }

        if (s.phase == 1 && s.green <= 0.5f) {
            s.phase = 2;
            const int n = cubrava::rand() % 25 + 30;
            s.redStep = (DarkGrey - s.red) / n;
            s.greenStep = (DarkGrey - s.green) / n;
            s.blueStep = (DarkGrey - s.blue) / n;
            s.alphaStep = 0;
        } else if (s.phase == 2 && s.red <= 0.2f) {
            s.phase = 3;
            const int n = cubrava::rand() % 25 + 30;
            s.redStep = (LightGrey - s.red) / n;
            s.greenStep = (LightGrey - s.green) / n;
            s.blueStep = (LightGrey - s.blue) / n;
            s.alphaStep = -s.alpha / n;
        }

        s.swing += s.swingStep;
        if (s.swingStep == 0.0f) {
            if (s.speed > 0.05f)
                s.speed *= 0.97f;
            // About one pit width out, the spark turns round and rises.
            if (width_ + r() * 0.5f < std::sqrt(s.x * s.x + s.y * s.y)) {
                s.savedSpeed = s.speed;
                s.swingStep = 0.9f * Pi / (cubrava::rand() % 25 + 100);
            }
        } else if (s.swing < Pi) {
            s.speed = std::cos(0.8f * s.swing) * s.savedSpeed;
            s.riseSpeed = std::fabs(std::sin(s.swing)) * 0.05f;
        } else {
            s.speed *= 0.85f;
        }

        s.red = clamp01(s.red + s.redStep);
        s.green = clamp01(s.green + s.greenStep);
        s.blue = clamp01(s.blue + s.blueStep);

        s.x += s.speed * s.dirX;
        s.y += s.speed * s.dirY;
        s.z += s.riseSpeed * s.dirZ;
        s.halfSize += s.halfSizeStep;
    }
}

void SparkBurst::fillArrays(ParticleArrays& out, const float eye[3]) const
{
    // The faces of a diamond, counter-clockwise from outside, as indices
    // into top (0), bottom (1) and the middle square's corners (2 to 5).
    static const int faces[8][3]
        = { { 0, 2, 3 }, { 0, 3, 4 }, { 0, 4, 5 }, { 0, 5, 2 }, { 1, 2, 5 }, { 1, 5, 4 }, { 1, 4, 3 }, { 1, 3, 2 } };

    float* p = out.positions.data();
    float* c = out.colours.data();
    std::uint32_t* index = out.indices.data();
    std::uint32_t vertices = 0;
    for (const Spark& s : sparks_) {
        // A negative size mirrors the diamond onto itself: same shape.
        const float h = std::fabs(s.halfSize);
        if (!s.alive || h == 0.0f)
            continue;
        const float ex = eye[0] - s.x, ey = eye[1] - s.y, ez = eye[2] - s.z;
        const float alpha = 1.0f - (1.0f - s.alpha) * (1.0f - s.alpha);
        auto vertex = [&](float x, float y, float z) {
            *p++ = x;
            *p++ = y;
            *p++ = z;
            *c++ = s.red;
            *c++ = s.green;
            *c++ = s.blue;
            *c++ = alpha;
        };

        // Seen from where both points fall inside the square, the square is the outline.
        const float above = std::fabs(ez) - h;
        if (above > std::fabs(ex) && above > std::fabs(ey)) {
            vertex(s.x - h, s.y - h, s.z);
            vertex(s.x + h, s.y - h, s.z);
            vertex(s.x + h, s.y + h, s.z);
            vertex(s.x - h, s.y + h, s.z);
            for (std::uint32_t i : { 0u, 1u, 2u, 0u, 2u, 3u })
                *index++ = vertices + i;
            vertices += 4;
            continue;
        }

        const float corner[6][3] = {
            { s.x, s.y, s.z + h },
            { s.x, s.y, s.z - h },
            { s.x - h, s.y - h, s.z },
            { s.x + h, s.y - h, s.z },
            { s.x + h, s.y + h, s.z },
            { s.x - h, s.y + h, s.z },
        };
        for (const auto& v : corner)
            vertex(v[0], v[1], v[2]);
        for (const auto& f : faces) {
            const float* a = corner[f[0]];
            const float* b = corner[f[1]];
            const float* d = corner[f[2]];
            const float u[3] = { b[0] - a[0], b[1] - a[1], b[2] - a[2] };
            const float w[3] = { d[0] - a[0], d[1] - a[1], d[2] - a[2] };
            const float n[3] = { u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0] };
            if ((eye[0] - a[0]) * n[0] + (eye[1] - a[1]) * n[1] + (eye[2] - a[2]) * n[2] <= 0.0f)
                continue;
            *index++ = vertices + static_cast<std::uint32_t>(f[0]);
            *index++ = vertices + static_cast<std::uint32_t>(f[1]);
            *index++ = vertices + static_cast<std::uint32_t>(f[2]);
        }
        vertices += 6;
    }
    out.vertexCount = vertices;
    out.indexCount = static_cast<std::size_t>(index - out.indices.data());
}

bool SparkBurst::draw(RenderContext& context)
{
    if (liveCount_ > 0) {
        glPushMatrix();
        glTranslatef(originX_, originY_, 0.0f);
        float eye[3];
        currentEyePosition(eye);
        fillArrays(arrays_, eye);

        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // Translucent sparks must not hide each other.
        glDepthMask(GL_FALSE);
        // One colour per spark: flat shading looks the same and fills faster.
        glShadeModel(GL_FLAT);
        drawParticleArrays(context, arrays_);
        glShadeModel(GL_SMOOTH);
        glPopMatrix();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    }
    return liveCount_ > 0;
}

} // namespace cubrava
