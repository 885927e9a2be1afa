#pragma once

#include "Screen.h"

#include <functional>

namespace cubrava {

// The Screen on freeglut. Game mode where the display offers it; elsewhere
// (Xvfb, some servers) a window covering the screen stands in for it.
class GlutScreen : public Screen {
public:
    // registerCallbacks and idle are the program's callback set-up.
    GlutScreen(std::function<void()> registerCallbacks, void (*idle)());

    // After glutInit: notes the screen size and prepares the window of 80 %.
    void prepare();

    void enterFullScreen() override;
    void leaveFullScreen() override;
    bool fullScreen() const override { return gameMode_ || coveringWindow_ != 0; }
    void openWindow() override;
    void closeWindow() override;
    void registerCallbacks() override;
    void setPointerVisible(bool visible) override;
    void setIdleWanted(bool wanted) override;
    std::optional<PointerPlace> pointerPlace() const override;
    bool keepsBackBuffer() const override;

    // Shows the back buffer: copied to the window where the display can copy
    // it and leave it as it is, else swapped.
    void present() const;

    // Leaves whatever display is open, so a message box can take the input
    // that game mode grabs.
    void closeAll();

private:
    std::function<void()> registerCallbacks_;
    void (*idle_)();
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    bool gameMode_ = false;
    int coveringWindow_ = 0;
    int window_ = 0;
    // Whether the display copies a back buffer to the window; asked once.
    mutable int copiesBackBuffer_ = -1;
};

} // namespace cubrava
