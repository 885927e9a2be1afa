#include "Splash.h"

#include "CubeScene.h"
#include "Paint.h"
#include "Rng.h"
#include "StrokeFont.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace cubrava::assetgen {

namespace {

// Painted three times larger, then reduced: cheap, even anti-aliasing.
constexpr int Scale = 3;
constexpr float S = static_cast<float>(Scale);

void paintBackground(Image& canvas, Rng& rng)
{
    const Rgb top { 0.02f, 0.04f, 0.12f };
    const Rgb bottom { 0.08f, 0.03f, 0.14f };
    for (int y = 0; y < canvas.height(); ++y) {
        float t = static_cast<float>(y) / static_cast<float>(canvas.height());
        for (int x = 0; x < canvas.width(); ++x) {
            float fx = static_cast<float>(x) / S, fy = static_cast<float>(y) / S;
            float titleGlow = std::exp(
                -((fx - 263.0f) * (fx - 263.0f) / (260.0f * 260.0f) + (fy - 80.0f) * (fy - 80.0f) / (90.0f * 90.0f)));
            float pitGlow
                = std::exp(-((fx - 263.0f) * (fx - 263.0f) + (fy - 270.0f) * (fy - 270.0f)) / (150.0f * 150.0f));
            canvas.at(x, y)
                = mix(top, bottom, t) + Rgb { 0.05f, 0.13f, 0.28f } * titleGlow + Rgb { 0.10f, 0.04f, 0.16f } * pitGlow;
        }
    }
    for (int i = 0; i < 140; ++i) {
        float x = static_cast<float>(rng.range(0.0, 527.0)) * S;
        float y = static_cast<float>(rng.range(0.0, 392.0)) * S;
        float size = static_cast<float>(rng.range(0.3, 0.9)) * S;
        float brightness = static_cast<float>(rng.range(0.25, 0.8));
        stampDisc(canvas, x, y, size, { 0.8f, 0.88f, 1.0f }, brightness, false);
    }
}

// A small four-pointed spark, like the ones a cleared layer throws.
void paintSpark(Image& canvas, float x, float y, float size, Rgb colour, float strength)
{
    stampDisc(canvas, x, y, size * 0.9f, colour, 0.25f * strength, false);
    stampSegment(canvas, x - size * 2.5f, y, x + size * 2.5f, y, size * 0.18f, colour, 0.8f * strength, false);
    stampSegment(canvas, x, y - size * 2.5f, x, y + size * 2.5f, size * 0.18f, colour, 0.8f * strength, false);
    stampDisc(canvas, x, y, size * 0.35f, { 1.0f, 1.0f, 1.0f }, strength, false);
}

void paintPitLines(Image& canvas, const Camera& camera, int size, int height, bool front)
{
    const Rgb line { 0.40f, 0.55f, 0.85f };
    const float w = 0.55f * S;
    auto segment = [&](Vec3 a, Vec3 b, float opacity) {
        Point2 p = camera.project(a), q = camera.project(b);
        stampSegment(canvas, p.x, p.y, q.x, q.y, w, line, opacity, false);
    };
    const float n = static_cast<float>(size), h = static_cast<float>(height);
    if (front) {
        segment({ 0, 0, h }, { n, 0, h }, 0.8f);
        segment({ 0, 0, 0 }, { 0, 0, h }, 0.5f);
        segment({ n, 0, 0 }, { n, 0, h }, 0.5f);
        return;
    }
    for (int i = 0; i <= size; ++i) {
        float f = static_cast<float>(i);
        segment({ f, 0, 0 }, { f, n, 0 }, 0.45f);
        segment({ 0, f, 0 }, { n, f, 0 }, 0.45f);
        segment({ f, n, 0 }, { f, n, h }, 0.25f); // back wall
        segment({ 0, f, 0 }, { 0, f, h }, 0.25f); // side walls
        segment({ n, f, 0 }, { n, f, h }, 0.25f);
    }
    for (int k = 1; k <= height; ++k) {
        float z = static_cast<float>(k);
        float opacity = k == height ? 0.8f : 0.25f;
        segment({ 0, n, z }, { n, n, z }, opacity);
        segment({ 0, 0, z }, { 0, n, z }, opacity);
        segment({ n, 0, z }, { n, n, z }, opacity);
    }
}

std::vector<Cube> pitContents()
{
    const Rgb red = hex(0xEB3737), orange = hex(0xFF8A1E), yellow = hex(0xF5D22D), green = hex(0x3CD23C),
              cyan = hex(0x28D2F0), blue = hex(0x3C64FF), purple = hex(0xA050F0), pink = hex(0xFF5AC8),
              lime = hex(0xB4E632);
    std::vector<Cube> cubes;
    // Layer maps, back row (y = 4) first.
    const char* layers[2][5]
        = { { "RROYY", "BG.YP", "BGGCP", "LL.CC", "OORR." }, { "PP..B", "....B", "....C", "L....", "O...." } };
    for (int z = 0; z < 2; ++z)
        for (int row = 0; row < 5; ++row)
            for (int x = 0; x < 5; ++x) {
                char c = layers[z][row][x];
                Rgb colour = c == 'R' ? red
                    : c == 'O'        ? orange
                    : c == 'Y'        ? yellow
                    : c == 'G'        ? green
                    : c == 'C'        ? cyan
                    : c == 'B'        ? blue
                    : c == 'P'        ? purple
                    : c == 'L'        ? lime
                                      : Rgb {};
                if (c != '.')
                    cubes.push_back({ x, 4 - row, z, colour });
            }
    // The falling piece, on its way down.
    for (Cube c : { Cube { 1, 2, 3, pink }, Cube { 2, 2, 3, pink }, Cube { 3, 2, 3, pink }, Cube { 2, 2, 4, pink } })
        cubes.push_back(c);
    return cubes;
}

// A distance field of stroked text, so glow, outline, depth and fill are
// all read from one computation.
class TextField {
public:
    TextField(const std::vector<Segment>& strokes, int left, int top, int right, int bottom)
        : left_(left)
        , top_(top)
        , width_(right - left)
        , height_(bottom - top)
        , distance_(static_cast<std::size_t>(width_ * height_), std::numeric_limits<float>::max())
    {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                float px = static_cast<float>(left_ + x) + 0.5f, py = static_cast<float>(top_ + y) + 0.5f;
                float& d = distance_[static_cast<std::size_t>(y * width_ + x)];
                for (const Segment& s : strokes)
                    d = std::min(d, segmentDistance(px, py, s.x0, s.y0, s.x1, s.y1));
            }
    }

