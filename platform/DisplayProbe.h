#pragma once

namespace cubrava {

// Whether an X display can be opened. The toolkits end the process when they
// cannot open one; ask this first to fail with a message of our own instead.
bool displayAvailable();

// A connection to the X display named by DISPLAY, held open from the start
// of a program to its end. An X server with no other client resets when its
// last client leaves and refuses the connections made meanwhile, so a program
// whose first connection closes before the next one opens (a probe, then the
// toolkit) may find itself refused by its own leaving.
class HeldDisplay {
public:
    HeldDisplay();
    ~HeldDisplay();
    HeldDisplay(const HeldDisplay&) = delete;
    HeldDisplay& operator=(const HeldDisplay&) = delete;

    // Whether the display could be opened.
    explicit operator bool() const { return display_ != nullptr; }

private:
    void* display_ = nullptr;
};

} // namespace cubrava
