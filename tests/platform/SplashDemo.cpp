// Starts like the game: the splash, then after a second a "game" that opens a
// screen-sized window over it and pumps the splash every 100 ms as GLUT's
// timer does. Prints when things happen, in ms since the program started.
//
//   splash_demo [GO_FILE]
//
// With GO_FILE the game waits for that file to exist before it opens its
// window, so a test can look at the splash first however slow it is; the
// splash cannot close before the game pumps it.
// The first time the splash stands above the stand-in window again it prints
// "above": the X server's stacking order, which a busy machine cannot race
// the way a screenshot of the one second before the splash closes can. The
// stand-in window stays until it is asked to close, so a test can look at it
// for as long as it needs.
#include "platform/SplashWindow.h"
#include "platform/WindowLookup.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

using namespace cubrava;

namespace {

// Whether the splash is mapped above the window among the root's children,
// which XQueryTree lists from the bottom up.
bool splashAbove(Display* display, Window game)
{
    const auto splash = findWindowByTitle(kSplashTitle);
    if (!splash || !splash->viewable)
        return false;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    int gameAt = -1, splashAt = -1;
    for (unsigned i = 0; i < count; ++i) {
        if (children[i] == game)
            gameAt = static_cast<int>(i);
        if (children[i] == splash->id)
            splashAt = static_cast<int>(i);
    }
    XFree(children);
    return gameAt >= 0 && splashAt > gameAt;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string goFile = argc > 1 ? argv[1] : "";
    auto begin = std::chrono::steady_clock::now();
    auto now = [&] {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin).count());
    };
    int starts = 0;
    runSplash([&] {
        std::printf("start %d %ld\n", ++starts, now());
        std::fflush(stdout);
        while (!goFile.empty() && !std::filesystem::exists(goFile))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Display* display = XOpenDisplay(nullptr);
        int screen = DefaultScreen(display);
        XColor green {};
        XAllocNamedColor(display, DefaultColormap(display, screen), "green", &green, &green);
        Window game = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, DisplayWidth(display, screen),
            DisplayHeight(display, screen), 0, 0, green.pixel);
        XStoreName(display, game, "Stand-in game");
        Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, game, &deleteWindow, 1);
        XMapRaised(display, game);
        XSync(display, False);
        bool above = false;
        while (pumpSplash()) {
            if (!above && splashAbove(display, game)) {
                above = true;
                std::printf("above %ld\n", now());
                std::fflush(stdout);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::printf("closed %ld\n", now());
        std::fflush(stdout);
        for (XEvent event {};;) {
            XNextEvent(display, &event);
            if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
                break;
        }
        XDestroyWindow(display, game);
        XCloseDisplay(display);
    });
    std::printf("returned %ld\n", now());
    return 0;
}