    // Distance from a canvas pixel to the nearest stroke centre line.
    float at(int x, int y) const
    {
        x -= left_;
        y -= top_;
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return std::numeric_limits<float>::max();
        return distance_[static_cast<std::size_t>(y * width_ + x)];
    }

    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return left_ + width_; }
    int bottom() const { return top_ + height_; }

private:
    int left_, top_, width_, height_;
    std::vector<float> distance_;
};

void paintTitle(Image& canvas)
{
    const std::string title = "Cubrava";
    TextStyle style { 10.6f * S, 0.16f, 1.6f };
    const float capHeight = 6.0f * style.unit;
    const float width = textWidth(title, style) + style.slant * capHeight;
    const float x = (static_cast<float>(canvas.width()) - width) * 0.5f;
    const float baseline = 100.0f * S;
    const float pen = 0.62f * style.unit;
    const float margin = 16.0f * S;
    TextField field(layoutText(title, x, baseline, style), static_cast<int>(x - margin),
        static_cast<int>(baseline - capHeight - margin), static_cast<int>(x + width + margin),
        static_cast<int>(baseline + margin));

    const Rgb glow { 0.25f, 0.6f, 1.0f };
    const Rgb depth { 0.42f, 0.14f, 0.05f };
    const Rgb outline { 0.07f, 0.03f, 0.02f };
    const Rgb top { 1.0f, 0.95f, 0.62f };
    const Rgb bottom { 1.0f, 0.52f, 0.12f };
    const int extrude = static_cast<int>(5.0f * S);
    for (int y = std::max(0, field.top()); y < std::min(canvas.height(), field.bottom()); ++y) {
        for (int x = std::max(0, field.left()); x < std::min(canvas.width(), field.right()); ++x) {
            Rgb& pixel = canvas.at(x, y);
            float d = field.at(x, y);
            float deep = d;
            for (int k = 1; k <= extrude; ++k)
                deep = std::min(deep, field.at(x - k / 2, y - k));
            // Glow under everything, then the extruded side, outline and face.
            float halo = std::exp(-std::max(0.0f, std::min(d, deep) - pen) / (7.0f * S));
            pixel = pixel + glow * (0.35f * halo);
            pixel = mix(pixel, outline, coverage(deep, pen + 0.9f * S));
            pixel = mix(pixel, depth, coverage(deep, pen));
            pixel = mix(pixel, outline, coverage(d, pen + 0.9f * S));
            float t = clamp01((static_cast<float>(y) - (baseline - capHeight)) / capHeight);
            Rgb face = mix(top, bottom, t);
            if (t < 0.45f)
                face = mix(face, { 1.0f, 1.0f, 0.95f }, 0.25f * (1.0f - t / 0.45f));
            pixel = mix(pixel, face, coverage(d, pen));
        }
    }
}

