// The game as a player starts it, under the software renderer on a private
// 1024 x 768 display: its peak resident memory over a scripted session
// (start, new game, a cleared layer, a display switch, three levels) beside
// the peak of an empty GLUT window of the same size, measured in the same
// run; the time from launching it to its first frame, median of five; and
// the processor time it takes over ten seconds of play on the first level.
//
//   session_bench [--only memory|startup|cpu] [--runs N] [--wrap "COMMAND ARGS"]
//
// --wrap runs the game under another program: heaptrack or valgrind to see
// where its memory goes (the figures are then that program's), or a script
// that execs another build of the game, to compare. Without an X
// display it starts itself again under scripts/with-xvfb. Exits non-zero
// when a step of the session cannot be carried out; a goal missed is
// printed as such.
#include "support/PieceMaking.h"
#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

// Three small levels, each finished by one cube dropped into the hole of an
// otherwise full bottom layer, where the one piece appears.
std::string sessionLevels()
{
    std::ostringstream out;
    out << "<levels>\n";
    const char* looks[3] = { "color=\"E03030\"", "color=\"FFFFFF\" texture=\"Textures/marble.bmp\"",
        "color=\"30C040\" texture=\"Textures/wood.bmp\"" };
    for (int level = 0; level < 3; ++level) {
        out << "<level name=\"Session " << level + 1
            << "\" x=\"3\" y=\"3\" z=\"8\" goal=\"1\" drop=\"1000\"><blocks>\n";
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y)
                if (x != 1 || y != 1)
                    out << "<point x=\"" << x << "\" y=\"" << y << "\" z=\"0\" " << looks[level] << " />\n";
        out << "</blocks></level>\n";
    }
    out << "</levels>\n";
    return out.str();
}

const std::string OneCube = test::pieceFile({ test::cube }, { "E0E0E0" });

void require(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what);
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// A field of a running process's status, in kilobytes.
long statusKb(pid_t pid, const std::string& field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

struct Resident {
    long peakKb = -1; // the high-water mark
    long anonKb = -1, fileKb = -1; // now: the heap and other private memory, and mapped files (code)
};

Resident resident(pid_t pid)
{
    return Resident { statusKb(pid, "VmHWM"), statusKb(pid, "RssAnon"), statusKb(pid, "RssFile") };
}

std::string breakdown(const Resident& r)
{
    char text[96];
    std::snprintf(
        text, sizeof text, "(at the end %.1f MB private, %.1f MB mapped files)", r.anonKb / 1024.0, r.fileKb / 1024.0);
    return text;
}

struct FrameCount {
    unsigned long frames = 0;
    double firstFrameClock = 0; // the monotonic clock, seconds
};

FrameCount readFrames(const fs::path& file)
{
    FrameCount count;
    double sinceFirst = 0;
    std::ifstream(file) >> count.frames >> sinceFirst >> count.firstFrameClock;
    return count;
}

double monotonicSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The level-complete message, in cyan in the pit view.
int cyanPixels()
{
    const ScreenShot shot = ScreenShot::take();
    return shot.count({ 0, 0, shot.width() * 3 / 4, shot.height() }, [](const Rgb& p) {
        return sameHue(p, 0, 1, 1, 0.05f) && std::max({ p.r, p.g, p.b }) > 200;
    });
}

std::string preloads()
{
    return std::string(CUBRAVA_VIDMODE_SHIM) + " " + CUBRAVA_FRAME_COUNTER;
}

// The empty window's peak once it has drawn its frames.
Resident emptyWindowPeak()
{
    const std::string frames = (fs::temp_directory_path() / ("cubrava-empty-" + std::to_string(getpid()))).string();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("LD_PRELOAD", CUBRAVA_FRAME_COUNTER, 1);
        setenv("CUBRAVA_FRAME_COUNT_FILE", frames.c_str(), 1);
        execl(CUBRAVA_EMPTY_WINDOW, "empty_window", static_cast<char*>(nullptr));
        _exit(127);
    }
    const bool drawn = waitUntil([&] { return readFrames(frames).frames >= 200; }, 60s);
    const Resident peak = resident(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    fs::remove(frames);
    require(drawn && peak.peakKb > 0, "the empty window did not draw its frames");
    return peak;
}

// The peak so far, after a step of the session.
void step(GameProcess& game, const std::string& what)
{
    std::printf("  %-50s peak so far %7.1f MB\n", what.c_str(), resident(game.pid()).peakKb / 1024.0);
    std::fflush(stdout);
}

void focusGame(int width)
{
    std::optional<WindowInfo> window;
    require(waitUntil(
                [&] {
                    window = findWindowByTitle("Cubrava");
                    return window && window->viewable && window->width == width;
                },
                30s),
        "no game window " + std::to_string(width) + " wide");
    focusWindow(window->id);
}

// Plays the session; returns the game's resident set.
Resident sessionPeak(const std::vector<std::string>& wrapper)
{
    RunFolder folder;
    folder.write("Config/Levels.dat", sessionLevels());
    folder.write("Config/Pieces.dat", OneCube);
    GameProcess game(folder, "cubrava", {}, preloads(), wrapper);
    require(waitForWindow("Cubrava", 60s).has_value(), "the game's window did not appear: " + game.standardError());
    require(waitUntil([&] { return readFrames(folder.path() / "frames.txt").frames > 0; }, 60s), "no first frame");
    focusGame(1024);
    setNumLock(false);
    std::this_thread::sleep_for(1s);
    step(game, "started, first level shown");

    for (int level = 1; level <= 3; ++level) {
        key("alt+n");
        if (level == 2) {
            key("F6");
            focusGame(819);
            key("F6");
            focusGame(1024);
            std::this_thread::sleep_for(1s);
            step(game, "a window and back to full screen");
        }
        // The piece comes three seconds after the start; Insert drops it
        // into the hole, the layer clears and the level is done.
        require(waitUntil(
                    [&] {
                        key("Insert");
                        return cyanPixels() > 200;
                    },
                    60s),
            "level " + std::to_string(level) + " was not completed");
        step(game, "level " + std::to_string(level) + " completed");
    }
    const Resident peak = resident(game.pid());
    key("alt+q");
    require(game.waitForExit(120s).has_value(), "the game did not quit");
    return peak;
}

void benchMemory(const std::vector<std::string>& wrapper)
{
    const Resident floor = emptyWindowPeak();
    std::printf("%-52s %7.1f MB   %s\n", "peak resident, empty 1024x768 GLUT window", floor.peakKb / 1024.0,
        breakdown(floor).c_str());
    std::fflush(stdout);
    const Resident game = sessionPeak(wrapper);
    const double above = (game.peakKb - floor.peakKb) / 1024.0;
    std::printf("%-52s %7.1f MB   %s\n", "peak resident, game over the scripted session", game.peakKb / 1024.0,
        breakdown(game).c_str());
    std::printf("%-52s %7.1f MB   guard: <= 45 MB, %s\n", "  the game above the empty window", above,
        above <= 45.0 ? "met" : "NOT MET");
}

void benchStartup(int runs, const std::vector<std::string>& wrapper)
{
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        RunFolder folder;
        const double launched = monotonicSeconds();
        GameProcess game(folder, "cubrava", {}, preloads(), wrapper);
        FrameCount count;
        require(waitUntil(
                    [&] {
                        count = readFrames(folder.path() / "frames.txt");
                        return count.frames > 0 && count.firstFrameClock > 0;
                    },
                    60s),
            "no first frame: " + game.standardError());
        ms.push_back((count.firstFrameClock - launched) * 1000.0);
    }
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    std::printf("%-52s %7.0f ms   (runs:", "start-up, launch to the first frame, median", median);
    for (double m : ms)
        std::printf(" %.0f", m);
    std::printf(")   goal: <= 1100 ms, %s\n", median <= 1100.0 ? "met" : "NOT MET");
}

