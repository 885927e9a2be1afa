// Looks at the X display for test scripts:
//   xprobe window TITLE [SECONDS]  waits for a viewable window so titled; prints "id x y width height"
//   xprobe gone TITLE [SECONDS]    waits until no viewable window has that title
//   xprobe close TITLE             asks that window to close, as its close button would
//   xprobe pixel X Y               prints the screen's colour there as "R G B"
//   xprobe dump X Y W H            prints "X Y R G B" for every pixel of the rectangle that is not black
//   xprobe count CHECK...          counts the pixels of each check; fails unless every count is in bounds
//   xprobe clipboard [SECONDS]     prints the clipboard's text, asking its owner for it
// A CHECK is name:x,y,w,h:>=N:rlo-rhi,glo-ghi,blo-bhi (or <=N); rectangles are
// in screen pixels from the top left. The screen is read as the C++ tests
// read it (ScreenShot). Exit status 0 on success, 1 when the wait ran out,
// the window is absent or a count is out of bounds, 2 on misuse.
#include "platform/WindowLookup.h"
#include "support/screen/ScreenShot.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
    const e2e::ScreenShot shot = e2e::ScreenShot::take();
    if (x < 0 || y < 0 || x >= shot.width() || y >= shot.height())
        return 1;
    const e2e::Rgb p = shot.at(x, y);
    std::printf("%d %d %d\n", p.r, p.g, p.b);
    return 0;
}

int dump(const e2e::Rect& area)
{
    const e2e::ScreenShot shot = e2e::ScreenShot::take();
    for (int y = std::max(0, area.y0); y < std::min(shot.height(), area.y1); ++y)
        for (int x = std::max(0, area.x0); x < std::min(shot.width(), area.x1); ++x) {
            const e2e::Rgb p = shot.at(x, y);
            if (p.r || p.g || p.b)
                std::printf("%d %d %d %d %d\n", x, y, p.r, p.g, p.b);
        }
    return 0;
}

struct Check {
    std::string name;
    e2e::Rect area;
    bool atLeast;
    long bound;
    int lo[3], hi[3];
};

bool parse(const std::string& text, Check& c)
{
    std::istringstream in(text);
    std::string rect, bound, colours;
    std::getline(in, c.name, ':');
    std::getline(in, rect, ':');
    std::getline(in, bound, ':');
    std::getline(in, colours);
    char comma, dash;
    int w = 0, h = 0;
    std::istringstream r(rect);
    if (!(r >> c.area.x0 >> comma >> c.area.y0 >> comma >> w >> comma >> h))
        return false;
    c.area.x1 = c.area.x0 + w;
    c.area.y1 = c.area.y0 + h;
    if (bound.size() < 3 || (bound.compare(0, 2, ">=") != 0 && bound.compare(0, 2, "<=") != 0))
        return false;
    c.atLeast = bound[0] == '>';
    c.bound = std::atol(bound.c_str() + 2);
    std::istringstream col(colours);
    for (int i = 0; i < 3; ++i) {
        if (!(col >> c.lo[i] >> dash >> c.hi[i]))
            return false;
        if (i < 2)
            col >> comma;
    }
    return true;
}

int count(int checks, char** texts)
{
    std::vector<Check> parsed(static_cast<std::size_t>(checks));
    for (int i = 0; i < checks; ++i)
        if (!parse(texts[i], parsed[static_cast<std::size_t>(i)])) {
            std::fprintf(stderr, "xprobe: bad check %s\n", texts[i]);
            return 2;
        }
    const e2e::ScreenShot shot = e2e::ScreenShot::take();
    bool allPassed = true;
    for (const Check& c : parsed) {
        const long n = shot.count(c.area, [&](const e2e::Rgb& p) {
            const int channels[3] = { p.r, p.g, p.b };
            for (int i = 0; i < 3; ++i)
                if (channels[i] < c.lo[i] || channels[i] > c.hi[i])
                    return false;
            return true;
        });
        const bool passed = c.atLeast ? n >= c.bound : n <= c.bound;
        allPassed = allPassed && passed;
        std::printf("%-24s %7ld pixels (want %s%ld)  %s\n", c.name.c_str(), n, c.atLeast ? ">=" : "<=", c.bound,
            passed ? "ok" : "FAIL");
    }
    return allPassed ? 0 : 1;
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

// The commands that read the screen; none when the command is another.
std::optional<int> readScreen(const std::string& command, int argc, char** argv)
{
    try {
        if (command == "pixel" && argc == 4)
            return pixel(std::atoi(argv[2]), std::atoi(argv[3]));
        if (command == "dump" && argc == 6) {
            const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
            return dump({ x, y, x + std::atoi(argv[4]), y + std::atoi(argv[5]) });
        }
        if (command == "count" && argc > 2)
            return count(argc - 2, argv + 2);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "xprobe: %s\n", e.what());
        return 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (const std::optional<int> status = readScreen(command, argc, argv))
        return *status;
    if (command == "clipboard" && argc <= 3)
        return clipboard(argc == 3 ? std::atof(argv[2]) : 0.0);
    if (argc < 3 || argc > 4 || (command != "window" && command != "gone" && command != "close")) {
        std::fprintf(stderr,
            "usage: xprobe window|gone TITLE [SECONDS] | close TITLE | pixel X Y | dump X Y W H | count CHECK... "
            "| clipboard [SECONDS]\n");
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
