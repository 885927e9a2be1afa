// The game's window carries the program's icon, whether GLUT's game mode
// made it or a window covering the screen stands in for it.

#include "Desktop.h"
#include "GameProcess.h"
#include "platform/IconImage.h"

#include <gtest/gtest.h>
// After the test framework: Xlib's None macro would clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <map>
#include <vector>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

// The window's _NET_WM_ICON, size by size, as ARGB values.
std::map<int, std::vector<unsigned long>> windowIcons(unsigned long window)
{
    std::map<int, std::vector<unsigned long>> icons;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return icons;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    if (XGetWindowProperty(
            display, window, property, 0, 1 << 22, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && format == 32) {
        const unsigned long* values = reinterpret_cast<const unsigned long*>(data); // 32-bit items come as longs
        for (unsigned long at = 0; at + 2 <= count;) {
            unsigned long width = values[at], height = values[at + 1];
            at += 2;
            if (width != height || at + width * height > count)
                break;
            std::vector<unsigned long>& pixels = icons[static_cast<int>(width)];
            for (unsigned long i = 0; i < width * height; ++i)
                pixels.push_back(values[at + i] & 0xFFFFFFFFul); // Xlib widens the 32 bits with their sign
            at += width * height;
        }
    }
    if (data)
        XFree(data);
    XCloseDisplay(display);
    return icons;
}

void expectGameWindowIcon(const std::string& preload)
{
    RunFolder folder;
    GameProcess game(folder, preload);
    auto window = waitForWindow("Cubrava", 20s);
    ASSERT_TRUE(window) << game.standardError();
    // GLUT maps a new window before the program gives it the icon.
    std::map<int, std::vector<unsigned long>> icons;
    waitUntil([&] {
        icons = windowIcons(window->id);
        return !icons.empty();
    });
    ASSERT_EQ(icons.size(), iconImages().size());
    for (const IconImage& image : iconImages()) {
        const std::vector<unsigned long>& shown = icons[image.size];
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(image.size * image.size)) << image.size;
        int opaque = 0;
        for (int i = 0; i < image.size * image.size; ++i) {
            const unsigned char* p = image.rgba + 4 * i;
            unsigned long argb = static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
            ASSERT_EQ(shown[i], argb) << "pixel " << i << " of size " << image.size;
            opaque += p[3] == 255;
        }
        EXPECT_GT(opaque, image.size * image.size / 4) << "an icon, not an empty square";
    }
    key("alt+q");
    EXPECT_EQ(game.waitForExit(10s), 0) << game.standardError();
}

} // namespace

TEST(WindowIcon, TheCoveringWindowCarriesTheIcon)
{
    expectGameWindowIcon("");
}

TEST(WindowIcon, TheGameModeWindowCarriesTheIcon)
{
    expectGameWindowIcon(CUBRAVA_VIDMODE_SHIM);
}
