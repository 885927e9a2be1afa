#include "ScreenShot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace cubrava::e2e {

namespace {

int channel(unsigned long value, unsigned long mask)
{
    unsigned shift = 0;
    while (mask && !((mask >> shift) & 1))
        ++shift;
    const unsigned long max = mask >> shift;
    return max ? static_cast<int>(((value & mask) >> shift) * 255 / max) : 0;
}

} // namespace

ScreenShot ScreenShot::take()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error("no display");
    const int screen = DefaultScreen(display);
    ScreenShot shot;
    shot.width_ = DisplayWidth(display, screen);
    shot.height_ = DisplayHeight(display, screen);
    XImage* image = XGetImage(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(shot.width_),
        static_cast<unsigned>(shot.height_), AllPlanes, ZPixmap);
    if (!image) {
        XCloseDisplay(display);
        throw std::runtime_error("no image");
    }
    shot.pixels_.resize(static_cast<std::size_t>(shot.width_ * shot.height_));
    for (int y = 0; y < shot.height_; ++y)
        for (int x = 0; x < shot.width_; ++x) {
            const unsigned long value = XGetPixel(image, x, y);
            shot.pixels_[static_cast<std::size_t>(y * shot.width_ + x)] = { channel(value, image->red_mask),
                channel(value, image->green_mask), channel(value, image->blue_mask) };
        }
    XDestroyImage(image);
    XCloseDisplay(display);
    return shot;
}

int ScreenShot::count(const Rect& area, const std::function<bool(const Rgb&)>& matches) const
{
    int n = 0;
    for (int y = std::max(0, area.y0); y < std::min(height_, area.y1); ++y)
        for (int x = std::max(0, area.x0); x < std::min(width_, area.x1); ++x)
            n += matches(at(x, y)) ? 1 : 0;
    return n;
}

int ScreenShot::differences(const ScreenShot& other, const Rect& area) const
{
    int n = 0;
    for (int y = std::max(0, area.y0); y < std::min(height_, area.y1); ++y)
        for (int x = std::max(0, area.x0); x < std::min(width_, area.x1); ++x) {
            const Rgb a = at(x, y), b = other.at(x, y);
            n += (a.r != b.r || a.g != b.g || a.b != b.b) ? 1 : 0;
        }
    return n;
}

void ScreenShot::save(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    for (const Rgb& p : pixels_) {
        const char bytes[3] = { static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b) };
        out.write(bytes, 3);
    }
}

bool sameHue(const Rgb& pixel, float r, float g, float b, float tolerance)
{
    const float top = std::max({ r, g, b });
    const int seen = std::max({ pixel.r, pixel.g, pixel.b });
    if (top <= 0 || seen < 40)
        return false;
    const float pr = static_cast<float>(pixel.r) / static_cast<float>(seen);
    const float pg = static_cast<float>(pixel.g) / static_cast<float>(seen);
    const float pb = static_cast<float>(pixel.b) / static_cast<float>(seen);
    return std::abs(pr - r / top) <= tolerance && std::abs(pg - g / top) <= tolerance
        && std::abs(pb - b / top) <= tolerance;
}

bool near(const Rgb& pixel, int r, int g, int b, int tolerance)
{
    return std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance
        && std::abs(pixel.b - b) <= tolerance;
}

} // namespace cubrava::e2e
