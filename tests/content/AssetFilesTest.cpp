// Every generated file the configuration names, as the game will load it.

#include "ContentFiles.h"
#include "audio/Playlists.h"
#include "data/LevelList.h"
#include "data/PieceSet.h"
#include "platform/SplashImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

const char* const PanelTexture = "Textures/brushed-metal3.bmp";

std::set<std::string> blockTextures()
{
    std::set<std::string> names;
    PieceSet pieces;
    readPieces(shippedConfig("Pieces.dat"), pieces);
    for (const PieceDef& piece : pieces.pieces())
        for (const Block& b : piece.blocks)
            if (!b.material->textureName.empty())
                names.insert(b.material->textureName);
    LevelList levels;
    readLevelsFrom(shippedConfig("Levels.dat"), levels);
    for (const LevelDef& level : levels)
        for (const Block& b : level.blocks())
            if (!b.material->textureName.empty())
                names.insert(b.material->textureName);
    return names;
}

// The DJ file's lists, read as the game reads them.
std::vector<std::string> playlist(const std::string& section)
{
    cubrava::Playlists lists;
    cubrava::readPlaylists(shippedConfig("DJ.dat"), lists);
    return section == "soundtracks" ? lists.soundtracks : section == "winsongs" ? lists.winSongs : lists.loseSongs;
}

// The mixer adds sounds and clips hard at full scale; each sound keeps its
// peak at about 0.45 of it, 57 steps of 8-bit audio.
constexpr int PeakLimit = 57;

struct Loudness {
    int peak = 0;
    double longestQuiet = 0.0; // seconds
    std::size_t longestAtLimit = 0; // samples in a row within a step of the limit
    double fractionAtLimit = 0.0;
};

Loudness measure(const Wave& wave)
{
    Loudness l;
    const std::size_t window = 551; // 50 ms
    int quietWindows = 0;
    for (std::size_t start = 0; start + window <= wave.samples.size(); start += window) {
        double energy = 0.0;
        for (std::size_t i = start; i < start + window; ++i)
            energy += wave.samples[i] * wave.samples[i];
        quietWindows = std::sqrt(energy / window) < 1.0 ? quietWindows + 1 : 0;
        l.longestQuiet = std::max(l.longestQuiet, quietWindows * 0.05);
    }
    std::size_t run = 0, atLimit = 0;
    for (int s : wave.samples) {
        l.peak = std::max(l.peak, std::abs(s));
        run = std::abs(s) >= PeakLimit - 1 ? run + 1 : 0;
        atLimit += run > 0;
        l.longestAtLimit = std::max(l.longestAtLimit, run);
    }
    l.fractionAtLimit = static_cast<double>(atLimit) / static_cast<double>(wave.samples.size());
    return l;
}

void expectHealthyMusic(const Wave& wave)
{
    Loudness l = measure(wave);
    EXPECT_LE(l.peak, PeakLimit);
    EXPECT_GT(l.peak, PeakLimit / 2) << "far quieter than the rest";
    EXPECT_LT(l.longestQuiet, 1.0) << "silent for a second or more";
    EXPECT_LE(l.longestAtLimit, 11u) << "stuck at the limit for over a millisecond";
    EXPECT_LT(l.fractionAtLimit, 0.001);
}

// A sound the mixer starts or stops abruptly must begin and end at rest.
void expectQuietEdges(const Wave& wave)
{
    ASSERT_FALSE(wave.samples.empty());
    EXPECT_LE(std::abs(wave.samples.front()), 2);
    EXPECT_LE(std::abs(wave.samples.back()), 2);
}

} // namespace

TEST(Textures, NamedByTheConfigurationAreLightPowerOfTwoBitmaps)
{
    std::set<std::string> names = blockTextures();
    EXPECT_GE(names.size(), 6u) << "at least six block textures in use";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(name.rfind("Textures/", 0), 0u);
        Bitmap bmp = readBitmap(runFile(name));
        ASSERT_EQ(bmp.problem, "");
        // The texture is multiplied by the cube's colour, which must still read.
        EXPECT_GT(bmp.meanBrightness(), 0.6);
    }
}

