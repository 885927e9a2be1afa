#include "Noise.h"
#include "Paint.h"
#include "Rng.h"
#include "Textures.h"

#include <cmath>
#include <vector>

namespace cubrava::assetgen {

namespace {

constexpr float Pi = 3.14159265358979f;

float centre(int i, int size)
{
    return (static_cast<float>(i) + 0.5f) / static_cast<float>(size);
}

Rgb grey(float v)
{
    return { v, v, v };
}

// A domed rivet lit from the upper left, with its shadow on the plate.
void paintRivet(Image& image, float cx, float cy, float radius)
{
    const float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    for (int y = static_cast<int>(cy - radius - 3); y <= static_cast<int>(cy + radius + 3); ++y) {
        for (int x = static_cast<int>(cx - radius - 3); x <= static_cast<int>(cx + radius + 3); ++x) {
            float dx = (static_cast<float>(x) + 0.5f - cx) / radius;
            float dy = (static_cast<float>(y) + 0.5f - cy) / radius;
            float r2 = dx * dx + dy * dy;
            Rgb& pixel = image.wrapped(x, y);
            // Shadow falls down and right of the dome.
            float sx = dx - 0.35f, sy = dy - 0.35f;
            float shadow = 1.0f - smoothstep(1.0f, 1.5f, std::sqrt(sx * sx + sy * sy));
            pixel = pixel * (1.0f - 0.25f * shadow);
            if (r2 >= 1.0f)
                continue;
            float nz = std::sqrt(1.0f - r2);
            float diffuse = std::fmax(0.0f, dx * lx + dy * ly + nz * lz);
            float highlight = std::pow(std::fmax(0.0f, dx * -0.3f + dy * -0.36f + nz * 0.88f), 24.0f);
            float edge = coverage(std::sqrt(r2) * radius, radius - 0.5f);
            pixel = mix(pixel, grey(0.42f + 0.48f * diffuse + 0.3f * highlight), edge);
        }
    }
}

} // namespace

Image paintMarble(int size)
{
    Rng rng(0x6d6172626c65ull);
    FractalNoise turbulence(rng, 2, 2, 4);
    FractalNoise fineTurbulence(rng, 3, 3, 4);
    FractalNoise clouds(rng, 3, 3, 4);
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = centre(x, size), v = centre(y, size);
            // Whole-number slopes keep the veins continuous across the edges.
            float vein = std::fabs(std::sin(Pi * (u + v + 3.0f * turbulence.at(u, v))));
            float fine = std::fabs(std::sin(Pi * (2.0f * u - v + 4.0f * fineTurbulence.at(u, v))));
            float shade = 0.91f + 0.10f * (clouds.at(u, v) - 0.5f);
            shade -= 0.30f * std::pow(1.0f - vein, 14.0f);
            shade -= 0.08f * std::pow(1.0f - vein, 3.0f);
            shade -= 0.07f * std::pow(1.0f - fine, 12.0f);
            image.at(x, y) = { shade * 1.0f, shade * 0.985f, shade * 0.965f };
        }
    }
    return image;
}

Image paintWood(int size)
{
    Rng rng(0x776f6f64ull);
    FractalNoise warp(rng, 2, 6, 4);
    LatticeNoise fibres(rng, 4, 96);
    LatticeNoise pores(rng, 32, 128);
    const Rgb light { 0.97f, 0.86f, 0.68f };
    const Rgb dark { 0.76f, 0.57f, 0.38f };
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = centre(x, size), v = centre(y, size);
            float ring = 7.0f * v + 0.9f * warp.at(u, v) + 0.12f * std::sin(2.0f * Pi * u);
            float band = std::pow(0.5f + 0.5f * std::sin(2.0f * Pi * ring), 3.0f);
            float t = 0.62f * band + 0.28f * fibres.at(u, v) + 0.12f * pores.at(u, v);
            image.at(x, y) = mix(light, dark, clamp01(t));
        }
    }
    return image;
}

