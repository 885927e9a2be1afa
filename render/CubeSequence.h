#pragma once

#include "CubeBatch.h"
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
    // Buffers are rendering-context state: releaseBuffers() while it exists.
    ~CubeSequence() = default;

    // Binds the material's texture first if it has none yet, as drawCube does.
    void add(Material& material, int x, int y, int z, Orientation orientation, float alpha, float brighten,
        bool depthWrites);
    // Forgets every cube; the memory stays for the next ones.
    void clear();
    std::size_t size() const { return cubes_.size(); }

    // Draws cubes first to last - 1 in order. Lighting, blending and the
    // depth test are the caller's; depth writes are on again at the end.
    void draw(std::size_t first, std::size_t last);
    void draw() { draw(0, size()); }

    // Deletes the buffers while their rendering context exists.
    void releaseBuffers();
    // The rendering context went away, and its buffers with it.
    void forgetBuffers();

private:
    struct Cube {
        int x, y, z;
        std::uint32_t texture; // 0: untextured
        bool depthWrites;
        // Opaque, and writing depth: solid cubes hide one another whatever
        // their order, so those between two others go together by texture,
        // and each hides its own faces turned away from the eye.
        bool solid;
    };

    bool upload();
    void drawSolid(std::size_t first, std::size_t last, const char* indexBase);

    std::vector<Cube> cubes_;
    std::vector<CubeBatch::Vertex> vertices_;
    // The cubes' triangles, cube after cube; grows with the longest sequence.
    std::vector<std::uint32_t> indices_;
    bool uploaded_ = false;
    std::size_t uploadedIndices_ = 0;
    // drawSolid's, kept to spare allocations.
    std::vector<int> counts_; // GLsizei
    std::vector<const void*> offsets_;
    std::vector<std::uint32_t> textures_;
    unsigned vertexBuffer_ = 0;
    unsigned indexBuffer_ = 0;
};

} // namespace cubrava
