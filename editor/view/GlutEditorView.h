#pragma once

#include "EditorView.h"
#include "SelectionPicker.h"
#include "ViewWindow.h"
#include "render/GlutTimers.h"
#include "render/RedisplayRequest.h"

#include <exception>
#include <functional>

namespace cubrava {

// The editing view with the services it runs on in a GLUT window: the window
// calls, GLUT's timers, selection-mode picking, and a redisplay request that
// wakes the window's loop through `wake`. The view thread, the benchmark and
// the tests on a real display build it alike.
class GlutEditorView {
public:
    // wake: makes the loop run a display, whether it could (RedisplayRequest).
    // onTimerError: a failure escaping a timer callback (GlutTimers).
    explicit GlutEditorView(std::function<bool()> wake, std::function<void(std::exception_ptr)> onTimerError = {});
    GlutEditorView(const GlutEditorView&) = delete;
    GlutEditorView& operator=(const GlutEditorView&) = delete;

    EditorView& view() { return view_; }
    SelectionPicker& picker() { return picker_; }
    RedisplayRequest& redisplay() { return redisplay_; }
    GlutTimers& timers() { return timers_; }

private:
    GlutViewWindowService window_;
    GlutTimers timers_;
    RedisplayRequest redisplay_;
    SelectionPicker picker_;
    EditorView view_;
};

} // namespace cubrava
