#pragma once

#include "Image.h"

namespace cubrava::assetgen {

// Anti-aliased shapes blended over an image. Coordinates are pixels (centres
// at +0.5); `tiled` wraps drawing across the edges for repeating textures.

// Fraction of a pixel covered when its centre lies `distance` from a shape
// edge of the given half width.
float coverage(float distance, float halfWidth);

void stampSegment(
    Image& image, float x0, float y0, float x1, float y1, float halfWidth, Rgb colour, float opacity, bool tiled);

void stampDisc(Image& image, float cx, float cy, float radius, Rgb colour, float opacity, bool tiled);

struct Point2 {
    float x, y;
};

// Fills a convex polygon without anti-aliasing: for pictures painted larger
// and then reduced with `downsample`.
void fillConvex(Image& image, const Point2* corners, int count, Rgb colour, float opacity);

// Averages each factor x factor block into one pixel.
Image downsample(const Image& image, int factor);

// Distance from (px, py) to the segment (x0, y0)-(x1, y1).
float segmentDistance(float px, float py, float x0, float y0, float x1, float y1);

} // namespace cubrava::assetgen
