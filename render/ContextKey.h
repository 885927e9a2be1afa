#pragma once

#include <atomic>
#include <cstdint>

namespace cubrava {

// Names one drawing for as long as it lives, so that it can find what it
// keeps in a rendering context (RenderContext::kept). No two drawings of a
// process ever get the same key, so a new one never finds an old one's objects.
class ContextKey {
public:
    ContextKey()
        : value_(next())
    {
    }
    ContextKey(const ContextKey&) = delete;
    ContextKey& operator=(const ContextKey&) = delete;

    std::uint64_t value() const { return value_; }

private:
    static std::uint64_t next()
    {
        static std::atomic<std::uint64_t> counter { 0 };
        return ++counter;
    }

    std::uint64_t value_;
};

} // namespace cubrava
