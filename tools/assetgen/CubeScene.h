#pragma once

#include "Image.h"
#include "Paint.h"

#include <vector>

namespace cubrava::assetgen {

// Unit cubes in perspective, painted face by face from the back: the pit of
// the splash and the program's icon.

struct Vec3 {
    float x, y, z;
};

Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float k);
float dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalised(Vec3 a);

// A pinhole camera; z is up. Points come out in the pixels of a picture
// painted `scale` times larger than its final size.
class Camera {
public:
    Camera(Vec3 eye, Vec3 target, float focal, Point2 centre, float scale)
        : eye_(eye)
        , focal_(focal)
        , centre_(centre)
        , scale_(scale)
    {
        forward_ = normalised(target - eye);
        right_ = normalised(cross(forward_, { 0.0f, 0.0f, 1.0f }));
        up_ = cross(right_, forward_);
    }

    Point2 project(Vec3 p) const
    {
        Vec3 d = p - eye_;
        float depth = dot(d, forward_);
        return { (centre_.x + focal_ * dot(d, right_) / depth) * scale_,
            (centre_.y - focal_ * dot(d, up_) / depth) * scale_ };
    }

    Vec3 eye() const { return eye_; }
    float scale() const { return scale_; }

private:
    Vec3 eye_;
    float focal_;
    Point2 centre_;
    float scale_;
    Vec3 forward_ {}, right_ {}, up_ {};
};

struct Cube {
    int x, y, z;
    Rgb colour;
};

// An RRGGBB value as a colour.
Rgb hex(unsigned rgb);

// Shaded faces with a soft bevel and dark edges of the given half width (in
// the canvas's pixels); faces between two cubes and faces turned away from
// the camera are left out.
void paintCubes(Image& canvas, const Camera& camera, const std::vector<Cube>& cubes, float edgeHalfWidth);

} // namespace cubrava::assetgen
