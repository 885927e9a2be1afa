#pragma once

#include <algorithm>
#include <vector>

namespace cubrava::assetgen {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Rgb operator*(Rgb c, float k)
{
    return { c.r * k, c.g * k, c.b * k };
}

inline Rgb operator+(Rgb a, Rgb b)
{
    return { a.r + b.r, a.g + b.g, a.b + b.b };
}

// a where t = 0, b where t = 1.
inline Rgb mix(Rgb a, Rgb b, float t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

inline float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

inline float smoothstep(float edge0, float edge1, float x)
{
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// A picture in linear floats, 0 to 1 per channel, top row first.
class Image {
public:
    Image(int width, int height, Rgb fill = {})
        : width_(width)
        , height_(height)
        , pixels_(width * height, fill)
    {
    }

    int width() const { return width_; }
    int height() const { return height_; }

    Rgb& at(int x, int y) { return pixels_[y * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[y * width_ + x]; }

    // Coordinates wrap, so painters of tiling textures may draw across edges.
    Rgb& wrapped(int x, int y)
    {
        x = ((x % width_) + width_) % width_;
        y = ((y % height_) + height_) % height_;
        return at(x, y);
    }

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

} // namespace cubrava::assetgen
