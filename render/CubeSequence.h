#pragma once

#include "ContextKey.h"
#include "CubeBatch.h"
#include "TextureNames.h"
#include "data/Material.h"
#include "data/Orientation.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cubrava {

// Cubes drawn in the order they were added, every polygon of each, each in
// its own colour, brightening and alpha, with depth writes on or off: the
// picture drawCube makes when called for each in turn, translucent cubes
// included, in one call per run of neighbours alike in texture and depth
// writes. The renderer keeps the order of the polygons within a call, so the
// blending comes out as it would cube by cube.
class CubeSequence {
public:
    CubeSequence() = default;
    CubeSequence(const CubeSequence&) = delete;
    CubeSequence& operator=(const CubeSequence&) = delete;

    void add(const Material& material, int x, int y, int z, Orientation orientation, float alpha, float brighten,
        bool depthWrites);
    // Forgets every cube; the memory stays for the next ones.
    void clear();
    std::size_t size() const { return cubes_.size(); }

    // Draws cubes first to last - 1 in order. Lighting, blending and the
    // depth and stencil tests are the caller's; stencil writes follow depth
    // writes, so the stencil buffer can mark where cubes that write depth
    // show. Both are on again at the end. The textures are looked up when the
    // cubes first go to a context after a change.
    void draw(RenderContext& context, std::size_t first, std::size_t last);
    void draw(RenderContext& context) { draw(context, 0, size()); }

    // Asks the context again for the textures that could not be loaded when
    // the cubes went to it; whether one came.
    bool retryMissingTextures(RenderContext& context);

private:
    struct Cube {
        int x, y, z;
        std::uint32_t texture; // its index in textureNames_
        bool depthWrites;
        // Opaque, and writing depth: solid cubes hide one another whatever
        // their order, so those between two others go together by texture,
        // and each hides its own faces turned away from the eye.
        bool solid;
    };

    // What the sequence keeps in a rendering context.
    struct Kept {
        unsigned vertexBuffer = 0;
        unsigned indexBuffer = 0;
        std::uint64_t uploaded = 0;
        std::size_t uploadedIndices = 0;
        std::uint64_t resolved = 0;
        std::vector<unsigned> textures; // by texture index; 0: untextured
    };

    bool upload(RenderContext& context, Kept& kept);
    void drawSolid(const Kept& kept, std::size_t first, std::size_t last, const char* indexBase);

    ContextKey key_;
    std::vector<Cube> cubes_;
    TextureNames textureNames_;
    std::vector<CubeBatch::Vertex> vertices_;
    // The cubes' triangles, cube after cube; grows with the longest sequence.
    std::vector<std::uint32_t> indices_;
    // Moves with every change of the cubes; what a context holds is for one.
    std::uint64_t version_ = 1;
    // drawSolid's, kept to spare allocations.
    std::vector<int> counts_; // GLsizei
    std::vector<const void*> offsets_;
    std::vector<std::uint32_t> textures_;
};

} // namespace cubrava