// The whole process's processor time (every thread, the renderer's too) over
// ten seconds of play on the shipped first level, from the first piece on.
void benchCpu(const std::vector<std::string>& wrapper)
{
    RunFolder folder;
    GameProcess game(folder, "cubrava", {}, preloads(), wrapper);
    const fs::path frames = folder.path() / "frames.txt";
    require(waitUntil([&] { return readFrames(frames).frames > 0; }, 60s), "no first frame: " + game.standardError());
    focusGame(1024);
    require(waitForNoWindow("Cubrava splash", 30s), "the splash stayed");
    key("alt+n");
    std::this_thread::sleep_for(3500ms); // the start pause, then the first piece falls
    const double cpu0 = game.cpuSeconds(), wall0 = monotonicSeconds();
    const unsigned long frames0 = readFrames(frames).frames;
    std::this_thread::sleep_for(10s);
    const double cpu1 = game.cpuSeconds(), wall1 = monotonicSeconds();
    const unsigned long frames1 = readFrames(frames).frames;
    require(game.running(), "the game ended during play: " + game.standardError());
    key("alt+q");
    game.waitForExit(60s);
    const double share = 100.0 * (cpu1 - cpu0) / (wall1 - wall0);
    std::printf("%-52s %7.1f %%    (%.2f s of processor time in %.1f s, %.0f frames a second)   goal: <= 20 %%, %s\n",
        "processor time while playing the first level", share, cpu1 - cpu0, wall1 - wall0,
        static_cast<double>(frames1 - frames0) / (wall1 - wall0), share <= 20.0 ? "met" : "NOT MET");
}

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::string only;
    int runs = 5;
    std::vector<std::string> wrapper;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--wrap") == 0 && i + 1 < argc)
            wrapper = words(argv[++i]);
    }

    if (!std::getenv("CUBRAVA_BENCH_NO_XVFB")) {
        // Always a private display of the game's size: the figures depend on it.
        setenv("CUBRAVA_BENCH_NO_XVFB", "1", 1);
        std::vector<char*> args { const_cast<char*>(CUBRAVA_WITH_XVFB), const_cast<char*>("--screen=1024x768x24") };
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        execv(CUBRAVA_WITH_XVFB, args.data());
        std::fprintf(stderr, "session_bench: %s could not be started\n", CUBRAVA_WITH_XVFB);
        return 1;
    }

    try {
        std::printf("load average before: %s\n", loadAverage().c_str());
        if (only.empty() || only == "memory")
            benchMemory(wrapper);
        if (only.empty() || only == "startup")
            benchStartup(runs, wrapper);
        if (only.empty() || only == "cpu")
            benchCpu(wrapper);
        std::printf("load average after: %s\n", loadAverage().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "session_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
