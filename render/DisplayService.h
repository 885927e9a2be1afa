#pragma once

#include <functional>

namespace cubrava {

// The few window-system and display-list calls the views make, so that their
// logic runs in tests without a display.
class DisplayService {
public:
    virtual ~DisplayService() = default;

    virtual void postRedisplay() = 0;

    // Pointer, in window coordinates (origin top left).
    virtual void warpPointer(int x, int y) = 0;
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;

    // Display lists: a name, or 0 when none can be made.
    virtual unsigned newList() = 0;
    virtual void deleteList(unsigned list) = 0;
    // Records what content draws into the list.
    virtual void compileList(unsigned list, const std::function<void()>& content) = 0;
    virtual void callList(unsigned list) = 0;
};

} // namespace cubrava
