#include "WindowIcons.h"

#include "platform/IconImage.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace cubrava::e2e {

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

std::string iconMismatch(unsigned long window)
{
    std::map<int, std::vector<unsigned long>> icons = windowIcons(window);
    if (icons.size() != iconImages().size())
        return std::to_string(icons.size()) + " icon sizes instead of " + std::to_string(iconImages().size());
    for (const IconImage& image : iconImages()) {
        const std::vector<unsigned long>& shown = icons[image.size];
        if (shown.size() != static_cast<std::size_t>(image.size * image.size))
            return "no icon of size " + std::to_string(image.size);
        int opaque = 0;
        for (int i = 0; i < image.size * image.size; ++i) {
            const unsigned char* p = image.rgba + 4 * i;
            unsigned long argb = static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
            if (shown[static_cast<std::size_t>(i)] != argb)
                return "pixel " + std::to_string(i) + " of size " + std::to_string(image.size) + " differs";
            opaque += p[3] == 255;
        }
        if (opaque <= image.size * image.size / 4)
            return "the icon of size " + std::to_string(image.size) + " is nearly empty";
    }
    return "";
}

} // namespace cubrava::e2e
