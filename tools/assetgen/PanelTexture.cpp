#include "Noise.h"
#include "Paint.h"
#include "Rng.h"
#include "Textures.h"

#include <cmath>

namespace cubrava::assetgen {

namespace {

// A polished corner plate with a countersunk screw. Text drawn over the
// panel is tinted by the texel at a corner of the image, so the outermost
// pixels of every corner stay close to white.
void paintCornerPlate(Image& image, int left, int top, int size, float screwX, float screwY)
{
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x) {
            float t = static_cast<float>((x - left) + (y - top)) / static_cast<float>(2 * size);
            float v = 1.0f - 0.10f * t;
            image.at(x, y) = { v, v, v };
        }
    stampDisc(image, screwX, screwY, 3.6f, { 0.55f, 0.56f, 0.60f }, 1.0f, false);
    stampDisc(image, screwX - 0.6f, screwY - 0.6f, 2.6f, { 0.86f, 0.87f, 0.90f }, 1.0f, false);
    stampSegment(
        image, screwX - 2.2f, screwY + 2.2f, screwX + 2.2f, screwY - 2.2f, 0.55f, { 0.35f, 0.36f, 0.40f }, 1.0f, false);
}

} // namespace

Image paintBrushedPanel(int width, int height)
{
    Rng rng(0x70616e656cull);
    LatticeNoise longStreaks(rng, 3, height);
    LatticeNoise shortStreaks(rng, 12, height / 2);
    LatticeNoise grain(rng, 64, height);
    const Rgb base { 0.22f, 0.22f, 0.23f };
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height);
        // A soft sheen across the upper third, as brushed metal under a lamp.
        float light = 1.08f - 0.16f * v + 0.10f * std::exp(-std::pow((v - 0.28f) / 0.12f, 2.0f));
        for (int x = 0; x < width; ++x) {
            float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width);
            float streak = 0.24f * (longStreaks.at(u, v) - 0.5f) + 0.14f * (shortStreaks.at(u, v) - 0.5f)
                + 0.10f * (grain.at(u, v) - 0.5f) + 0.03f * static_cast<float>(rng.bipolar());
            image.at(x, y) = base * (light * (1.0f + streak));
        }
    }

    // Bevelled frame: bright outer lip, dark groove, lit inner edge.
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            float edge = std::fmin(std::fmin(fx, fy), std::fmin(w - fx, h - fy));
            Rgb& pixel = image.at(x, y);
            if (edge < 4.0f) {
                float lit = (fx < 4.0f || fy < 4.0f) ? 0.86f : 0.70f;
                pixel = { lit, lit, lit * 1.03f };
            } else if (edge < 6.0f) {
                pixel = { 0.12f, 0.12f, 0.14f };
            } else if (edge < 7.0f) {
                pixel = pixel * 1.5f;
            }
        }

    const int plate = 18;
    paintCornerPlate(image, 0, 0, plate, 10.0f, 10.0f);
    paintCornerPlate(image, width - plate, 0, plate, w - 10.0f, 10.0f);
    paintCornerPlate(image, 0, height - plate, plate, 10.0f, h - 10.0f);
    paintCornerPlate(image, width - plate, height - plate, plate, w - 10.0f, h - 10.0f);
    return image;
}

} // namespace cubrava::assetgen
