#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace cubrava::assetgen {

float coverage(float distance, float halfWidth)
{
    return clamp01(halfWidth + 0.5f - distance);
}

float segmentDistance(float px, float py, float x0, float y0, float x1, float y1)
{
    float dx = x1 - x0;
    float dy = y1 - y0;
    float lengthSquared = dx * dx + dy * dy;
    float t = lengthSquared > 0.0f ? clamp01(((px - x0) * dx + (py - y0) * dy) / lengthSquared) : 0.0f;
    float ex = px - (x0 + t * dx);
    float ey = py - (y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

namespace {

template <typename Distance>
void stamp(Image& image, float left, float top, float right, float bottom, float halfWidth, Rgb colour, float opacity,
    bool tiled, Distance distance)
{
    int x0 = static_cast<int>(std::floor(left - halfWidth - 1.0f));
    int x1 = static_cast<int>(std::ceil(right + halfWidth + 1.0f));
    int y0 = static_cast<int>(std::floor(top - halfWidth - 1.0f));
    int y1 = static_cast<int>(std::ceil(bottom + halfWidth + 1.0f));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (!tiled && (x < 0 || y < 0 || x >= image.width() || y >= image.height()))
                continue;
            float c = coverage(distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), halfWidth);
            if (c <= 0.0f)
                continue;
            Rgb& pixel = tiled ? image.wrapped(x, y) : image.at(x, y);
            pixel = mix(pixel, colour, c * opacity);
        }
    }
}

} // namespace

void stampSegment(
    Image& image, float x0, float y0, float x1, float y1, float halfWidth, Rgb colour, float opacity, bool tiled)
{
    stamp(image, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), halfWidth, colour, opacity,
        tiled, [&](float px, float py) { return segmentDistance(px, py, x0, y0, x1, y1); });
}

void stampDisc(Image& image, float cx, float cy, float radius, Rgb colour, float opacity, bool tiled)
{
    stamp(image, cx, cy, cx, cy, radius, colour, opacity, tiled,
        [&](float px, float py) { return std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy)); });
}

void fillConvex(Image& image, const Point2* corners, int count, Rgb colour, float opacity)
{
    float left = corners[0].x, right = left, top = corners[0].y, bottom = top;
    float area = 0.0f;
    for (int i = 0; i < count; ++i) {
        const Point2& a = corners[i];
        const Point2& b = corners[(i + 1) % count];
        left = std::min(left, a.x);
        right = std::max(right, a.x);
        top = std::min(top, a.y);
        bottom = std::max(bottom, a.y);
        area += a.x * b.y - b.x * a.y;
    }
    const float sense = area < 0.0f ? -1.0f : 1.0f;
    int x0 = std::max(0, static_cast<int>(std::floor(left)));
    int x1 = std::min(image.width() - 1, static_cast<int>(std::ceil(right)));
    int y0 = std::max(0, static_cast<int>(std::floor(top)));
    int y1 = std::min(image.height() - 1, static_cast<int>(std::ceil(bottom)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            bool inside = true;
            for (int i = 0; i < count && inside; ++i) {
                const Point2& a = corners[i];
                const Point2& b = corners[(i + 1) % count];
                inside = sense * ((b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x)) >= 0.0f;
            }
            if (inside)
                image.at(x, y) = mix(image.at(x, y), colour, opacity);
        }
    }
}

Image downsample(const Image& image, int factor)
{
    Image out(image.width() / factor, image.height() / factor);
    const float scale = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            Rgb sum;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                    sum = sum + image.at(x * factor + i, y * factor + j);
            out.at(x, y) = sum * scale;
        }
    return out;
}

} // namespace cubrava::assetgen
