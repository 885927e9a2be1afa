// Looks at the X display for test scripts:
//   xprobe window TITLE [SECONDS]  waits for a viewable window so titled; prints "id x y width height"
//   xprobe gone TITLE [SECONDS]    waits until no viewable window has that title
//   xprobe close TITLE             asks that window to close, as its close button would
//   xprobe pixel X Y               prints the screen's colour there as "R G B"
//   xprobe clipboard [SECONDS]     prints the clipboard's text, asking its owner for it
// Exit status 0 on success, 1 when the wait ran out or the window is absent, 2 on misuse.
#include "platform/WindowLookup.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

using namespace cubrava;

namespace {

bool viewable(const std::string& title)
{
    auto info = findWindowByTitle(title);
    return info && info->viewable;
}

// Polls until `done` holds or `seconds` have passed.
template <typename Done> bool waitFor(double seconds, Done done)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int pixel(int x, int y)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: no display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        XCloseDisplay(display);
        return 1;
    }
    unsigned long value = XGetPixel(image, 0, 0);
    auto channel = [&](unsigned long mask) {
        unsigned shift = 0;
        while (mask && !((mask >> shift) & 1))
            ++shift;
        unsigned long max = mask >> shift;
        return max ? static_cast<unsigned>(((value & mask) >> shift) * 255 / max) : 0u;
    };
    std::printf("%u %u %u\n", channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}

// Asks the clipboard's owner for its text as UTF-8 into a property of a
// window of our own, and waits for the answer.
int clipboard(double seconds)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: no display\n");
        return 1;
    }
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    Atom selection = XInternAtom(display, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom property = XInternAtom(display, "XPROBE_CLIPBOARD", False);
    XConvertSelection(display, selection, utf8, property, window, CurrentTime);
    XFlush(display);
    int status = 1;
    bool answered = waitFor(seconds, [&] {
        XEvent event;
        while (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
            if (event.xselection.property == None)
                return true; // no owner, or it refused
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(
                    display, window, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data)
                    == Success
                && data) {
                std::fwrite(data, 1, count, stdout);
                std::fputc('\n', stdout);
                status = 0;
                XFree(data);
            }
            return true;
        }
        return false;
    });
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return answered ? status : 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "pixel" && argc == 4)
        return pixel(std::atoi(argv[2]), std::atoi(argv[3]));
    if (command == "clipboard" && argc <= 3)
        return clipboard(argc == 3 ? std::atof(argv[2]) : 0.0);
    if (argc < 3 || argc > 4 || (command != "window" && command != "gone" && command != "close")) {
        std::fprintf(
            stderr, "usage: xprobe window|gone TITLE [SECONDS] | close TITLE | pixel X Y | clipboard [SECONDS]\n");
        return 2;
    }
    std::string title = argv[2];
    double seconds = argc == 4 ? std::atof(argv[3]) : 0.0;

    if (command == "window") {
        if (!waitFor(seconds, [&] { return viewable(title); }))
            return 1;
        WindowInfo info = *findWindowByTitle(title);
        std::printf("%lu %d %d %d %d\n", info.id, info.x, info.y, info.width, info.height);
        return 0;
    }
    if (command == "gone")
        return waitFor(seconds, [&] { return !viewable(title); }) ? 0 : 1;
    auto info = findWindowByTitle(title);
    return info && requestWindowClose(info->id) ? 0 : 1;
}
