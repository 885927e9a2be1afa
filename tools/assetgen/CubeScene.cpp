#include "CubeScene.h"

#include <algorithm>
#include <cmath>

namespace cubrava::assetgen {

namespace {

struct Face {
    Vec3 corners[4];
    Vec3 normal;
    Rgb colour;
    float distance;
};

} // namespace

Vec3 operator-(Vec3 a, Vec3 b)
{
    return { a.x - b.x, a.y - b.y, a.z - b.z };
}

Vec3 operator+(Vec3 a, Vec3 b)
{
    return { a.x + b.x, a.y + b.y, a.z + b.z };
}

Vec3 operator*(Vec3 a, float k)
{
    return { a.x * k, a.y * k, a.z * k };
}

float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
}

Vec3 normalised(Vec3 a)
{
    return a * (1.0f / std::sqrt(dot(a, a)));
}

Rgb hex(unsigned rgb)
{
    return { static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
        static_cast<float>(rgb & 0xFF) / 255.0f };
}

void paintCubes(Image& canvas, const Camera& camera, const std::vector<Cube>& cubes, float edgeHalfWidth)
{
    auto occupied = [&](int x, int y, int z) {
        return std::any_of(cubes.begin(), cubes.end(), [&](const Cube& c) { return c.x == x && c.y == y && c.z == z; });
    };
    const Vec3 light = normalised({ -0.45f, -0.8f, 1.0f });
    std::vector<Face> faces;
    for (const Cube& c : cubes) {
        Vec3 o { static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.z) };
        struct Side {
            Vec3 normal;
            int dx, dy, dz;
            Vec3 a, b, cc, d;
        };
        const Side sides[6] = {
            { { 0, 0, 1 }, 0, 0, 1, { 0, 0, 1 }, { 1, 0, 1 }, { 1, 1, 1 }, { 0, 1, 1 } },
            { { 0, 0, -1 }, 0, 0, -1, { 0, 0, 0 }, { 0, 1, 0 }, { 1, 1, 0 }, { 1, 0, 0 } },
            { { 0, -1, 0 }, 0, -1, 0, { 0, 0, 0 }, { 1, 0, 0 }, { 1, 0, 1 }, { 0, 0, 1 } },
            { { 0, 1, 0 }, 0, 1, 0, { 0, 1, 0 }, { 0, 1, 1 }, { 1, 1, 1 }, { 1, 1, 0 } },
            { { -1, 0, 0 }, -1, 0, 0, { 0, 0, 0 }, { 0, 0, 1 }, { 0, 1, 1 }, { 0, 1, 0 } },
            { { 1, 0, 0 }, 1, 0, 0, { 1, 0, 0 }, { 1, 1, 0 }, { 1, 1, 1 }, { 1, 0, 1 } },
        };
        for (const Side& side : sides) {
            if (occupied(c.x + side.dx, c.y + side.dy, c.z + side.dz))
                continue;
            Vec3 centre = o + Vec3 { 0.5f, 0.5f, 0.5f } + side.normal * 0.5f;
            if (dot(side.normal, camera.eye() - centre) <= 0.0f)
                continue;
            Face f { { o + side.a, o + side.b, o + side.cc, o + side.d }, side.normal, c.colour, 0.0f };
            Vec3 toEye = camera.eye() - centre;
            f.distance = dot(toEye, toEye);
            faces.push_back(f);
        }
    }
    std::sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) { return a.distance > b.distance; });
    for (const Face& f : faces) {
        float shade = 0.38f + 0.62f * std::max(0.0f, dot(f.normal, light));
        Point2 corners[4];
        for (int i = 0; i < 4; ++i)
            corners[i] = camera.project(f.corners[i]);
        fillConvex(canvas, corners, 4, f.colour * shade, 1.0f);
        // A lighter inset square gives each face a soft bevel.
        Point2 inner[4];
        Point2 mid { 0.0f, 0.0f };
        for (const Point2& p : corners) {
            mid.x += p.x * 0.25f;
            mid.y += p.y * 0.25f;
        }
        for (int i = 0; i < 4; ++i)
            inner[i] = { mid.x + (corners[i].x - mid.x) * 0.78f, mid.y + (corners[i].y - mid.y) * 0.78f };
        fillConvex(canvas, inner, 4, mix(f.colour * shade, { 1.0f, 1.0f, 1.0f }, 0.12f), 1.0f);
        for (int i = 0; i < 4; ++i) {
            const Point2& a = corners[i];
            const Point2& b = corners[(i + 1) % 4];
            stampSegment(canvas, a.x, a.y, b.x, b.y, edgeHalfWidth, f.colour * 0.25f, 1.0f, false);
        }
    }
}

} // namespace cubrava::assetgen