TEST(Textures, PanelIsDarkBrushedMetalWithBrightCorners)
{
    Bitmap panel = readBitmap(runFile(PanelTexture));
    ASSERT_EQ(panel.problem, "");
    EXPECT_GE(panel.height, panel.width) << "the panel stands upright";
    EXPECT_LT(panel.meanBrightness(), 0.35) << "red, green and blue text need a dark ground";
    EXPECT_GT(panel.meanBrightness(), 0.1);
    // Text over the panel is tinted by the texel at a corner of the image.
    for (int y : { 0, panel.height - 1 })
        for (int x : { 0, panel.width - 1 })
            EXPECT_GT(panel.brightness(x, y), 0.9) << "corner " << x << "," << y;
}

TEST(Songs, NamedByThePlaylistsAreValidNeverSilentAndNeverClipped)
{
    for (const char* section : { "soundtracks", "winsongs", "losesongs" })
        for (const std::string& song : playlist(section)) {
            SCOPED_TRACE(song);
            Wave wave = readWave(runFile(song));
            ASSERT_EQ(wave.problem, "");
            expectHealthyMusic(wave);
        }
}

TEST(Songs, SoundtracksLastAMinuteAndLoopWithoutAClick)
{
    for (const std::string& song : playlist("soundtracks")) {
        SCOPED_TRACE(song);
        Wave wave = readWave(runFile(song));
        ASSERT_EQ(wave.problem, "");
        EXPECT_GE(wave.seconds(), 60.0);
        // Where the end joins the start, the step must be no bigger than
        // the steps the music itself takes.
        std::vector<int> steps;
        for (std::size_t i = 1; i < wave.samples.size(); ++i)
            steps.push_back(std::abs(wave.samples[i] - wave.samples[i - 1]));
        std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 99 / 100), steps.end());
        int usual = std::max(2, steps[steps.size() * 99 / 100]);
        EXPECT_LE(std::abs(wave.samples.front() - wave.samples.back()), usual);
    }
}

TEST(Songs, JinglesAreShortAndStartAndEndAtRest)
{
    for (const char* section : { "winsongs", "losesongs" })
        for (const std::string& song : playlist(section)) {
            SCOPED_TRACE(song);
            Wave wave = readWave(runFile(song));
            ASSERT_EQ(wave.problem, "");
            EXPECT_GE(wave.seconds(), 1.5);
            EXPECT_LE(wave.seconds(), 10.0);
            expectQuietEdges(wave);
        }
}

TEST(SoundEffects, AreShortCrispAndWithinTheMixersLimit)
{
    const struct {
        const char* file;
        double longest;
    } effects[] = { { "Sounds/Rotate.wav", 0.2 }, { "Sounds/Land.wav", 0.3 }, { "Sounds/Clear.wav", 1.0 } };
    for (const auto& effect : effects) {
        SCOPED_TRACE(effect.file);
        Wave wave = readWave(runFile(effect.file));
        ASSERT_EQ(wave.problem, "");
        EXPECT_LT(wave.seconds(), effect.longest);
        EXPECT_GT(wave.seconds(), 0.03);
        Loudness l = measure(wave);
        EXPECT_LE(l.peak, PeakLimit);
        EXPECT_GT(l.peak, PeakLimit / 2);
        expectQuietEdges(wave);
    }
}

TEST(Splash, IsBuiltInAtTheWindowSizeAndIsAPicture)
{
    const SplashImage& splash = splashImage();
    ASSERT_EQ(splash.width, 527);
    ASSERT_EQ(splash.height, 392);
    ASSERT_NE(splash.rgb, nullptr);
    std::set<int> colours;
    double sum = 0.0;
    const int pixels = splash.width * splash.height;
    for (int i = 0; i < pixels; ++i) {
        const unsigned char* p = splash.rgb + 3 * i;
        colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
        sum += p[0] + p[1] + p[2];
    }
    EXPECT_GT(colours.size(), 2000u) << "a picture, not a fill";
    EXPECT_GT(sum / (3.0 * 255.0 * pixels), 0.08) << "not all dark";
}
