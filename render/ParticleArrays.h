#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cubrava {

class RenderContext;

// Client-side vertex arrays an effect fills each frame and hands to the
// renderer in one call, instead of one small primitive per particle.
struct ParticleArrays {
    std::vector<float> positions; // 3 per vertex
    std::vector<float> normals; // 3 per vertex, when lit
    std::vector<float> colours; // 4 per vertex (r, g, b, alpha)
    std::vector<std::uint32_t> indices; // triangles, 3 per triangle
    std::size_t vertexCount = 0; // vertices filled this frame
    std::size_t indexCount = 0; // indices filled this frame

    // Room for this many vertices and indices, so filling never allocates.
    void reserve(std::size_t vertices, std::size_t indexes, bool withNormals)
    {
        positions.resize(vertices * 3);
        colours.resize(vertices * 4);
        indices.resize(indexes);
        if (withNormals)
            normals.resize(vertices * 3);
    }
};

// Where the camera is in the coordinates of the current modelview matrix.
void currentEyePosition(float eye[3]);

// Draws the filled triangles: indexed when there are indices, else every
// three vertices make one. Lighting and blending are the caller's.
void drawParticleArrays(RenderContext& context, const ParticleArrays& arrays);

} // namespace cubrava
