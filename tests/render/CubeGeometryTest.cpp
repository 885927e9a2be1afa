#include "render/CubeGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cubrava;

namespace {

struct V3 {
    double x, y, z;
};

V3 position(const CubeVertex& v)
{
    return { v.x, v.y, v.z };
}
V3 normal(const CubeVertex& v)
{
    return { v.nx, v.ny, v.nz };
}
V3 minus(V3 a, V3 b)
{
    return { a.x - b.x, a.y - b.y, a.z - b.z };
}
V3 cross(V3 a, V3 b)
{
    return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
}
double dot(V3 a, V3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(V3 a)
{
    return std::sqrt(dot(a, a));
}

// Checks one polygon: flat, counter-clockwise seen from outside, its normal
// pointing away from the centre and agreeing with the winding.
void checkPolygon(const CubeVertex* v, int count, const char* what, int index)
{
    SCOPED_TRACE(::testing::Message() << what << " " << index);
    V3 centre { 0, 0, 0 };
    for (int i = 0; i < count; ++i) {
        centre.x += v[i].x / count;
        centre.y += v[i].y / count;
        centre.z += v[i].z / count;
    }
    const V3 n = normal(v[0]);
    EXPECT_NEAR(length(n), 1.0, 1e-4);
    for (int i = 1; i < count; ++i) {
        EXPECT_EQ(v[i].nx, v[0].nx);
        EXPECT_EQ(v[i].ny, v[0].ny);
        EXPECT_EQ(v[i].nz, v[0].nz);
    }
    EXPECT_GT(dot(n, centre), 0.0) << "normal points inwards";
    for (int i = 0; i < count; ++i) {
        const V3 a = position(v[i]), b = position(v[(i + 1) % count]), c = position(v[(i + 2) % count]);
        const V3 turn = cross(minus(b, a), minus(c, b));
        EXPECT_GT(dot(turn, n), 0.0) << "corner " << i << " turns clockwise";
        // Flat: every edge lies in the plane of the normal.
        EXPECT_NEAR(dot(minus(b, a), n), 0.0, 1e-4) << "edge " << i;
    }
}

} // namespace

TEST(CubeGeometry, EveryPolygonIsFlatWoundOutwardsAndLitFromOutside)
{
    const auto& v = cubeVertices();
    for (int t = 0; t < 8; ++t)
        checkPolygon(&v[3 * t], 3, "corner triangle", t);
    for (int q = 0; q < 18; ++q)
        checkPolygon(&v[CubeTriangleVertices + 4 * q], 4, q < 6 ? "face" : "bevel strip", q);
}

TEST(CubeGeometry, PointsLieOnTheChamferedCubeAndFacesShowTheWholeTexture)
{
    const auto& v = cubeVertices();
    for (const CubeVertex& p : v) {
        // One coordinate at +-0.48, the other two at +-0.43.
        int out = 0, in = 0;
        for (float c : { p.x, p.y, p.z }) {
            if (std::fabs(std::fabs(c) - 0.48f) < 1e-6f)
                ++out;
            else if (std::fabs(std::fabs(c) - 0.43f) < 1e-6f)
                ++in;
        }
        EXPECT_EQ(out, 1);
        EXPECT_EQ(in, 2);
    }

    // Each face spans the whole unit texture square, corner to corner, so the
    // image is neither cropped nor torn. (The bottom face shows it mirrored.)
    for (int q = 0; q < 6; ++q) {
        SCOPED_TRACE(q);
        const CubeVertex* f = &v[CubeTriangleVertices + 4 * q];
        double area = 0;
        for (int i = 0; i < 4; ++i) {
            const CubeVertex& a = f[i];
            const CubeVertex& b = f[(i + 1) % 4];
            area += a.s * b.t - b.s * a.t;
            EXPECT_TRUE((a.s == 0 || a.s == 1) && (a.t == 0 || a.t == 1));
        }
        EXPECT_NEAR(std::fabs(area / 2), 1.0, 1e-6);
    }

    // The strips join the faces at 45 degrees: their normals bisect two axes.
    for (int q = 6; q < 18; ++q) {
        const CubeVertex& s = v[CubeTriangleVertices + 4 * q];
        int half = 0;
        for (float c : { s.nx, s.ny, s.nz })
            if (std::fabs(std::fabs(c) - 0.70710678f) < 1e-5f)
                ++half;
        EXPECT_EQ(half, 2) << "strip " << q - 6;
    }
}
