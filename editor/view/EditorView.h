#pragma once

#include "CellPicker.h"
#include "LayerLabel.h"
#include "Selection.h"
#include "ViewCubes.h"
#include "data/Material.h"
#include "editor/dialog/EditingView.h"
#include "model/Pit.h"
#include "platform/Input.h"
#include "render/CameraControl.h"
#include "render/ViewRect.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace cubrava {

class EditCubes;
class RedisplayRequest;
class RenderContext;
class TimerService;
class ViewListener;
class ViewWindowService;

// The editor's 3D view of one level. In edit mode it shows one layer at a
// time, with the other layers' cubes faint, hovers the cell under the pointer
// and selects a rectangle of cells on the layer; in camera mode it is moved
// like the game's scene view. The dialog changes the cells through the
// EditingView calls and hears of the selection through ViewListener.
//
// Threads: the EditingView calls come from the dialog's thread and make no
// OpenGL or window-system call: they change the model under the view lock and
// ask for a redisplay through the RedisplayRequest. Everything else (the
// window's callbacks) runs on the view thread, which owns the OpenGL context.
// The view lock is one recursive mutex over the pit, the selection, the
// current layer and the hovered cell; listeners are called with it released,
// so a listener may wait for the dialog's thread while that thread waits for
// the lock.
class EditorView : public EditingView, private CellObserver {
public:
    // picker finds cells under the pointer (SelectionPicker on screen).
    EditorView(ViewWindowService& window, TimerService& timers, RedisplayRequest& redisplay, CellPicker& picker);
    ~EditorView() override;
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    // --- the dialog's thread ---
    void setLevel(const LevelDef& level) override;
    void addBlocks(const Material& brush) override;
    void removeBlocks() override;
    void exportBlocks(LevelDef& level) override;
    void replaceCubes(const LevelDef& level) override;
    void addListener(ViewListener& listener) override;

    // --- the view thread: the window's callbacks ---
    // Once the window's rendering context exists.
    void initGl();
    // Draws the frame; the window swaps it.
    void display(RenderContext& context);
    // The same with the cubes drawn another way.
    void display(RenderContext& context, EditCubes& cubes);
    // An idle moment: draws, off screen, a step of what the next change of
    // layer would otherwise draw in its frame; whether more is left. The
    // window calls it while it says so and nothing else is to be done.
    bool prepareAhead(RenderContext& context);
    // Stores the viewport; the window then displays at once.
    void reshape(int width, int height);
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z go to the listeners as undo and redo.
    void keyDown(unsigned char key, Modifiers held = {});
    void keyUp(unsigned char key);
    // Handled as the keypad digits they stand for; F5 as the mode key.
    void specialKey(SpecialKey key);
    // Window coordinates, origin top left. In edit mode the wheel steps the
    // layer as "8" and "2" do.
    void mouseButton(MouseButton button, ButtonState state, int x, int y);
    // Motion with a button held, and without.
    void mouseDrag(int x, int y);
    void mouseHover(int x, int y);

    // --- readers, any thread ---
    bool editMode() const { return editMode_; }
    bool hasLevel() const;
    int currentLayer() const;
    // A pick name, -1 for none.
    int hovered() const;
    Selection selection() const;
    const CameraControl& cameraControl() const { return camera_; }
    CameraControl& cameraControl() { return camera_; }
    ViewRect viewport() const;

private:
    struct Reports;

    // Puts the pit in place, under the view lock.
    void showPit(std::unique_ptr<Pit> fresh, bool startOver, Reports& reports);
    void cellsChanged() override;
    void toggleMode();
    void stepLayer(int step);
    // Under the view lock.
    void pickAt(int x, int y);
    void noteSelection(Reports& reports) const;
    void deliver(const Reports& reports);
    // Runs draw with the camera's projection and transform applied and the
    // depth test on, under the view lock.
    void inScene(const std::function<void()>& draw);

    ViewWindowService& window_;
    RedisplayRequest& redisplay_;
    CellPicker& picker_;
    CameraControl camera_;
    // Changed by the toggle keys only, on the view thread.
    std::atomic<bool> editMode_ { true };
    // The view thread's, from reshape.
    ViewRect viewport_;
    // Drawn in the empty cells of the edited layer; the view thread's.
    Material ghost_;
    // The view thread's.
    ViewCubes cubes_;
    LayerLabel layerLabel_;

    // The view lock, and what it guards.
    mutable std::recursive_mutex mutex_;
    // The level's cells, each holding a copy of its material.
    std::unique_ptr<Pit> pit_;
    Selection selection_;
    int layer_ = 0;
    int hovered_ = -1;
    // Counts the changes of the cells: a new pit, a cell put or cleared.
    std::uint64_t cells_ = 0;

    mutable std::mutex listenersMutex_;
    std::vector<ViewListener*> listeners_;
};

} // namespace cubrava
