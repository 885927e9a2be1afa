#pragma once

namespace cubrava {

class RenderContext;

// A particle effect of the scene, drawn with the scene's camera applied.
class Effect {
public:
    virtual ~Effect() = default;

    // Draws every living particle; whether any particle is still alive.
    virtual bool draw(RenderContext& context) = 0;

    // Advances every living particle by one step.
    virtual void step() = 0;
};

} // namespace cubrava
