#pragma once

#include "data/Material.h"
#include "data/Orientation.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace cubrava {

// Opaque cubes in cells of a grid, gathered into one vertex array, each cube
// placed and turned on the processor once, so a whole pit goes to the
// renderer in one call per texture instead of a handful of calls and matrix
// changes per cube. The cubes look as drawCube draws them at alpha 1 without
// brightening: the same geometry tables, the same orientation turns.
//
// Each frame only the cubes that can be seen from the eye are drawn, nearest
// first, so the renderer rejects hidden pixels early. A cube buried under
// other cubes on the eye's side can be seen only through the narrow gaps
// between them, and a line of sight can run that deep inside a gap only when
// it lies almost in the gap's plane; such a cube is drawn only then.
class CubeBatch {
public:
    CubeBatch() = default;
    CubeBatch(const CubeBatch&) = delete;
    CubeBatch& operator=(const CubeBatch&) = delete;
    // Buffers are rendering-context state: releaseBuffers() while it exists.
    ~CubeBatch() = default;

    // Binds the material's texture first if it has none yet, as drawCube does.
    void add(Material& material, int x, int y, int z, Orientation orientation);
    // Forgets every cube (the buffers stay, for the next cubes).
    void clear();
    std::size_t cubeCount() const { return cubes_.size(); }

    // Draws the cubes that may be seen from eye (in the grid's coordinates),
    // a call or two per texture. nearCut: how far from the eye the near
    // clipping plane may cut geometry open. Lighting and depth state are the
    // caller's; faces turned away from the eye are culled.
    void draw(const float eye[3], float nearCut);

    // Deletes the buffers while their rendering context exists.
    void releaseBuffers();
    // The rendering context went away, and its buffers with it.
    void forgetBuffers();

    // Laid out as OpenGL's T2F_C4F_N3F_V3F interleaved format.
    struct Vertex {
        float s, t;
        float r, g, b, a;
        float nx, ny, nz;
        float x, y, z;
    };

private:
    struct Cube {
        int x, y, z;
        Orientation orientation;
        std::uint32_t texture; // 0: untextured
        std::uint32_t firstVertex;
        // By the side of the cube the eye is on: how many layers of occupied
        // cells cover the cube towards the eye.
        std::uint8_t buried[27] = {};
    };

    // One run of indices per texture and culling.
    struct Run {
        std::uint32_t texture;
        bool cull;
        std::size_t first, count;
    };

    void findBuriedDepths();
    bool upload();
    // Fills visible_ with the cubes the eye can reach: (distance squared,
    // index in the order added), nearest first.
    void findVisible(const float eye[3], float nearCut);

    std::vector<Cube> cubes_;
    std::vector<Vertex> vertices_; // emptied once they are in a buffer
    std::size_t vertexCount_ = 0;
    bool depthsKnown_ = false;
    bool uploaded_ = false;
    unsigned vertexBuffer_ = 0;
    unsigned indexBuffer_ = 0;
    // This frame's, kept to spare allocations on every frame.
    std::vector<std::pair<float, std::size_t>> visible_;
    std::vector<std::uint32_t> textures_;
    std::vector<Run> runs_;
    std::vector<std::uint32_t> indices_;
};

// How far from the eye the current projection's near plane can cut what it
// shows: out to the corners of the view where it meets that plane.
float nearPlaneReach();
// Whether that near plane (nearCut from the eye) may cut open the cube in
// cell (x, y, z), showing its inside.
bool nearPlaneMayCut(const float eye[3], float nearCut, int x, int y, int z);

// Appends the vertices of the cube drawCube draws in cell (x, y, z), turned
// to its orientation, in one colour (RGBA): cubeVertices() in their order,
// turned and placed on the processor as the renderer would.
void placeCubeVertices(
    int x, int y, int z, Orientation orientation, const float colour[4], std::vector<CubeBatch::Vertex>& out);

} // namespace cubrava
