#include "CubeGeometry.h"

#include <cmath>

namespace cubrava {

namespace {

// The 24 corner points, three per corner, each pushed out to 0.48 along one
// axis; with the face texture coordinate of that point.
struct CornerPoint {
    float x, y, z;
    float s, t;
};

constexpr CornerPoint corners[24] = {
    { 0.43f, 0.43f, 0.48f, 1, 1 },
    { 0.48f, 0.43f, 0.43f, 1, 1 },
    { 0.43f, 0.48f, 0.43f, 0, 1 },
    { -0.43f, 0.43f, 0.48f, 0, 1 },
    { -0.43f, 0.48f, 0.43f, 1, 1 },
    { -0.48f, 0.43f, 0.43f, 0, 1 },
    { -0.43f, -0.43f, 0.48f, 0, 0 },
    { -0.48f, -0.43f, 0.43f, 1, 1 },
    { -0.43f, -0.48f, 0.43f, 0, 1 },
    { 0.43f, -0.43f, 0.48f, 1, 0 },
    { 0.43f, -0.48f, 0.43f, 1, 1 },
    { 0.48f, -0.43f, 0.43f, 0, 1 },
    { 0.43f, -0.43f, -0.48f, 1, 0 },
    { 0.48f, -0.43f, -0.43f, 0, 0 },
    { 0.43f, -0.48f, -0.43f, 1, 0 },
    { -0.43f, 0.43f, -0.48f, 0, 1 },
    { -0.48f, 0.43f, -0.43f, 0, 0 },
    { -0.43f, 0.48f, -0.43f, 1, 0 },
    { 0.43f, 0.43f, -0.48f, 1, 1 },
    { 0.43f, 0.48f, -0.43f, 0, 0 },
    { 0.48f, 0.43f, -0.43f, 1, 0 },
    { -0.43f, -0.43f, -0.48f, 0, 0 },
    { -0.43f, -0.48f, -0.43f, 0, 0 },
    { -0.48f, -0.43f, -0.43f, 1, 0 },
};

constexpr int faces[6][4] = {
    { 0, 3, 6, 9 }, // z = +0.48
    { 21, 15, 18, 12 }, // z = -0.48
    { 1, 11, 13, 20 }, // x = +0.48
    { 23, 7, 5, 16 }, // x = -0.48
    { 2, 19, 17, 4 }, // y = +0.48
    { 22, 14, 10, 8 }, // y = -0.48
};

constexpr int strips[12][4] = {
    { 0, 2, 4, 3 },
    { 1, 0, 9, 11 },
    { 2, 1, 20, 19 },
    { 3, 5, 7, 6 },
    { 5, 4, 17, 16 },
    { 6, 8, 10, 9 },
    { 8, 7, 23, 22 },
    { 11, 10, 14, 13 },
    { 12, 14, 22, 21 },
    { 13, 12, 18, 20 },
    { 15, 17, 19, 18 },
    { 16, 15, 21, 23 },
};

float sign(float v)
{
    return v < 0 ? -1.0f : 1.0f;
}

// The unit normal of the face a corner point lies on: the axis where it reaches 0.48.
void faceNormal(const CornerPoint& p, float& nx, float& ny, float& nz)
{
    nx = std::fabs(p.x) > 0.45f ? sign(p.x) : 0.0f;
    ny = std::fabs(p.y) > 0.45f ? sign(p.y) : 0.0f;
    nz = std::fabs(p.z) > 0.45f ? sign(p.z) : 0.0f;
}

CubeVertex vertex(const CornerPoint& p, float s, float t, float nx, float ny, float nz)
{
    return { s, t, nx, ny, nz, p.x, p.y, p.z };
}

std::array<CubeVertex, CubeVertexCount> build()
{
    const float inverseRoot3 = static_cast<float>(1.0 / std::sqrt(3.0));
    const float rootHalf = static_cast<float>(std::sqrt(0.5));
    const float triangleTop = static_cast<float>(std::sqrt(3.0) / 2.0);

    std::array<CubeVertex, CubeVertexCount> out {};
    int n = 0;

    const float triangleTex[3][2] = { { 0, 0 }, { 1, 0 }, { 0.5f, triangleTop } };
    for (int k = 0; k < 8; ++k) {
        const CornerPoint& first = corners[3 * k];
        const float nx = sign(first.x) * inverseRoot3;
        const float ny = sign(first.y) * inverseRoot3;
        const float nz = sign(first.z) * inverseRoot3;
        for (int i = 0; i < 3; ++i)
            out[n++] = vertex(corners[3 * k + i], triangleTex[i][0], triangleTex[i][1], nx, ny, nz);
    }

    for (const auto& face : faces) {
        float nx, ny, nz;
        faceNormal(corners[face[0]], nx, ny, nz);
        for (int index : face)
            out[n++] = vertex(corners[index], corners[index].s, corners[index].t, nx, ny, nz);
    }

    // A strip joins two faces: each of its points lies on one of them.
    const float stripTex[4][2] = { { 0, 0.0707f }, { 0, 0 }, { 0.86f, 0 }, { 0.86f, 0.0707f } };
    for (const auto& strip : strips) {
        float ax, ay, az, bx, by, bz;
        faceNormal(corners[strip[0]], ax, ay, az);
        faceNormal(corners[strip[1]], bx, by, bz);
        if (ax == bx && ay == by && az == bz)
            faceNormal(corners[strip[2]], bx, by, bz);
        const float nx = (ax + bx) * rootHalf;
        const float ny = (ay + by) * rootHalf;
        const float nz = (az + bz) * rootHalf;
        for (int i = 0; i < 4; ++i)
            out[n++] = vertex(corners[strip[i]], stripTex[i][0], stripTex[i][1], nx, ny, nz);
    }
    return out;
}

std::array<std::uint16_t, CubeTriangleIndexCount> buildTriangles()
{
    std::array<std::uint16_t, CubeTriangleIndexCount> out {};
    int n = 0;
    for (int i = 0; i < CubeTriangleVertices; ++i)
        out[n++] = static_cast<std::uint16_t>(i);
    for (int q = CubeTriangleVertices; q < CubeVertexCount; q += 4)
        for (int corner : { 0, 1, 2, 0, 2, 3 })
            out[n++] = static_cast<std::uint16_t>(q + corner);
    return out;
}

} // namespace

const std::array<std::uint16_t, CubeTriangleIndexCount>& cubeTriangleIndices()
{
    static const std::array<std::uint16_t, CubeTriangleIndexCount> indices = buildTriangles();
    return indices;
}

const std::array<CubeVertex, CubeVertexCount>& cubeVertices()
{
    static const std::array<CubeVertex, CubeVertexCount> vertices = build();
    return vertices;
}

} // namespace cubrava
