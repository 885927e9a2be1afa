#pragma once

#include <optional>
#include <string>

namespace cubrava {

struct WindowInfo {
    unsigned long id = 0;
    int x = 0; // on the screen, of the window itself (not a window manager's frame)
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

// A top-level window whose title is exactly `title`, looking through window
// managers' frames. A viewable one is preferred over one that is not mapped.
// Nothing when there is no such window or no display.
std::optional<WindowInfo> findWindowByTitle(const std::string& title);

// Asks the window, as its close button would, to close.
bool requestWindowClose(unsigned long id);

} // namespace cubrava
