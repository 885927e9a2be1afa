#pragma once

#include <X11/Xlib.h>

#include <mutex>

namespace cubrava {

// While one lives, X errors on its connection are recorded instead of ending
// the process, as Xlib's default handler would. The handler is process-wide,
// so traps are taken one at a time; errors on other connections (GLUT's) go on
// to the handler that was there before.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    // Waits for the server's answers, then puts the old handler back.
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether a request sent on the connection so far failed; waits for the
    // server's answers first.
    bool failed();

private:
    std::lock_guard<std::mutex> lock_;
    Display* display_;
};

} // namespace cubrava
