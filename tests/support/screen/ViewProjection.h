#pragma once

#include "platform/WindowLookup.h"
#include "support/screen/ScreenShot.h"

namespace cubrava::e2e {

struct Point {
    int x, y;
};

// A level's pit: width, depth, height.
struct PitSize {
    int x, y, z;
};

// Where the editing view's starting camera shows a point of the pit on the
// screen, by the camera's own numbers, in a square view window `side` wide.
Point projectInView(const WindowInfo& window, int side, PitSize pit, double px, double py, double pz);

// The middle of a cell's top face: nothing of its layer lies nearer the viewer.
Point cellTop(const WindowInfo& window, int side, PitSize pit, int x, int y, int layer);

int brightness(const Rgb& p);

// The pixel of median brightness among the 5 x 5 around a point: a grid line
// crossing it does not count.
Rgb patch(const ScreenShot& shot, Point at);

} // namespace cubrava::e2e
