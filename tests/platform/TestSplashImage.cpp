#include "platform/SplashImage.h"

#include <vector>

namespace cubrava {

// Stands in for the real picture: orange above, blue below, so a test can
// tell the rows were drawn top first.
const SplashImage& splashImage()
{
    static const std::vector<unsigned char> pixels = [] {
        std::vector<unsigned char> rgb;
        for (int y = 0; y < 392; ++y) {
            for (int x = 0; x < 527; ++x) {
                bool top = y < 196;
                rgb.push_back(top ? 255 : 0);
                rgb.push_back(top ? 128 : 64);
                rgb.push_back(top ? 0 : 255);
            }
        }
        return rgb;
    }();
    static const SplashImage image { 527, 392, pixels.data() };
    return image;
}

} // namespace cubrava
