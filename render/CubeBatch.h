#pragma once

#include "ContextKey.h"
#include "TextureNames.h"
#include "data/Material.h"
#include "data/Orientation.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace cubrava {

class RenderContext;

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

    void add(const Material& material, int x, int y, int z, Orientation orientation);
    // Forgets every cube.
    void clear();
    std::size_t cubeCount() const { return cubes_.size(); }

    // Draws the cubes that may be seen from eye (in the grid's coordinates),
    // a call or two per texture. nearCut: how far from the eye the near
    // clipping plane may cut geometry open. Lighting and depth state are the
    // caller's; faces turned away from the eye are culled. The textures are
    // looked up when the cubes first go to a context after a change.
    void draw(RenderContext& context, const float eye[3], float nearCut);

    // Asks the context again for the textures that could not be loaded when
    // the cubes went to it; whether one came.
    bool retryMissingTextures(RenderContext& context);

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
        std::uint32_t texture; // its index in textureNames_
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

    // What the batch keeps in a rendering context.
    struct Kept {
        unsigned vertexBuffer = 0;
        unsigned indexBuffer = 0;
        std::uint64_t uploaded = 0;
        std::uint64_t resolved = 0;
        std::vector<unsigned> textures; // by texture index; 0: untextured
    };

    void findBuriedDepths();
    void placeVertices();
    bool upload(RenderContext& context, Kept& kept);
    // Fills visible_ with the cubes the eye can reach: (distance squared,
    // index in the order added), nearest first.
    void findVisible(const float eye[3], float nearCut);

    ContextKey key_;
    std::vector<Cube> cubes_;
    // Each cube's, apart: every frame walks the cubes, only placing reads these.
    std::vector<std::array<float, 3>> colours_;
    TextureNames textureNames_;
    // Emptied once they are in a buffer; placed again for a new context.
    std::vector<Vertex> vertices_;
    std::size_t vertexCount_ = 0;
    bool depthsKnown_ = false;
    // Moves with every change of the cubes; what a context holds is for one.
    std::uint64_t version_ = 1;
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