Image paintRivetedPlate(int size)
{
    Rng rng(0x726976657473ull);
    LatticeNoise brushed(rng, 6, size);
    FractalNoise wear(rng, 4, 4, 4);
    Image image(size, size);
    const float s = static_cast<float>(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = centre(x, size), v = centre(y, size);
            float shade = 0.80f + 0.08f * (brushed.at(u, v) - 0.5f) + 0.06f * (wear.at(u, v) - 0.5f);
            // Bevelled rim: lit from the upper left.
            float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            float rim = s * 0.05f;
            if (fx < rim || fy < rim)
                shade += 0.12f;
            else if (fx > s - rim || fy > s - rim)
                shade -= 0.16f;
            image.at(x, y) = { shade * 0.98f, shade * 0.99f, shade * 1.02f };
        }
    }
    // A groove just inside the rim.
    float g = s * 0.05f + 0.5f;
    stampSegment(image, g, g, s - g, g, 0.5f, grey(0.45f), 0.8f, false);
    stampSegment(image, g, g, g, s - g, 0.5f, grey(0.45f), 0.8f, false);
    stampSegment(image, s - g, g, s - g, s - g, 0.5f, grey(0.95f), 0.6f, false);
    stampSegment(image, g, s - g, s - g, s - g, 0.5f, grey(0.95f), 0.6f, false);
    const float inset = s * 0.1f;
    const float positions[3] = { inset, s * 0.5f, s - inset };
    for (float py : positions)
        for (float px : positions)
            if (px != s * 0.5f || py != s * 0.5f)
                paintRivet(image, px, py, s * 0.038f);
    return image;
}

Image paintStone(int size)
{
    Rng rng(0x73746f6e65ull);
    CellNoise cells(rng, 5);
    FractalNoise grain(rng, 8, 8, 4);
    LatticeNoise specks(rng, 64, 64);
    std::vector<float> tone(25);
    for (float& t : tone)
        t = static_cast<float>(rng.bipolar());
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = centre(x, size), v = centre(y, size);
            CellNoise::Sample c = cells.at(u, v);
            float edge = c.second - c.nearest;
            float stone = 0.80f + 0.06f * tone[c.cell] + 0.16f * (grain.at(u, v) - 0.5f);
            stone -= 0.12f * (1.0f - smoothstep(0.08f, 0.4f, edge)); // rounded edges
            if (specks.at(u, v) > 0.78f)
                stone -= 0.08f;
            float mortar = 1.0f - smoothstep(0.04f, 0.1f, edge);
            float shade = stone + (0.62f - stone) * mortar;
            image.at(x, y) = { shade * 1.0f, shade * 0.98f, shade * 0.94f };
        }
    }
    return image;
}

