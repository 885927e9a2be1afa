#include "platform/WindowIcon.h"

#include "platform/IconImage.h"

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>
#include <vector>

namespace cubrava {

void setWindowIcon(Fl_Window& window)
{
    // The toolkit copies the images it is given.
    std::vector<std::unique_ptr<Fl_RGB_Image>> images;
    std::vector<const Fl_RGB_Image*> pointers;
    for (const IconImage& icon : iconImages()) {
        images.push_back(std::make_unique<Fl_RGB_Image>(icon.rgba, icon.size, icon.size, 4));
        pointers.push_back(images.back().get());
    }
    window.icons(pointers.data(), static_cast<int>(pointers.size()));
}

void setWindowIcon(_XDisplay* display, unsigned long window)
{
    if (!display || !window)
        return;
    // Width, height, then one ARGB value per pixel, each as a 32-bit item,
    // which Xlib takes in a long.
    std::vector<long> data;
    for (const IconImage& icon : iconImages()) {
        data.push_back(icon.size);
        data.push_back(icon.size);
        const unsigned char* p = icon.rgba;
        for (int i = 0; i < icon.size * icon.size; ++i, p += 4)
            data.push_back(
                static_cast<long>((static_cast<unsigned long>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2]));
    }
    Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, property, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XFlush(display);
}

} // namespace cubrava
