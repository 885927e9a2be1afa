#include "EditHistory.h"

#include <algorithm>
#include <utility>

namespace cubrava {

namespace {

bool sameMaterial(const Material& a, const Material& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.textureName == b.textureName;
}

template <typename Part, typename Same>
bool sameParts(
    const std::vector<std::shared_ptr<const Part>>& a, const std::vector<std::shared_ptr<const Part>>& b, Same same)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [&](const auto& x, const auto& y) { return x == y || (x && y && same(*x, *y)); });
}

} // namespace

bool sameLevel(const LevelDef& a, const LevelDef& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.goal == b.goal && a.drop == b.drop && a.name == b.name
        && std::equal(a.blocks().begin(), a.blocks().end(), b.blocks().begin(), b.blocks().end(),
            [](const Block& p, const Block& q) {
                return p.x == q.x && p.y == q.y && p.z == q.z && sameMaterial(*p.material, *q.material);
            });
}

bool sameLayer(const KeptLayer& a, const KeptLayer& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const KeptCube& p, const KeptCube& q) {
        return p.x == q.x && p.y == q.y && sameMaterial(p.material, q.material);
    });
}

bool sameState(const EditState& a, const EditState& b)
{
    return a.ids == b.ids && a.current == b.current && a.name == b.name && a.goal == b.goal && a.drop == b.drop
        && a.modified == b.modified && sameParts(a.levels, b.levels, sameLevel)
        && sameParts(a.cubes, b.cubes, sameLayer);
}

EditHistory::EditHistory(std::size_t capacity)
    : capacity_(capacity)
{
}

void EditHistory::record(EditState before)
{
    undo_.push_back(std::move(before));
    if (undo_.size() > capacity_)
        undo_.pop_front();
    redo_.clear();
}

EditState EditHistory::undo(EditState now)
{
    EditState back = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(now));
    return back;
}

EditState EditHistory::redo(EditState now)
{
    EditState forward = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(now));
    return forward;
}

std::vector<const EditState*> EditHistory::neighbours(const EditState* also) const
{
    std::vector<const EditState*> states;
    if (also)
        states.push_back(also);
    if (!undo_.empty())
        states.push_back(&undo_.back());
    if (!redo_.empty())
        states.push_back(&redo_.back());
    return states;
}

std::shared_ptr<const LevelDef> EditHistory::share(const LevelDef& level, const EditState* also) const
{
    for (const EditState* state : neighbours(also))
        for (const auto& kept : state->levels)
            if (sameLevel(*kept, level))
                return kept;
    return std::make_shared<const LevelDef>(level);
}

std::shared_ptr<const KeptLayer> EditHistory::share(KeptLayer layer, std::size_t z, const EditState* also) const
{
    for (const EditState* state : neighbours(also))
        if (z < state->cubes.size() && sameLayer(*state->cubes[z], layer))
            return state->cubes[z];
    return std::make_shared<const KeptLayer>(std::move(layer));
}

} // namespace cubrava
