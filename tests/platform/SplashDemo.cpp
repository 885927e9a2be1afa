// Starts like the game: the splash, then after a second a "game" that opens a
// screen-sized window over it and pumps the splash every 100 ms as GLUT's
// timer does. Prints when things happen, in ms since the program started.
// The stand-in window stays until it is asked to close, so a test can look
// at it for as long as it needs.
#include "platform/SplashWindow.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace cubrava;

int main()
{
    auto begin = std::chrono::steady_clock::now();
    auto now = [&] {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin).count());
    };
    int starts = 0;
    runSplash([&] {
        std::printf("start %d %ld\n", ++starts, now());
        std::fflush(stdout);
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
        while (pumpSplash())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
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
