#pragma once

#include "game/Screen.h"

#include <optional>

namespace cubrava::test {

// The game's displays as flags and counts: nothing is shown.
struct FakeScreen : Screen {
    bool full = true;
    bool pointerVisible = true;
    bool idleWanted = false;
    int displaysMade = 0;

    void enterFullScreen() override
    {
        full = true;
        ++displaysMade;
    }
    void leaveFullScreen() override { full = false; }
    bool fullScreen() const override { return full; }
    void openWindow() override { ++displaysMade; }
    void closeWindow() override { }
    void registerCallbacks() override { }
    void setPointerVisible(bool visible) override { pointerVisible = visible; }
    void setIdleWanted(bool wanted) override { idleWanted = wanted; }
    std::optional<PointerPlace> pointerPlace() const override { return pointer; }
    bool keepsBackBuffer() const override { return keepsBack; }

    bool keepsBack = false;

    // Where the pointer is on the display made last; nothing: not known.
    std::optional<PointerPlace> pointer;
};

} // namespace cubrava::test
