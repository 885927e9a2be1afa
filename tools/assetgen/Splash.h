#pragma once

#include "Image.h"

namespace cubrava::assetgen {

constexpr int SplashWidth = 527;
constexpr int SplashHeight = 392;

// The first thing a player sees: the title in our own lettering over a pit
// of cubes in perspective, and a tagline.
Image paintSplash();

} // namespace cubrava::assetgen
