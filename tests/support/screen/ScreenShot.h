#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cubrava::e2e {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Screen rectangle, origin top left, x0 and y0 inside, x1 and y1 outside.
struct Rect {
    int x0, y0, x1, y1;
};

// The whole screen as it is now.
class ScreenShot {
public:
    static ScreenShot take();

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

    int count(const Rect& area, const std::function<bool(const Rgb&)>& matches) const;
    // Pixels that differ between two shots in an area.
    int differences(const ScreenShot& other, const Rect& area) const;
    // For looking at a failure: a binary PPM.
    void save(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// A colour near target times some brightness: same hue and saturation.
bool sameHue(const Rgb& pixel, float r, float g, float b, float tolerance = 0.08f);
bool near(const Rgb& pixel, int r, int g, int b, int tolerance = 10);

} // namespace cubrava::e2e
