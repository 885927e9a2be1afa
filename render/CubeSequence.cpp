#define GL_GLEXT_PROTOTYPES
#include "CubeSequence.h"

#include "CubeGeometry.h"
#include "ParticleArrays.h"
#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace cubrava {

void CubeSequence::add(const Material& material, int x, int y, int z, Orientation orientation, float alpha,
    float brighten, bool depthWrites)
{
    const std::uint32_t texture = textureNames_.indexOf(material.textureName);
    cubes_.push_back(Cube { x, y, z, texture, depthWrites, depthWrites && alpha >= 1.0f });
    const float colour[4] = { material.red + brighten, material.green + brighten, material.blue + brighten, alpha };
    placeCubeVertices(x, y, z, orientation, colour, vertices_);
    ++version_;
}

void CubeSequence::clear()
{
    cubes_.clear();
    textureNames_.clear();
    vertices_.clear();
    ++version_;
}

namespace {

void bindTexture(unsigned texture)
{
    if (texture == 0)
        return;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
}

void unbindTexture(unsigned texture)
{
    if (texture != 0)
        glDisable(GL_TEXTURE_2D);
}

} // namespace

bool CubeSequence::upload(RenderContext& context, Kept& kept)
{
    if (indices_.size() < cubes_.size() * CubeTriangleIndexCount) {
        const auto& triangles = cubeTriangleIndices();
        for (std::size_t cube = indices_.size() / CubeTriangleIndexCount; cube < cubes_.size(); ++cube)
            for (std::uint16_t index : triangles)
                indices_.push_back(static_cast<std::uint32_t>(cube * CubeVertexCount + index));
    }
    if (!context.hasBuffers())
        return false;
    if (kept.vertexBuffer == 0) {
        kept.vertexBuffer = context.newBuffer();
        kept.indexBuffer = context.newBuffer();
    }
    if (kept.vertexBuffer == 0 || kept.indexBuffer == 0)
        return false;
    glBindBuffer(GL_ARRAY_BUFFER, kept.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(CubeBatch::Vertex)),
        vertices_.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (kept.uploadedIndices < indices_.size()) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, kept.indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices_.size() * sizeof(std::uint32_t)),
            indices_.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        kept.uploadedIndices = indices_.size();
    }
    kept.uploaded = version_;
    return true;
}

bool CubeSequence::retryMissingTextures(RenderContext& context)
{
    Kept& kept = context.kept<Kept>(key_);
    if (kept.resolved != version_)
        return false;
    return textureNames_.lookUpMissing(context, kept.textures);
}

void CubeSequence::draw(RenderContext& context, std::size_t first, std::size_t last)
{
    last = std::min(last, cubes_.size());
    if (first >= last)
        return;
    Kept& kept = context.kept<Kept>(key_);
    if (kept.resolved != version_) {
        textureNames_.lookUp(context, kept.textures);
        kept.resolved = version_;
    }
    const bool buffered = kept.uploaded == version_ || upload(context, kept);

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    const char* indexBase = reinterpret_cast<const char*>(indices_.data());
    if (buffered) {
        glBindBuffer(GL_ARRAY_BUFFER, kept.vertexBuffer);
        glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, kept.indexBuffer);
        indexBase = nullptr;
    } else {
        glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, vertices_.data());
    }
    for (std::size_t from = first; from < last;) {
        const Cube& run = cubes_[from];
        std::size_t to = from + 1;
        if (run.solid) {
            while (to < last && cubes_[to].solid)
                ++to;
            drawSolid(kept, from, to, indexBase);
            from = to;
            continue;
        }
        while (to < last && !cubes_[to].solid && cubes_[to].texture == run.texture
            && cubes_[to].depthWrites == run.depthWrites)
            ++to;
        glDepthMask(run.depthWrites ? GL_TRUE : GL_FALSE);
        glStencilMask(run.depthWrites ? ~0u : 0u);
        const unsigned texture = kept.textures[run.texture];
        bindTexture(texture);
        glDrawRangeElements(GL_TRIANGLES, static_cast<GLuint>(from * CubeVertexCount),
            static_cast<GLuint>(to * CubeVertexCount - 1), static_cast<GLsizei>((to - from) * CubeTriangleIndexCount),
            GL_UNSIGNED_INT, indexBase + from * CubeTriangleIndexCount * sizeof(std::uint32_t));
        unbindTexture(texture);
        from = to;
    }
    glDepthMask(GL_TRUE);
    glStencilMask(~0u);
    if (buffered) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glPopClientAttrib();
}

void CubeSequence::drawSolid(const Kept& kept, std::size_t first, std::size_t last, const char* indexBase)
{
    // At alpha 1 blending gives the cube's own colour: leaving it off spares
    // the renderer reading what lies under.
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glStencilMask(~0u);
    // Unless the near plane cuts one open, a face turned away from the eye
    // lies behind one of its own cube's.
    float eye[3];
    currentEyePosition(eye);
    const float nearCut = nearPlaneReach();
    bool cut = false;
    for (std::size_t i = first; i < last && !cut; ++i)
        cut = nearPlaneMayCut(eye, nearCut, cubes_[i].x, cubes_[i].y, cubes_[i].z);
    if (!cut)
        glEnable(GL_CULL_FACE);
    textures_.clear();
    for (std::size_t i = first; i < last; ++i)
        if (std::find(textures_.begin(), textures_.end(), cubes_[i].texture) == textures_.end())
            textures_.push_back(cubes_[i].texture);
    for (std::uint32_t texture : textures_) {
        counts_.clear();
        offsets_.clear();
        for (std::size_t i = first; i < last;) {
            if (cubes_[i].texture != texture) {
                ++i;
                continue;
            }
            std::size_t to = i + 1;
            while (to < last && cubes_[to].texture == texture)
                ++to;
            counts_.push_back(static_cast<int>((to - i) * CubeTriangleIndexCount));
            offsets_.push_back(indexBase + i * CubeTriangleIndexCount * sizeof(std::uint32_t));
            i = to;
        }
        bindTexture(kept.textures[texture]);
        glMultiDrawElements(
            GL_TRIANGLES, counts_.data(), GL_UNSIGNED_INT, offsets_.data(), static_cast<GLsizei>(counts_.size()));
        unbindTexture(kept.textures[texture]);
    }
    glDisable(GL_CULL_FACE);
    if (blending)
        glEnable(GL_BLEND);
}

} // namespace cubrava
