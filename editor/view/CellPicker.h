#pragma once

namespace cubrava {

class CameraControl;
class Pit;

// What picking looks at: the pit, the layer being edited and the camera.
struct PickScene {
    const Pit& pit;
    int layer;
    const CameraControl& camera;
};

// Finds the cell under a window point. The view asks it while holding its
// lock, on the view thread; the OpenGL one draws the layer in selection mode,
// tests answer from a table.
class CellPicker {
public:
    virtual ~CellPicker() = default;
    // The pick name (PickNames.h) of the cell of scene.layer nearest the
    // viewer at window point (x, y), origin top left; -1 for none.
    virtual int cellAt(const PickScene& scene, int x, int y) = 0;
};

} // namespace cubrava
