#include "SoundEffects.h"

#include "Rng.h"
#include "Synth.h"
#include "WavWriter.h"

#include <cmath>

namespace cubrava::assetgen {

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr float Rate = static_cast<float>(SampleRate);

std::vector<float> silence(float seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * Rate), 0.0f);
}

float timeOf(std::size_t i)
{
    return static_cast<float>(i) / Rate;
}

// Effects start and end on silence so the mixer never clicks.
void softEdges(std::vector<float>& sound)
{
    const std::size_t in = static_cast<std::size_t>(0.002f * Rate);
    const std::size_t out = static_cast<std::size_t>(0.01f * Rate);
    for (std::size_t i = 0; i < in && i < sound.size(); ++i)
        sound[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out && i < sound.size(); ++i)
        sound[sound.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

void finish(std::vector<float>& sound)
{
    normalise(sound, 0.42f);
    softEdges(sound);
}

} // namespace

std::vector<float> rotateSound()
{
    Rng rng(0x726f74617465ull);
    std::vector<float> out = silence(0.11f);
    HighPass hp;
    LowPass lp;
    float phase = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        // Noise swept upwards: the air of a quick turn.
        float band = 900.0f + 3500.0f * (t / 0.11f);
        float whoosh = lp.process(hp.process(static_cast<float>(rng.bipolar()), band * 0.6f), band);
        whoosh *= std::sin(Pi * t / 0.11f);
        // A tiny rising blip for the click.
        phase += (1300.0f + 9000.0f * t) / Rate;
        float blip = std::sin(2.0f * Pi * phase) * std::exp(-t / 0.012f);
        out[i] = 0.9f * whoosh + 0.6f * blip;
    }
    finish(out);
    return out;
}

std::vector<float> landSound()
{
    Rng rng(0x6c616e64ull);
    std::vector<float> out = silence(0.24f);
    LowPass lp;
    float phase = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        phase += (58.0f + 90.0f * std::exp(-t / 0.025f)) / Rate;
        float body = std::sin(2.0f * Pi * phase) * std::exp(-t / 0.07f);
        float thump = lp.process(static_cast<float>(rng.bipolar()), 700.0f) * std::exp(-t / 0.018f);
        out[i] = body + 1.2f * thump;
    }
    finish(out);
    return out;
}

std::vector<float> clearSound()
{
    Rng rng(0x636c656172ull);
    std::vector<float> out = silence(0.85f);
    // Sweep: filtered noise rising for the first third.
    HighPass hp;
    LowPass lp;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float t = timeOf(i);
        if (t > 0.3f)
            break;
        float band = 600.0f + 4200.0f * (t / 0.3f);
        float n = lp.process(hp.process(static_cast<float>(rng.bipolar()), band * 0.7f), band);
        out[i] += 0.5f * n * std::sin(Pi * t / 0.3f);
    }
    // Chime: a bright major arpeggio of bell tones (slightly stretched partials).
    const float notes[4] = { 76.0f, 79.0f, 84.0f, 88.0f };
    for (int k = 0; k < 4; ++k) {
        float start = 0.12f + 0.07f * static_cast<float>(k);
        float f = midiToHz(notes[k]);
        for (std::size_t i = static_cast<std::size_t>(start * Rate); i < out.size(); ++i) {
            float t = timeOf(i) - start;
            float bell
                = std::sin(2.0f * Pi * f * t) + 0.35f * std::sin(2.0f * Pi * f * 2.76f * t) * std::exp(-t / 0.08f);
            out[i] += 0.5f * bell * std::exp(-t / 0.22f) * std::fmin(1.0f, t / 0.002f);
        }
    }
    finish(out);
    return out;
}

} // namespace cubrava::assetgen
