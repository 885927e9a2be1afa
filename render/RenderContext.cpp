#define GL_GLEXT_PROTOTYPES
#include "RenderContext.h"

#include "GlVersion.h"
#include "TextureLoader.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace cubrava {

RenderContext::RenderContext(DisplayLists& lists)
    : lists_(lists)
    , hasBuffers_(glVersionAtLeast(1, 5))
    , hasFramebuffers_(glVersionAtLeast(3, 0))
{
}

RenderContext::~RenderContext()
{
    kept_.clear();
    for (const auto& [name, texture] : fileTextures_) {
        const GLuint handle = texture;
        glDeleteTextures(1, &handle);
    }
    if (!textures_.empty())
        glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
    if (!buffers_.empty())
        glDeleteBuffers(static_cast<GLsizei>(buffers_.size()), buffers_.data());
    if (!framebuffers_.empty())
        glDeleteFramebuffers(static_cast<GLsizei>(framebuffers_.size()), framebuffers_.data());
    if (!renderbuffers_.empty())
        glDeleteRenderbuffers(static_cast<GLsizei>(renderbuffers_.size()), renderbuffers_.data());
    for (unsigned list : listNames_)
        lists_.deleteList(list);
}

unsigned RenderContext::texture(const std::string& fileName)
{
    if (fileName.empty())
        return 0;
    const auto found = fileTextures_.find(fileName);
    if (found != fileTextures_.end())
        return found->second;
    const unsigned loaded = loadTexture(fileName);
    if (loaded != 0)
        fileTextures_.emplace(fileName, loaded);
    return loaded;
}

unsigned RenderContext::newTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name != 0)
        textures_.push_back(name);
    return name;
}

unsigned RenderContext::newBuffer()
{
    GLuint name = 0;
    if (hasBuffers_)
        glGenBuffers(1, &name);
    if (name != 0)
        buffers_.push_back(name);
    return name;
}

unsigned RenderContext::newFramebuffer()
{
    GLuint name = 0;
    if (hasFramebuffers_)
        glGenFramebuffers(1, &name);
    if (name != 0)
        framebuffers_.push_back(name);
    return name;
}

unsigned RenderContext::newRenderbuffer()
{
    GLuint name = 0;
    if (hasFramebuffers_)
        glGenRenderbuffers(1, &name);
    if (name != 0)
        renderbuffers_.push_back(name);
    return name;
}

void RenderContext::compile(KeptList& list, std::uint64_t version, const std::function<void()>& content)
{
    if (list.version == version)
        return;
    list.version = version;
    if (list.name == 0) {
        list.name = lists_.newList();
        if (list.name == 0)
            return;
        listNames_.push_back(list.name);
    }
    lists_.compileList(list.name, content);
}

void RenderContext::call(const KeptList& list, const std::function<void()>& content)
{
    if (list.name != 0)
        lists_.callList(list.name);
    else
        content();
}

RenderContext::StreamBuffers RenderContext::streamBuffers()
{
    if (stream_.vertices == 0 && hasBuffers_) {
        stream_.vertices = newBuffer();
        stream_.indices = newBuffer();
    }
    return stream_;
}

std::size_t RenderContext::liveObjects() const
{
    return fileTextures_.size() + textures_.size() + buffers_.size() + listNames_.size() + framebuffers_.size()
        + renderbuffers_.size();
}

} // namespace cubrava