Image paintCircuit(int size)
{
    Rng rng(0x63697263756974ull);
    LatticeNoise weave(rng, 32, 32);
    Image image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float w = 0.03f * (weave.at(centre(x, size), centre(y, size)) - 0.5f);
            image.at(x, y) = { 0.82f + w, 0.90f + w, 0.82f + w };
        }

    // Traces run between the nodes of a grid, turning by 45 degrees at most.
    const int step = size / 16;
    const Rgb trace { 0.56f, 0.66f, 0.48f };
    const Rgb pad { 0.96f, 0.88f, 0.60f };
    const int dirX[8] = { 1, 1, 0, -1, -1, -1, 0, 1 };
    const int dirY[8] = { 0, 1, 1, 1, 0, -1, -1, -1 };
    struct Point {
        float x, y;
    };
    std::vector<Point> ends;
    for (int t = 0; t < 18; ++t) {
        int nx = rng.below(16), ny = rng.below(16);
        int dir = rng.below(4) * 2;
        int length = 3 + rng.below(8);
        ends.push_back({ static_cast<float>(nx * step) + step * 0.5f, static_cast<float>(ny * step) + step * 0.5f });
        for (int i = 0; i < length; ++i) {
            int turn = rng.below(6);
            if (turn == 0)
                dir = (dir + 1) % 8;
            else if (turn == 1)
                dir = (dir + 7) % 8;
            float x0 = static_cast<float>(nx * step) + step * 0.5f, y0 = static_cast<float>(ny * step) + step * 0.5f;
            nx += dirX[dir];
            ny += dirY[dir];
            float x1 = static_cast<float>(nx * step) + step * 0.5f, y1 = static_cast<float>(ny * step) + step * 0.5f;
            stampSegment(image, x0, y0, x1, y1, 1.1f, trace, 1.0f, true);
        }
        ends.push_back({ static_cast<float>(nx * step) + step * 0.5f, static_cast<float>(ny * step) + step * 0.5f });
    }
    for (const Point& p : ends) {
        stampDisc(image, p.x, p.y, 2.8f, pad, 1.0f, true);
        stampDisc(image, p.x, p.y, 1.0f, grey(0.5f), 1.0f, true);
    }

    // One chip with its legs.
    float cx = static_cast<float>(rng.below(size)), cy = static_cast<float>(rng.below(size));
    float halfW = size * 0.12f, halfH = size * 0.08f;
    for (float leg = -halfW + 3.0f; leg <= halfW - 2.0f; leg += 4.0f) {
        stampSegment(image, cx + leg, cy - halfH - 3.0f, cx + leg, cy + halfH + 3.0f, 0.8f, grey(0.88f), 1.0f, true);
    }
    for (int y = static_cast<int>(cy - halfH); y < static_cast<int>(cy + halfH); ++y)
        for (int x = static_cast<int>(cx - halfW); x < static_cast<int>(cx + halfW); ++x)
            image.wrapped(x, y) = grey(0.48f);
    stampDisc(image, cx - halfW + 4.0f, cy - halfH + 4.0f, 1.5f, grey(0.62f), 1.0f, true);
    return image;
}

Image paintFrostedGlass(int size)
{
    Rng rng(0x66726f7374ull);
    FractalNoise haze(rng, 3, 3, 5);
    LatticeNoise grit(rng, 64, 64);
    Image image(size, size);
    const float frame = static_cast<float>(size) * 0.035f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = centre(x, size), v = centre(y, size);
            float shade = 0.90f + 0.12f * (haze.at(u, v) - 0.5f) + 0.04f * (grit.at(u, v) - 0.5f);
            float diagonal = u + v - std::floor(u + v);
            shade += 0.07f * std::exp(-std::pow((diagonal - 0.3f) / 0.07f, 2.0f));
            shade += 0.03f * std::exp(-std::pow((diagonal - 0.45f) / 0.03f, 2.0f));
            float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            float edge = std::fmin(std::fmin(fx, fy), std::fmin(size - fx, size - fy));
            if (edge < frame)
                shade = 0.97f;
            else if (edge < frame + 1.0f)
                shade = 0.78f;
            image.at(x, y) = { shade * 0.93f, shade * 0.97f, shade * 1.0f };
        }
    }
    return image;
}

std::vector<NamedImage> allTextures()
{
    std::vector<NamedImage> textures;
    textures.push_back({ "Textures/brushed-metal3.bmp", paintBrushedPanel(256, 512) });
    textures.push_back({ "Textures/marble.bmp", paintMarble(128) });
    textures.push_back({ "Textures/wood.bmp", paintWood(128) });
    textures.push_back({ "Textures/riveted-plate.bmp", paintRivetedPlate(128) });
    textures.push_back({ "Textures/stone.bmp", paintStone(128) });
    textures.push_back({ "Textures/circuit.bmp", paintCircuit(128) });
    textures.push_back({ "Textures/frosted-glass.bmp", paintFrostedGlass(128) });
    return textures;
}

} // namespace cubrava::assetgen
