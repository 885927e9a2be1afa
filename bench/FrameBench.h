#pragma once

// What the frame-time benchmarks share: their levels' cubes, the figures of
// a run of frames, and an X display to run on.

#include "data/LevelDef.h"
#include "data/Material.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace cubrava::bench {

struct Figures {
    double median = 0, p95 = 0;
    std::size_t frames = 0;
};

inline Figures summarise(std::vector<double> ms)
{
    Figures f;
    f.frames = ms.size();
    if (ms.empty())
        return f;
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    f.p95 = ms[std::min(ms.size() - 1, static_cast<std::size_t>(std::ceil(ms.size() * 0.95)) - 1)];
    return f;
}

// Times frames runs of frame, each finished (glFinish) before the clock is
// read, after ten untimed ones; stops early once done() holds. The window's
// events are handled between frames, outside the time, and so is between().
inline Figures timeFrames(int frames, const std::function<void()>& frame, const std::function<bool()>& done = {},
    const std::function<void()>& between = {})
{
    std::vector<double> times;
    for (int i = -10; i < frames; ++i) {
        if (done && done())
            break;
        const auto start = std::chrono::steady_clock::now();
        frame();
        glFinish();
        const auto end = std::chrono::steady_clock::now();
        if (i >= 0)
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        glutMainLoopEvent();
        if (between)
            between();
    }
    return summarise(times);
}

// Two kinds of frame, one after the other, frames times the first and (for
// a slow reference) every secondEvery-th time the second: a figure and the
// reference it is compared with see the same load on the machine.
inline std::pair<Figures, Figures> timeFramesAlternately(
    int frames, const std::function<void()>& first, const std::function<void()>& second, int secondEvery = 1)
{
    std::vector<double> times[2];
    for (int i = -10; i < frames; ++i)
        for (int k = 0; k < 2; ++k) {
            if (k == 1 && (i + 10) % secondEvery != 0)
                continue;
            const auto start = std::chrono::steady_clock::now();
            (k == 0 ? first : second)();
            glFinish();
            const auto end = std::chrono::steady_clock::now();
            if (i >= 0)
                times[k].push_back(std::chrono::duration<double, std::milli>(end - start).count());
            glutMainLoopEvent();
        }
    return { summarise(times[0]), summarise(times[1]) };
}

inline void report(const char* what, const Figures& f, const char* goal)
{
    std::printf("%-58s median %6.2f ms   p95 %6.2f ms   (%zu frames)%s\n", what, f.median, f.p95, f.frames, goal);
    std::fflush(stdout);
}

enum class Measure { Median, P95 };

// A figure with its goal beside it, and whether the goal is met.
inline void report(const std::string& what, const Figures& f, Measure goalOn, double goalMs)
{
    const double value = goalOn == Measure::Median ? f.median : f.p95;
    char goal[96];
    std::snprintf(goal, sizeof goal, "   goal: %s <= %.1f ms, %s", goalOn == Measure::Median ? "median" : "p95", goalMs,
        value <= goalMs ? "met" : "NOT MET");
    report(what.c_str(), f, goal);
}

// The machine's load, printed beside the figures: timings from a busy
// machine are worth only their comparison with a reference of the same run.
inline void printLoad(const char* when)
{
    double one = 0, five = 0, fifteen = 0;
    if (FILE* in = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(in, "%lf %lf %lf", &one, &five, &fifteen) != 3)
            one = five = fifteen = 0;
        std::fclose(in);
    }
    std::printf("load average %s: %.2f %.2f %.2f\n", when, one, five, fifteen);
}

inline Material colourFor(int i, const std::string& texture)
{
    static const float palette[6][3] = {
        { 0.92f, 0.22f, 0.22f },
        { 0.24f, 0.82f, 0.24f },
        { 0.24f, 0.39f, 1.0f },
        { 0.96f, 0.82f, 0.18f },
        { 0.63f, 0.31f, 0.94f },
        { 0.16f, 0.82f, 0.94f },
    };
    Material m;
    m.red = palette[i % 6][0];
    m.green = palette[i % 6][1];
    m.blue = palette[i % 6][2];
    m.textureName = texture;
    return m;
}

// A texture of the run folder, when there is one, so textured cubes cost what they do in the game.
inline std::string someTexture()
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (!fs::is_directory("Textures", ignored))
        return "";
    for (const auto& entry : fs::directory_iterator("Textures", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0 && name.find("metal") == std::string::npos)
            return "Textures/" + name;
    }
    return "";
}

// Every cell of layers [from, to) filled, every fifth cube textured.
inline void fill(LevelDef& level, int from, int to, const std::string& texture)
{
    int i = 0;
    for (int z = from; z < to; ++z)
        for (int x = 0; x < level.x; ++x)
            for (int y = 0; y < level.y; ++y, ++i)
                level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z),
                    colourFor(i, i % 5 == 0 ? texture : ""));
}

// Without an X display the benchmark runs itself again under withXvfb
// (scripts/with-xvfb, a private 1280 x 1024 screen); returns with a display.
inline void ensureDisplay(int argc, char** argv, const char* withXvfb)
{
    if (std::getenv("DISPLAY") || std::getenv("CUBRAVA_BENCH_NO_XVFB"))
        return;
    setenv("CUBRAVA_BENCH_NO_XVFB", "1", 1);
    std::vector<char*> args { const_cast<char*>(withXvfb) };
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execv(withXvfb, args.data());
    std::fprintf(stderr, "%s: needs an X display, and %s could not be started\n", argv[0], withXvfb);
    std::exit(1);
}

} // namespace cubrava::bench
