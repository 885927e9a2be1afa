// Voices, loops and mastering: the properties the shipped music relies on.

#include "tools/assetgen/Synth.h"
#include "tools/assetgen/WavWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

using namespace cubrava::assetgen;

namespace {

int zeroCrossings(const std::vector<float>& s, std::size_t from, std::size_t to)
{
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        count += (s[i - 1] < 0.0f) != (s[i] < 0.0f);
    return count;
}

} // namespace

TEST(Notes, SoundAtTheirPitchAndStartAndEndAtRest)
{
    Instrument sine;
    sine.wave = Wave::Sine;
    sine.cutoff = 5000.0f;
    sine.envelope = { 0.01f, 0.05f, 0.8f, 0.1f };
    std::vector<float> note = renderNote(sine, midiToHz(69.0f), 0.5f, 1.0f);
    EXPECT_EQ(note.size(), static_cast<std::size_t>(0.6f * SampleRate) + 1);
    EXPECT_NEAR(note.front(), 0.0f, 1e-3f);
    EXPECT_NEAR(note.back(), 0.0f, 1e-3f);
    // 440 Hz crosses zero 880 times a second: 264 in the middle 0.3 s.
    EXPECT_NEAR(zeroCrossings(note, SampleRate / 10, SampleRate * 4 / 10), 264, 3);
}

TEST(Notes, PulseWavesOfAnyWidthCarryNoOffset)
{
    for (float duty : { 0.125f, 0.25f, 0.5f }) {
        Instrument pulse;
        pulse.wave = Wave::Pulse;
        pulse.duty = duty;
        pulse.envelope = { 0.001f, 0.001f, 1.0f, 0.01f };
        std::vector<float> note = renderNote(pulse, 220.0f, 1.0f, 1.0f);
        double sum = 0.0;
        for (std::size_t i = SampleRate / 10; i < SampleRate * 9 / 10; ++i)
            sum += note[i];
        EXPECT_NEAR(sum / (SampleRate * 0.8), 0.0, 0.01) << "duty " << duty;
    }
}

TEST(Loops, ATailPastTheEndSoundsAtTheStart)
{
    std::vector<float> loop(10, 0.0f), once(10, 0.0f);
    const std::vector<float> tail { 1.0f, 2.0f, 3.0f, 4.0f };
    mixInto(loop, tail, 8, 0.5f, true);
    mixInto(once, tail, 8, 0.5f, false);
    EXPECT_EQ(loop, (std::vector<float> { 1.5f, 2.0f, 0, 0, 0, 0, 0, 0, 0.5f, 1.0f }));
    EXPECT_EQ(once, (std::vector<float> { 0, 0, 0, 0, 0, 0, 0, 0, 0.5f, 1.0f }));
}

TEST(Loops, EchoesOfTheLastBarRingIntoTheFirst)
{
    const std::size_t n = 1000;
    const int delay = 130;
    const float feedback = 0.4f;
    std::vector<float> input(n, 0.0f);
    input[n - 10] = 1.0f;
    input[300] = -0.5f;
    std::vector<float> out = circularEcho(input, delay, feedback);
    EXPECT_NEAR(out[(n - 10 + delay) % n], feedback, 1e-4f);
    EXPECT_NEAR(out[(n - 10 + 2 * delay) % n], feedback * feedback, 1e-4f);
    // Settled everywhere, the seam included: each sample is its input plus
    // the echo of the one a delay before it, around the loop.
    for (std::size_t i = 0; i < n; ++i)
        ASSERT_NEAR(out[i], input[i] + feedback * out[(i + n - delay) % n], 1e-4f) << i;
}

TEST(Mastering, KeepsPeaksUnderTheLimitAndQuietPassagesUntouched)
{
    std::vector<float> s;
    for (int i = 0; i < 20000; ++i)
        s.push_back(0.3f * std::sin(0.05f * static_cast<float>(i)));
    s[5000] = 4.0f; // a few wild transients
    s[9000] = -3.0f;
    const float a = s[100], b = s[200];
    masterLevel(s, 0.44f);
    for (float v : s)
        ASSERT_LE(std::fabs(v), 0.44f);
    EXPECT_GT(s[5000], 0.4f);
    EXPECT_LT(s[9000], -0.4f);
    EXPECT_NEAR(s[100] / s[200], a / b, 1e-4f) << "below the knee the music is only scaled";

    std::vector<float> offset { 0.2f, 0.4f, 0.3f, 0.1f };
    removeOffset(offset);
    EXPECT_NEAR(offset[0] + offset[1] + offset[2] + offset[3], 0.0f, 1e-6f);
}

TEST(WaveEncoding, RoundsIntoBytesPadsToEvenLengthAndRefusesLoudSamples)
{
    std::vector<std::uint8_t> wav = encodeWav({ 0.44f, -0.44f, 0.0f });
    ASSERT_EQ(wav.size(), 44u + 4u);
    EXPECT_EQ(wav[40], 3); // data size counts the samples, not the pad byte
    EXPECT_EQ(wav[44], 184);
    EXPECT_EQ(wav[45], 72);
    EXPECT_EQ(wav[46], 128);
    EXPECT_EQ(wav[47], 128);
    EXPECT_THROW(encodeWav({ 0.0f, 0.46f }), std::runtime_error);
}
