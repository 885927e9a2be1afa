#pragma once

#include "ViewWindowService.h"
#include "render/GlutDisplay.h"
#include "render/RenderContext.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace cubrava {

class EditorView;

extern const char* const ViewWindowTitle;

// The editing view's window calls through GLUT: the view thread only.
class GlutViewWindowService : public ViewWindowService {
public:
    void postRedisplay() override { glut_.postRedisplay(); }
    void warpPointer(int x, int y) override { glut_.warpPointer(x, y); }
    int windowWidth() const override { return glut_.windowWidth(); }
    int windowHeight() const override { return glut_.windowHeight(); }
    void setPointerVisible(bool visible) override;

private:
    GlutDisplay glut_;
};

// The view's GLUT window and its eight callbacks, which hand every event to
// the view, with the idle moments after a frame, for as long as the view has
// work for them; and the RenderContext of the window's rendering context: made with
// the window, gone when GLUT closes it, however the loop ends. A failure
// escaping a callback is kept and ends the event loop, so the thread that runs
// the loop can report it; nothing unwinds through GLUT.
//
// Beside the dialog, which alone ends the program, the window's close box
// closes the window and another takes its place at once where it stood,
// showing the view as it was (level, layer, selection, camera, mode). GLUT
// must then be set to go on when a window closes
// (GLUT_ACTION_CONTINUE_EXECUTION).
class ViewWindow {
public:
    explicit ViewWindow(EditorView& view);
    // A window GLUT still has keeps it, but no longer calls back here.
    ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;

    // On the thread that called glutInit and runs the loop: a square window a
    // side of trunc(0.6 x screen width) at (10, 50), RGB, double-buffered with
    // depth and stencil buffers, titled ViewWindowTitle, its rendering context
    // set up.
    void create();
    // Told the X window of each window made, the first and those that replace
    // a closed one; on the view thread. Set before create.
    void setOnOpened(std::function<void(unsigned long xid)> onOpened) { onOpened_ = std::move(onOpened); }
    // Whether a window closed by its close box is replaced; set before create.
    void setReopens(bool reopens) { reopens_ = reopens; }
    // The window's, while it is open; the view thread's.
    RenderContext& context() { return *context_; }
    // The X window made by create: the one to wake from other threads.
    unsigned long xid() const { return xid_; }

    // Any thread: the loop ends after the view's next display; the caller
    // then asks for one (a RedisplayRequest or a WindowWake).
    void requestEnd() { endRequested_ = true; }
    bool endRequested() const { return endRequested_; }

    // The view thread: keeps the first failure and ends the loop.
    void fail(std::exception_ptr error);
    std::exception_ptr failure() const;

private:
    void open(int x, int y, int width, int height);
    template <typename Action> static void guarded(void* self, Action action);
    static void onDisplay(void* self);
    static void onIdle(void* self);
    static void onReshape(int width, int height, void* self);
    static void onKeyboard(unsigned char key, int x, int y, void* self);
    static void onKeyboardUp(unsigned char key, int x, int y, void* self);
    static void onSpecial(int key, int x, int y, void* self);
    static void onMouse(int button, int state, int x, int y, void* self);
    static void onMotion(int x, int y, void* self);
    static void onPassiveMotion(int x, int y, void* self);
    static void onClose(void* self);

    EditorView& view_;
    GlutDisplay lists_;
    std::unique_ptr<RenderContext> context_;
    int window_ = 0; // GLUT's number for it, 0 once closed
    unsigned long xid_ = 0;
    std::atomic<bool> endRequested_ { false };
    mutable std::mutex failureMutex_;
    std::exception_ptr failure_;
    std::function<void(unsigned long)> onOpened_;
    bool reopens_ = true;
};

} // namespace cubrava
