#pragma once

#include "Effect.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace cubrava {

class RenderContext;

// The scene's running effects, in the order they were started.
class EffectList {
public:
    void add(std::unique_ptr<Effect> effect);

    // One step of every effect, in order.
    void stepAll();

    // Draws every effect in order and destroys each one whose draw reports
    // that no particle is left.
    void drawAll(RenderContext& context);

    // Destroys every effect, the last first.
    void clear();

    bool empty() const { return effects_.empty(); }
    std::size_t size() const { return effects_.size(); }
    const Effect& operator[](std::size_t index) const { return *effects_[index]; }

private:
    std::vector<std::unique_ptr<Effect>> effects_;
};

} // namespace cubrava
