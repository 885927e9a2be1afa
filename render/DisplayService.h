#pragma once

#include <functional>

namespace cubrava {

// The window-system calls a view makes. Only the thread that runs the window's
// event loop may make them: GLUT keeps its current window as unguarded global
// state, and its calls are not safe from any other thread. Another thread asks
// for a redisplay through a RedisplayRequest.
class WindowService {
public:
    virtual ~WindowService() = default;

    // The window is drawn again once the current callback has returned.
    virtual void postRedisplay() = 0;

    // Pointer, in window coordinates (origin top left).
    virtual void warpPointer(int x, int y) = 0;
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;
};

// Display lists of the rendering context. Only the thread on which that
// context is current may use them; in both programs that is the thread of
// the window's event loop.
class DisplayLists {
public:
    virtual ~DisplayLists() = default;

    // A name, or 0 when none can be made.
    virtual unsigned newList() = 0;
    virtual void deleteList(unsigned list) = 0;
    // Records what content draws into the list.
    virtual void compileList(unsigned list, const std::function<void()>& content) = 0;
    virtual void callList(unsigned list) = 0;
};

// Both: a window's calls, and the lists its RenderContext makes through it.
// Tests replace it with fakes so the views' logic runs without a display.
class DisplayService : public WindowService, public DisplayLists { };

} // namespace cubrava
