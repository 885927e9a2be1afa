#pragma once

#include "data/LevelDef.h"
#include "data/Material.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace cubrava {

// A cube of the view's pit as a kept state holds it.
struct KeptCube {
    std::int8_t x = 0;
    std::int8_t y = 0;
    Material material;
};
// The cubes of one layer, in x, then y order.
using KeptLayer = std::vector<KeptCube>;

// Everything the level editor holds at one moment, as undo goes back to it:
// the committed list, which level is under edit with its uncommitted
// properties and the cubes the view shows, and whether that level is
// modified. Levels and layers that a step leaves alone are shared between
// the states that hold them, so a step costs what it changed.
struct EditState {
    std::vector<std::shared_ptr<const LevelDef>> levels;
    // Each level's identity, which follows it when it moves.
    std::vector<std::uint64_t> ids;
    int current = 0;
    std::string name;
    std::int8_t goal = 1;
    std::int16_t drop = 1000;
    // Layer z of the view's pit at index z, bottom first.
    std::vector<std::shared_ptr<const KeptLayer>> cubes;
    bool modified = false;
};

bool sameLevel(const LevelDef& a, const LevelDef& b);
bool sameLayer(const KeptLayer& a, const KeptLayer& b);
bool sameState(const EditState& a, const EditState& b);

// The steps a designer may undo and redo. A step recorded after an undo
// drops the steps undone; past the capacity the oldest step goes.
class EditHistory {
public:
    explicit EditHistory(std::size_t capacity = 100);

    // The state before a step.
    void record(EditState before);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The state to go back to; `now` is kept for a redo.
    EditState undo(EditState now);
    // The state an undo left; `now` is kept for an undo.
    EditState redo(EditState now);

    // A shared copy of the level, or of the layer: the one a kept state (or
    // `also`) holds when it is the same, else a new one.
    std::shared_ptr<const LevelDef> share(const LevelDef& level, const EditState* also = nullptr) const;
    std::shared_ptr<const KeptLayer> share(KeptLayer layer, std::size_t z, const EditState* also = nullptr) const;

private:
    // The states whose parts a new state most likely repeats.
    std::vector<const EditState*> neighbours(const EditState* also) const;

    std::size_t capacity_;
    std::deque<EditState> undo_;
    std::deque<EditState> redo_;
};

} // namespace cubrava
