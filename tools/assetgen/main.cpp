// cubrava-assetgen: paints the textures, the splash and the icon, synthesises the sound
// effects and composes the music. Deterministic: the same program always
// writes the same bytes.
//
//   cubrava-assetgen assets <run-dir> [--list]   Textures/, Sounds/, Music/, icons/
//   cubrava-assetgen splash <file.cpp>           the splash, as C++ source
//   cubrava-assetgen icon <file.cpp>             the window icon, as C++ source
//   cubrava-assetgen preview <dir>               the splash as splash.bmp

#include "BmpWriter.h"
#include "Composer.h"
#include "FileOutput.h"
#include "Icon.h"
#include "PngWriter.h"
#include "Songs.h"
#include "SoundEffects.h"
#include "Splash.h"
#include "SplashSource.h"
#include "Textures.h"
#include "WavWriter.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace cubrava::assetgen;

namespace {

struct Report {
    bool list = false;
    int files = 0;
    std::size_t bytes = 0;
    double musicSeconds = 0.0;

    void add(const std::string& file, std::size_t size, const std::string& detail)
    {
        ++files;
        bytes += size;
        if (list)
            std::printf("  %-30s %8zu bytes  %s\n", file.c_str(), size, detail.c_str());
    }
};

std::string seconds(std::size_t samples)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(samples) / SampleRate);
    return text;
}

void writeSound(const std::string& runDir, const std::string& file, const std::vector<float>& samples, Report& report)
{
    std::vector<std::uint8_t> bytes = encodeWav(samples);
    writeFile(runDir + "/" + file, bytes);
    report.add(file, bytes.size(), seconds(samples.size()));
}

void writeSong(const std::string& runDir, const SongSpec& song, unsigned long seed, Report& report)
{
    std::vector<float> samples = composeSong(song, seed);
    report.musicSeconds += static_cast<double>(samples.size()) / SampleRate;
    writeSound(runDir, song.file, samples, report);
}

void writeAssets(const std::string& runDir, Report& report)
{
    for (const NamedImage& texture : allTextures()) {
        std::vector<std::uint8_t> bytes = encodeBmp(texture.image);
        writeFile(runDir + "/" + texture.file, bytes);
        report.add(texture.file, bytes.size(),
            std::to_string(texture.image.width()) + " x " + std::to_string(texture.image.height()));
    }
    for (int size : IconSizes) {
        IconPicture icon = paintIcon(size);
        std::string file = "icons/cubrava-" + std::to_string(size) + ".png";
        std::vector<std::uint8_t> bytes = encodePng(size, size, icon.rgba);
        writeFile(runDir + "/" + file, bytes);
        report.add(file, bytes.size(), std::to_string(size) + " x " + std::to_string(size));
    }
    writeSound(runDir, "Sounds/Rotate.wav", rotateSound(), report);
    writeSound(runDir, "Sounds/Land.wav", landSound(), report);
    writeSound(runDir, "Sounds/Clear.wav", clearSound(), report);

    unsigned long seed = 1;
    for (const std::vector<SongSpec>& list : { soundtracks(), winJingles(), loseJingles() })
        for (const SongSpec& song : list)
            writeSong(runDir, song, seed++, report);
}

int usage()
{
    std::fprintf(stderr,
        "usage: cubrava-assetgen assets <run-dir> [--list] | splash <file.cpp> | icon <file.cpp> | preview <dir>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    const std::string target = argv[2];
    const auto started = std::chrono::steady_clock::now();
    try {
        Report report;
        report.list = argc > 3 && std::string(argv[3]) == "--list";
        if (command == "assets") {
            writeAssets(target, report);
        } else if (command == "splash") {
            std::string source = splashSource(paintSplash());
            writeFile(target, std::vector<std::uint8_t>(source.begin(), source.end()));
            report.add(target, source.size(), "");
        } else if (command == "icon") {
            // Window managers draw window icons at 128 pixels at most; the
            // largest size is a file only, for launchers.
            std::vector<IconPicture> icons;
            for (int size : IconSizes)
                if (size <= 128)
                    icons.push_back(paintIcon(size));
            std::string source = iconSource(icons);
            writeFile(target, std::vector<std::uint8_t>(source.begin(), source.end()));
            report.add(target, source.size(), "");
        } else if (command == "preview") {
            std::vector<std::uint8_t> bytes = encodeBmp(paintSplash());
            writeFile(target + "/splash.bmp", bytes);
            report.add("splash.bmp", bytes.size(), "");
        } else {
            return usage();
        }
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        std::printf("cubrava-assetgen %s: %d files, %zu bytes", command.c_str(), report.files, report.bytes);
        if (report.musicSeconds > 0.0)
            std::printf(", %.1f s of music", report.musicSeconds);
        std::printf(", %.0f ms\n", ms);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cubrava-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
