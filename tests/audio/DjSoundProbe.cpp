// Plays a generated soundtrack with the real Dj for the recording test:
//   dj_sound_probe play SECONDS    a game starts, the soundtrack loops, one turn
//   dj_sound_probe silent SECONDS  the Dj runs but no game starts
// It writes its files into the working directory and prints the CPU time the
// playback thread used.

#include "ToneWav.h"
#include "audio/Dj.h"
#include "data/FatalError.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "support/PieceMaking.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

using namespace cubrava;

namespace {

void writeText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

// Nanoseconds on a CPU of the thread named like the Dj's playback thread.
long long playbackThreadCpu()
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name != "cubrava-dj")
            continue;
        std::ifstream stat(task.path() / "schedstat");
        long long onCpu = 0;
        stat >> onCpu;
        return onCpu;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 0.0;
    if ((mode != "play" && mode != "silent") || seconds <= 0) {
        std::fprintf(stderr, "usage: dj_sound_probe play|silent SECONDS\n");
        return 2;
    }
    // Peaks of 0.4 keep the soundtrack and an effect mixed together below clipping.
    writeToneWav("Music/tone.wav", 440, 1.5, 0.4);
    writeToneWav("Sounds/Rotate.wav", 880, 0.1, 0.4);
    writeToneWav("Sounds/Land.wav", 220, 0.1, 0.4);
    writeToneWav("Sounds/Clear.wav", 660, 0.2, 0.4);
    writeText("Config/DJ.dat", "<dj><soundtracks><song>Music/tone.wav</song></soundtracks></dj>");

    try {
        LevelDef level(4, 4, 6);
        const PieceSet pieces = test::piecesOf({ test::cube });
        PlayField field(level, pieces);
        Dj dj;
        field.addListener(dj);
        dj.startThread();
        const auto start = std::chrono::steady_clock::now();
        if (mode == "play") {
            field.start();
            field.advance();
        }
        const auto end = start + std::chrono::duration<double>(seconds);
        bool turned = false;
        while (std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (mode == "play" && !turned && std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) {
                field.move(MoveKind::RotateZ);
                turned = true;
            }
        }
        const long long cpu = playbackThreadCpu();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (cpu >= 0)
            std::printf(
                "playback thread: %.1f ms on a CPU in %.1f s (%.2f %% of a core)\n", cpu / 1e6, wall, cpu / 1e7 / wall);
        else
            std::printf("playback thread: not running (no working output)\n");
        dj.stopThread();
    } catch (const FatalError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
