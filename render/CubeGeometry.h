#pragma once

#include <array>
#include <cstdint>

namespace cubrava {

// One vertex of the chamfered unit cube, laid out as OpenGL's T2F_N3F_V3F
// interleaved format so the whole cube goes to the renderer in two calls.
struct CubeVertex {
    float s, t; // texture coordinate
    float nx, ny, nz; // normal
    float x, y, z; // position, relative to the cube's centre
};

// The cube's polygons, expanded so each has its own normals and texture
// coordinates: first the 8 corner triangles, then the 6 faces and the 12
// bevel strips as quads.
constexpr int CubeTriangleVertices = 8 * 3;
constexpr int CubeQuadVertices = (6 + 12) * 4;
constexpr int CubeVertexCount = CubeTriangleVertices + CubeQuadVertices;

const std::array<CubeVertex, CubeVertexCount>& cubeVertices();

// The same polygons as triangles, indices into cubeVertices(): the corner
// triangles as they are, each quad cut along its first diagonal.
constexpr int CubeTriangleIndexCount = CubeTriangleVertices + CubeQuadVertices / 4 * 6;
const std::array<std::uint16_t, CubeTriangleIndexCount>& cubeTriangleIndices();

} // namespace cubrava
