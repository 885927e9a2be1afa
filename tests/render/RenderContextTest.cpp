// The owner of a rendering context's objects, on a real context (part of
// scene_gl_tests, under scripts/with-xvfb).
#define GL_GLEXT_PROTOTYPES
#include "render/RenderContext.h"
#include "SceneBmp.h"
#include "render/GlutDisplay.h"
#include "support/ScratchDir.h"

#include <GL/freeglut.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace cubrava;

namespace {

void writeTexture(const std::string& path, std::uint8_t red)
{
    writeBmp24(path, 1, 1, { red, 20, 30 });
}

} // namespace

// A texture is found by its file name, byte for byte, and shared; a name that
// cannot be loaded is tried again at every request, one loaded stays loaded
// even when its file goes; each context loads its own.
TEST(RenderContextTextures, OnePerNameLoadedOnceFailuresTriedAgainEachContextItsOwn)
{
    ScratchDir dir;
    std::filesystem::create_directories("Textures");
    writeTexture("Textures/wood.bmp", 10);
    writeTexture("Textures/Wood.bmp", 200);
    GlutDisplay display;
    RenderContext context(display);

    EXPECT_EQ(context.texture(""), 0u);
    EXPECT_EQ(context.liveObjects(), 0u) << "no name, nothing loaded";
    const unsigned wood = context.texture("Textures/wood.bmp");
    ASSERT_NE(wood, 0u);
    EXPECT_TRUE(glIsTexture(wood));
    EXPECT_EQ(context.texture("Textures/wood.bmp"), wood);
    const unsigned upper = context.texture("Textures/Wood.bmp");
    EXPECT_NE(upper, 0u);
    EXPECT_NE(upper, wood) << "names compare byte for byte";
    EXPECT_EQ(context.liveObjects(), 2u);

    EXPECT_EQ(context.texture("Textures/late.bmp"), 0u);
    EXPECT_EQ(context.liveObjects(), 2u);
    writeTexture("Textures/late.bmp", 90);
    EXPECT_NE(context.texture("Textures/late.bmp"), 0u) << "a failed name is tried again";
    std::filesystem::remove("Textures/wood.bmp");
    EXPECT_EQ(context.texture("Textures/wood.bmp"), wood) << "kept while the context lives";

    const int testWindow = glutGetWindow();
    const int other = glutCreateWindow("another context");
    {
        RenderContext next(display);
        EXPECT_EQ(next.texture("Textures/wood.bmp"), 0u) << "loaded again, from the file, which is gone";
        const unsigned late = next.texture("Textures/late.bmp");
        EXPECT_NE(late, 0u);
        EXPECT_TRUE(glIsTexture(late));
        EXPECT_EQ(next.liveObjects(), 1u);
    }
    glutDestroyWindow(other);
    glutSetWindow(testWindow);
}

// Whatever the context made, and whatever drawings keep in it, goes with it.
TEST(RenderContextObjects, EveryObjectItMadeIsDeletedWithIt)
{
    ScratchDir dir;
    std::filesystem::create_directories("Textures");
    writeTexture("Textures/t.bmp", 10);
    struct Kept {
        KeptList list;
        unsigned buffer = 0;
    };
    GlutDisplay display;
    ContextKey key;
    auto context = std::make_unique<RenderContext>(display);
    ASSERT_TRUE(context->hasBuffers());
    ASSERT_TRUE(context->hasFramebuffers());

    Kept& kept = context->kept<Kept>(key);
    EXPECT_EQ(&context->kept<Kept>(key), &kept) << "one value per key";
    context->compile(kept.list, 1, [] { glColor3f(1, 0, 0); });
    kept.buffer = context->newBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, kept.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const unsigned texture = context->newTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindTexture(GL_TEXTURE_2D, 0);
    const unsigned framebuffer = context->newFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const unsigned renderbuffer = context->newRenderbuffer();
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    const RenderContext::StreamBuffers stream = context->streamBuffers();
    EXPECT_EQ(context->streamBuffers().vertices, stream.vertices) << "made once";
    glBindBuffer(GL_ARRAY_BUFFER, stream.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const unsigned file = context->texture("Textures/t.bmp");
    EXPECT_EQ(context->liveObjects(), 8u);

    const unsigned list = kept.list.name, buffer = kept.buffer;
    context->compile(kept.list, 1, [] { ADD_FAILURE() << "compiled again for the version it holds"; });
    EXPECT_EQ(kept.list.name, list);
    for (GLboolean alive : { GL_TRUE, GL_FALSE }) {
        SCOPED_TRACE(alive ? "with the context" : "after it");
        EXPECT_EQ(glIsList(list), alive);
        EXPECT_EQ(glIsBuffer(buffer), alive);
        EXPECT_EQ(glIsBuffer(stream.vertices), alive);
        EXPECT_EQ(glIsTexture(texture), alive);
        EXPECT_EQ(glIsTexture(file), alive);
        EXPECT_EQ(glIsFramebuffer(framebuffer), alive);
        EXPECT_EQ(glIsRenderbuffer(renderbuffer), alive);
        context.reset();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
