// A GLUT window whose event loop runs on a thread of its own, as the editor's
// view does, and another thread that asks it to draw again. Run under an X
// display (scripts/with-xvfb).
#include "platform/WindowWake.h"
#include "render/RedisplayRequest.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>
// After the test framework: Xlib's None macro would clash with its names.
#include <GL/glx.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace cubrava;

namespace {

const char* const Title = "Cubrava Wake Probe";
constexpr auto Patience = std::chrono::seconds(30);

// What the view thread shares with the test.
struct ViewState {
    std::mutex mutex;
    std::condition_variable changed;
    int frames = 0;
    bool quit = false;
    bool loopEnded = false;
    unsigned long window = 0;
    RedisplayRequest* redisplay = nullptr;

    template <typename Condition> bool waitFor(Condition condition)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, Patience, condition);
    }
};

ViewState view;

void onDisplay()
{
    view.redisplay->take();
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
    bool quit = false;
    {
        std::lock_guard<std::mutex> lock(view.mutex);
        ++view.frames;
        quit = view.quit;
    }
    view.changed.notify_all();
    if (quit)
        glutLeaveMainLoop();
}

void runView()
{
    int argc = 1;
    char name[] = "redisplay_wake_tests";
    char* argv[] = { name, nullptr };
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(64, 64);
    glutCreateWindow(Title);
    {
        std::lock_guard<std::mutex> lock(view.mutex);
        view.window = glXGetCurrentDrawable();
    }
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutDisplayFunc(onDisplay);
    glutMainLoop();
    {
        std::lock_guard<std::mutex> lock(view.mutex);
        view.loopEnded = true;
    }
    view.changed.notify_all();
}

} // namespace

TEST(RedisplayWake, EveryRequestFromAnotherThreadIsFollowedByADisplay)
{
    // Another program's window of the same title, there first: it must not
    // take the wake-ups.
    Display* other = XOpenDisplay(nullptr);
    ASSERT_TRUE(other);
    const Window decoy = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 32, 32, 0, 0, 0);
    XStoreName(other, decoy, Title);
    XMapWindow(other, decoy);
    XSync(other, False);

    WindowWake wake(Title);
    RedisplayRequest redisplay([&wake] { return wake.wake(); });
    view.redisplay = &redisplay;
    std::thread viewThread(runView);

    ASSERT_TRUE(view.waitFor([] { return view.frames > 0 && view.window != 0; })) << "the window never drew";
    {
        std::lock_guard<std::mutex> lock(view.mutex);
        wake.setWindow(view.window);
    }
    // The loop sleeps until an event comes; only the wake-up can bring the frames below.
    for (int i = 0; i < 100; ++i) {
        int before = 0;
        {
            std::lock_guard<std::mutex> lock(view.mutex);
            before = view.frames;
        }
        redisplay.request();
        ASSERT_TRUE(view.waitFor([before] { return view.frames > before; })) << "request " << i << " was not drawn";
    }

    {
        std::lock_guard<std::mutex> lock(view.mutex);
        view.quit = true;
    }
    redisplay.request();
    if (!view.waitFor([] { return view.loopEnded; })) {
        viewThread.detach();
        FAIL() << "the view's loop did not end";
    }
    viewThread.join();

    // The window is gone: the wake says so instead of ending the process,
    // and does not turn to the other window of its title.
    EXPECT_FALSE(wake.wake());
    redisplay.request();
    EXPECT_FALSE(redisplay.pending());
    XDestroyWindow(other, decoy);
    XCloseDisplay(other);
}

int main(int argc, char** argv)
{
    // X from two threads: the view's GLUT connection and the wake's own.
    enableThreadedX();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
