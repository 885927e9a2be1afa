// Runs under scripts/with-xvfb: windows are made here with plain Xlib, some
// inside frames the way a reparenting window manager keeps them.
#include <gtest/gtest.h> // ahead of Xlib, whose macros (None, Bool) it would trip over

#include "platform/DisplayProbe.h"
#include "platform/WindowLookup.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdlib>
#include <string>

using namespace cubrava;

namespace {

class Screen : public ::testing::Test {
protected:
    void SetUp() override
    {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "run under scripts/with-xvfb";
        root_ = DefaultRootWindow(display_);
    }

    void TearDown() override
    {
        if (display_)
            XCloseDisplay(display_);
    }

    Window make(Window parent, int x, int y, const char* title, bool mapped)
    {
        Window window = XCreateSimpleWindow(display_, parent, x, y, 200, 100, 0, 0, 0);
        if (title)
            XStoreName(display_, window, title);
        if (mapped)
            XMapWindow(display_, window);
        XSync(display_, False);
        return window;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
};

TEST_F(Screen, FindsTitledWindowsAlsoInsideFrames)
{
    Window frame = make(root_, 100, 50, nullptr, true);
    Window client = make(frame, 5, 20, "Cubrava Test", true);
    make(root_, 0, 0, "Cubrava Test Two", true);

    auto found = findWindowByTitle("Cubrava Test");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, client);
    EXPECT_EQ(found->x, 105);
    EXPECT_EQ(found->y, 70);
    EXPECT_EQ(found->width, 200);
    EXPECT_EQ(found->height, 100);
    EXPECT_TRUE(found->viewable);

    EXPECT_FALSE(findWindowByTitle("Cubrava"));
    EXPECT_FALSE(findWindowByTitle("Nobody"));
}

TEST_F(Screen, PrefersAViewableWindowAndReadsUtf8Titles)
{
    Window hidden = make(root_, 0, 0, "Twin", false);
    Window shown = make(root_, 10, 10, "Twin", true);
    auto found = findWindowByTitle("Twin");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, shown);

    XUnmapWindow(display_, shown);
    XSync(display_, False);
    found = findWindowByTitle("Twin");
    ASSERT_TRUE(found);
    EXPECT_FALSE(found->viewable);
    EXPECT_TRUE(found->id == hidden || found->id == shown);

    const std::string title = "Cubrava \xC3\xA9"
                              "diteur";
    Window utf8 = make(root_, 0, 0, nullptr, true);
    XChangeProperty(display_, utf8, XInternAtom(display_, "_NET_WM_NAME", False),
        XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    XSync(display_, False);
    found = findWindowByTitle(title);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->id, utf8);
}

TEST_F(Screen, AsksAWindowToCloseAsItsCloseButtonWould)
{
    Window window = make(root_, 0, 0, "Closable", true);
    XSelectInput(display_, window, StructureNotifyMask);
    EXPECT_TRUE(requestWindowClose(window));

    XEvent event;
    XSync(display_, False);
    ASSERT_TRUE(XCheckTypedWindowEvent(display_, window, ClientMessage, &event));
    EXPECT_EQ(event.xclient.message_type, XInternAtom(display_, "WM_PROTOCOLS", False));
    EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[0]), XInternAtom(display_, "WM_DELETE_WINDOW", False));

    XDestroyWindow(display_, window);
    XSync(display_, False);
    EXPECT_FALSE(requestWindowClose(window));
}

TEST(NoDisplay, LookupsFailQuietly)
{
    EXPECT_TRUE(displayAvailable());
    const std::string real = std::getenv("DISPLAY");
    ::setenv("DISPLAY", ":9999", 1);
    EXPECT_FALSE(displayAvailable());
    EXPECT_FALSE(findWindowByTitle("Cubrava"));
    ::unsetenv("DISPLAY");
    EXPECT_FALSE(displayAvailable());
    EXPECT_FALSE(findWindowByTitle("Cubrava"));
    EXPECT_FALSE(requestWindowClose(1));
    ::setenv("DISPLAY", real.c_str(), 1);
}

} // namespace
