#pragma once

#include "render/PointerPlace.h"

#include <optional>

namespace cubrava {

// The display calls the shell makes besides drawing: full screen or a window,
// the pointer's look, and whether idle time is wanted. Tests replace it.
class Screen {
public:
    virtual ~Screen() = default;

    // Full screen in GLUT's game mode, or a screen-sized window at (0, 0)
    // where the display cannot enter it. Titled "Cubrava" either way.
    virtual void enterFullScreen() = 0;
    virtual void leaveFullScreen() = 0;
    virtual bool fullScreen() const = 0;

    // The window of 80 % of the screen, centred, titled "Cubrava".
    virtual void openWindow() = 0;
    virtual void closeWindow() = 0;

    // The new display's callbacks; run for every display made.
    virtual void registerCallbacks() = 0;

    // The normal pointer while paused, none while playing.
    virtual void setPointerVisible(bool visible) = 0;

    // Idle callbacks only while there is animation to run: a paused game
    // must not spin the processor.
    virtual void setIdleWanted(bool wanted) = 0;

    // Where the pointer is now over the current display; nothing when that
    // cannot be told. A new display gets no pointer motion until it moves.
    virtual std::optional<PointerPlace> pointerPlace() const = 0;

    // Whether a frame shown leaves the back buffer as it was drawn, so the
    // next frame need redraw only what changed.
    virtual bool keepsBackBuffer() const = 0;
};

} // namespace cubrava
