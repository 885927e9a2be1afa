#pragma once

namespace cubrava {

// The splash picture, built into the program by the asset generator:
// width x height pixels, 3 bytes each (R, G, B), top row first.
struct SplashImage {
    int width;
    int height;
    const unsigned char* rgb;
};

const SplashImage& splashImage();

} // namespace cubrava
