#pragma once

#include "ContextKey.h"
#include "DisplayService.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace cubrava {

// A display list a drawing keeps, and the version of the content it holds.
struct KeptList {
    unsigned name = 0;
    std::uint64_t version = 0;
};

// Every OpenGL object made in one rendering context: the textures of image
// files, by file name, and the textures, buffers, display lists, framebuffers
// and renderbuffers drawings make, with what each drawing keeps about them.
// Make it once the context is current, destroy it while it still is and before
// the context goes: that deletes every object at once. A new context gets a new
// one. Drawing code asks it for what it needs by a stable key, every time it
// draws, so nothing outside keeps a name from one context into the next.
//
// The thread on which the context is current is the only one that may use it.
class RenderContext {
public:
    // Display lists are made and run through `lists`: the context's own in
    // the programs, a stand-in in tests without a display.
    explicit RenderContext(DisplayLists& lists);
    ~RenderContext();
    RenderContext(const RenderContext&) = delete;
    RenderContext& operator=(const RenderContext&) = delete;

    // The texture of an image file: loaded the first time it is asked for and
    // shared from then on. 0 for an empty name, and when the file cannot be
    // read; such a name is tried again the next time it is asked for.
    unsigned texture(const std::string& fileName);

    // What a drawing keeps in this context under its key: a value of its own
    // type, made empty when first asked for, gone with the context. One key,
    // one type.
    template <typename Kept> Kept& kept(const ContextKey& key);

    // New objects, deleted with the context; 0 when none can be made.
    unsigned newTexture();
    unsigned newBuffer();
    unsigned newFramebuffer();
    unsigned newRenderbuffer();

    // Compiles content into the kept list unless it holds `version` already,
    // making the list first if need be (a list the renderer cannot make stays
    // 0, tried again at the next version). Outside any list compilation.
    void compile(KeptList& list, std::uint64_t version, const std::function<void()>& content);
    // Runs the list, or the content directly when there is no list.
    void call(const KeptList& list, const std::function<void()>& content);

    // Two buffers, for vertices and indices, that drawings fill anew for every
    // draw: whoever draws next may overwrite them.
    struct StreamBuffers {
        unsigned vertices = 0;
        unsigned indices = 0;
    };
    StreamBuffers streamBuffers();

    // What the renderer offers: buffer objects (OpenGL 1.5) and framebuffer
    // objects (3.0). Without them the drawings use client memory, or draw
    // directly.
    bool hasBuffers() const { return hasBuffers_; }
    bool hasFramebuffers() const { return hasFramebuffers_; }

    // Objects alive in this context, of every kind.
    std::size_t liveObjects() const;

private:
    struct KeptBase {
        virtual ~KeptBase() = default;
    };
    template <typename Kept> struct KeptValue : KeptBase {
        Kept value;
    };

    DisplayLists& lists_;
    bool hasBuffers_ = false;
    bool hasFramebuffers_ = false;
    std::map<std::string, unsigned> fileTextures_;
    std::vector<unsigned> textures_;
    std::vector<unsigned> buffers_;
    std::vector<unsigned> listNames_;
    std::vector<unsigned> framebuffers_;
    std::vector<unsigned> renderbuffers_;
    StreamBuffers stream_;
    // What drawings keep holds names of the lists above; it deletes none.
    std::unordered_map<std::uint64_t, std::unique_ptr<KeptBase>> kept_;
};

template <typename Kept> Kept& RenderContext::kept(const ContextKey& key)
{
    std::unique_ptr<KeptBase>& slot = kept_[key.value()];
    if (!slot)
        slot = std::make_unique<KeptValue<Kept>>();
    auto* value = dynamic_cast<KeptValue<Kept>*>(slot.get());
    if (!value)
        throw std::logic_error("a context key asked for two kinds of kept value");
    return value->value;
}

} // namespace cubrava
