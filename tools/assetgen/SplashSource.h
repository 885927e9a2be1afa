#pragma once

#include "Image.h"

#include <string>

namespace cubrava::assetgen {

// The C++ source that builds the splash picture into a program: it defines
// splashImage() of platform/SplashImage.h over the pixels as one literal.
std::string splashSource(const Image& image);

} // namespace cubrava::assetgen
