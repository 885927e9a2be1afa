#include "platform/WindowLookup.h"

#include "platform/XErrorTrap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace cubrava {

namespace {

// A connection of its own for one lookup or request. Windows vanish while we
// walk the tree; their errors are expected and only recorded.
class Connection {
public:
    Connection()
    {
        const char* name = std::getenv("DISPLAY");
        display_ = name && *name ? XOpenDisplay(name) : nullptr;
        if (display_)
            trap_.emplace(display_);
    }

    ~Connection()
    {
        if (!display_)
            return;
        trap_.reset();
        XCloseDisplay(display_);
    }

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* display() const { return display_; }
    // Whether a request failed (BadWindow: there was no such window).
    bool failed() { return trap_ && trap_->failed(); }

private:
    Display* display_ = nullptr;
    std::optional<XErrorTrap> trap_;
};

struct XFreeDeleter {
    void operator()(void* p) const
    {
        if (p)
            XFree(p);
    }
};

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        bool same = title == name;
        XFree(name);
        if (same)
            return true;
    }
    // Toolkits that write only the UTF-8 title.
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
        != Success)
        return false;
    std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    return data && type == utf8 && format == 8 && title.size() == count && std::memcmp(data, title.data(), count) == 0;
}

std::optional<WindowInfo> describe(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return std::nullopt;
    WindowInfo info;
    info.id = window;
    info.width = attributes.width;
    info.height = attributes.height;
    info.viewable = attributes.map_state == IsViewable;
    Window child;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &info.x, &info.y, &child);
    return info;
}

// Top-level windows sit right under the root, or one or two levels down inside
// a window manager's frames.
void search(Display* display, Window parent, int depth, const std::string& title, std::optional<WindowInfo>& best)
{
    Window root, grandparent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &grandparent, &children, &count))
        return;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    for (unsigned i = 0; i < count; ++i) {
        if (hasTitle(display, children[i], title)) {
            std::optional<WindowInfo> info = describe(display, children[i]);
            if (info && (!best || (info->viewable && !best->viewable)))
                best = info;
            if (best && best->viewable)
                return;
        }
        if (depth < 2)
            search(display, children[i], depth + 1, title, best);
        if (best && best->viewable)
            return;
    }
}

} // namespace

std::optional<WindowInfo> findWindowByTitle(const std::string& title)
{
    Connection connection;
    Display* display = connection.display();
    if (!display)
        return std::nullopt;
    std::optional<WindowInfo> best;
    search(display, DefaultRootWindow(display), 0, title, best);
    return best;
}

bool requestWindowClose(unsigned long id)
{
    Connection connection;
    Display* display = connection.display();
    if (!display)
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, id, False, NoEventMask, &event);
    return !connection.failed();
}

} // namespace cubrava
