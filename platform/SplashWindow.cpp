#include "platform/SplashWindow.h"

#include "platform/DisplayProbe.h"
#include "platform/SplashControl.h"
#include "platform/SplashImage.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <memory>

namespace cubrava {

namespace {

class SplashView : public Fl_Window {
public:
    SplashView(int x, int y)
        : Fl_Window(x, y, kSplashWidth, kSplashHeight)
    {
    }

    void draw() override
    {
        fl_rectf(0, 0, w(), h(), FL_BLACK);
        const SplashImage& image = splashImage();
        if (!image.rgb)
            return;
        int width = std::min(image.width, w());
        int height = std::min(image.height, h());
        fl_draw_image(image.rgb, 0, 0, width, height, 3, image.width * 3);
    }
};

} // namespace

void runSplash(const std::function<void()>& start, const std::function<void()>& meanwhile)
{
    if (!displayAvailable()) {
        if (meanwhile)
            meanwhile();
        start();
        return;
    }
    fl_open_display();
    int screenX, screenY, screenWidth, screenHeight;
    Fl::screen_xywh(screenX, screenY, screenWidth, screenHeight, 0);
    auto window = std::make_unique<SplashView>(
        screenX + (screenWidth - kSplashWidth) / 2, screenY + (screenHeight - kSplashHeight) / 2);
    // Override-redirect keeps window managers from framing, moving or lowering it.
    window->set_override();
    window->show();
    XStoreName(fl_display, fl_xid(window.get()), kSplashTitle);
    Fl::flush();
    armSplash(std::move(window), start);
    // The tick is armed: time spent here shortens the wait for it.
    if (meanwhile)
        meanwhile();
    waitForSplash();
}

} // namespace cubrava
