#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace cubrava {

// Loads an image file into a texture of the current rendering context and
// returns its handle, or 0 when the file cannot be opened or decoded.
using TextureLoader = std::function<std::uint32_t(const std::string& fileName)>;

// The process-wide cache of (texture name, handle) pairs. Safe to call from two
// threads: the editor names textures on its dialog thread and binds them on its
// view thread.

// Installs the loader the cache calls for names it has not seen; without one,
// every texture stays unbound.
void setTextureLoader(TextureLoader loader);

// Handle for a name: cached, else loaded (and cached when that succeeds).
// An empty name gives 0 without asking the loader.
std::uint32_t bindTexture(const std::string& name);

// Handle cached for a name, 0 when none; never loads.
std::uint32_t cachedTexture(const std::string& name);

// Marks the cache to be emptied before its next use. Called when the rendering
// context is about to be recreated: the handles it holds die with the context,
// so they are forgotten rather than deleted in the new one.
void flushTextureCache();

// Forgets the loader, every cached pair and a pending flush, as at start-up
// (tests start and end with it; see tests/support/ProcessStateGuard.h).
void resetTextureCache();

} // namespace cubrava
