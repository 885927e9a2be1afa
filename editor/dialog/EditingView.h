#pragma once

#include "data/LevelDef.h"
#include "data/Material.h"

namespace cubrava {

class ViewListener;

// What the main dialog asks of the 3D editing view, called on the dialog's
// thread. EditorView implements it on its view thread; tests use a fake.
class EditingView {
public:
    virtual ~EditingView() = default;
    // Shows and edits a copy of the level: empty selection, layer 0, camera at its start.
    virtual void setLevel(const LevelDef& level) = 0;
    // Fills every selected cell of the current layer with a copy of the brush.
    virtual void addBlocks(const Material& brush) = 0;
    // Empties every selected cell of the current layer.
    virtual void removeBlocks() = 0;
    // Replaces the level's blocks with copies of the view's cubes, ordered by
    // x, then y, then z.
    virtual void exportBlocks(LevelDef& level) = 0;
    // Shows the level's blocks in place of the view's cubes, keeping the
    // layer, the selection and the camera: the same level as it was before
    // or after some edits. A level of another size is shown as setLevel does.
    virtual void replaceCubes(const LevelDef& level) = 0;
    // Each listener at most once, called in the order of registration.
    virtual void addListener(ViewListener& listener) = 0;
};

} // namespace cubrava
