#include "TextureCache.h"

#include "Material.h"

#include <mutex>
#include <utility>
#include <vector>

namespace cubrava {

namespace {

struct Cache {
    std::mutex mutex;
    TextureLoader loader;
    std::vector<std::pair<std::string, std::uint32_t>> entries;
    bool flushPending = false;

    // Caller holds the mutex.
    void flushIfPending()
    {
        if (!flushPending)
            return;
        while (!entries.empty())
            entries.pop_back();
        flushPending = false;
    }
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

} // namespace

void setTextureLoader(TextureLoader loader)
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.loader = std::move(loader);
}

std::uint32_t bindTexture(const std::string& name)
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.flushIfPending();
    if (name.empty())
        return 0;
    for (const auto& entry : c.entries) {
        if (entry.first == name)
            return entry.second;
    }
    std::uint32_t handle = c.loader ? c.loader(name) : 0;
    // A failed name is not cached, so it is tried again on the next request.
    if (handle != 0)
        c.entries.emplace_back(name, handle);
    return handle;
}

std::uint32_t cachedTexture(const std::string& name)
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.flushPending)
        return 0;
    for (const auto& entry : c.entries) {
        if (entry.first == name)
            return entry.second;
    }
    return 0;
}

void flushTextureCache()
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.flushPending = true;
}

void resetTextureCache()
{
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.loader = nullptr;
    c.entries.clear();
    c.flushPending = false;
}

void Material::setTexture(const std::string& name)
{
    textureName = name;
    textureHandle = bindTexture(name);
}

} // namespace cubrava