void paintTagline(Image& canvas, const std::string& text, float baseline, float unit, Rgb colour)
{
    TextStyle style { unit * S, 0.0f, 2.2f };
    const float width = textWidth(text, style);
    const float x = (static_cast<float>(canvas.width()) - width) * 0.5f;
    const float pen = 0.42f * style.unit;
    for (const Segment& s : layoutText(text, x, baseline * S, style))
        stampSegment(canvas, s.x0, s.y0, s.x1, s.y1, pen, colour, 1.0f, false);
}

} // namespace

Image paintSplash()
{
    Rng rng(0x73706c617368ull);
    Image canvas(SplashWidth * Scale, SplashHeight * Scale);
    paintBackground(canvas, rng);

    const Camera camera({ 2.5f, -5.0f, 11.0f }, { 2.5f, 2.2f, 1.4f }, 360.0f, { 263.5f, 256.0f }, S);
    paintPitLines(canvas, camera, 5, 5, false);
    paintCubes(canvas, camera, pitContents(), 0.45f * S);
    paintPitLines(canvas, camera, 5, 5, true);

    // Sparks rising from the pit, as a layer clears.
    for (int i = 0; i < 26; ++i) {
        float angle = static_cast<float>(rng.range(0.0, 6.2831853));
        float radius = static_cast<float>(rng.range(120.0, 190.0));
        float x = 263.5f + radius * std::cos(angle) * 1.1f;
        float y = 262.0f + radius * std::sin(angle) * 0.55f;
        if (y > 345.0f || y < 150.0f)
            continue;
        Rgb colour = i % 3 == 0 ? Rgb { 1.0f, 0.85f, 0.4f } : Rgb { 0.6f, 0.85f, 1.0f };
        paintSpark(canvas, x * S, y * S, static_cast<float>(rng.range(1.2, 2.6)) * S, colour,
            static_cast<float>(rng.range(0.5, 1.0)));
    }

    paintTitle(canvas);
    paintTagline(canvas, "Turn it.  Drop it.  Clear it.", 378.0f, 2.3f, { 0.78f, 0.88f, 1.0f });

    Image splash = downsample(canvas, Scale);
    // A thin frame: the splash window has no border of its own.
    for (int x = 0; x < SplashWidth; ++x) {
        splash.at(x, 0) = splash.at(x, SplashHeight - 1) = { 0.35f, 0.5f, 0.8f };
    }
    for (int y = 0; y < SplashHeight; ++y) {
        splash.at(0, y) = splash.at(SplashWidth - 1, y) = { 0.35f, 0.5f, 0.8f };
    }
    return splash;
}

} // namespace cubrava::assetgen
