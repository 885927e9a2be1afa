#include "EffectList.h"

#include <utility>

namespace cubrava {

void EffectList::add(std::unique_ptr<Effect> effect)
{
    if (effect)
        effects_.push_back(std::move(effect));
}

void EffectList::stepAll()
{
    for (auto& effect : effects_)
        effect->step();
}

void EffectList::drawAll(RenderContext& context)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < effects_.size(); ++i) {
        if (effects_[i]->draw(context)) {
            if (kept != i)
                effects_[kept] = std::move(effects_[i]);
            ++kept;
        } else {
            effects_[i].reset();
        }
    }
    effects_.resize(kept);
}

void EffectList::clear()
{
    while (!effects_.empty())
        effects_.pop_back();
}

} // namespace cubrava
