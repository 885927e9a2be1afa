#include "Drums.h"

#include "Synth.h"
#include "WavWriter.h"

#include <algorithm>
#include <cmath>

namespace cubrava::assetgen {

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr float Rate = static_cast<float>(SampleRate);

std::size_t samplesFor(float seconds)
{
    return static_cast<std::size_t>(seconds * Rate);
}

// A sine whose pitch falls from `high` towards `low`: the body of kicks and toms.
std::vector<float> pitchDrop(float seconds, float low, float high, float dropTime, float decay)
{
    std::vector<float> out(samplesFor(seconds));
    float phase = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float t = static_cast<float>(i) / Rate;
        float f = low + (high - low) * std::exp(-t / dropTime);
        phase += f / Rate;
        out[i] = std::sin(2.0f * Pi * phase) * std::exp(-t / decay);
    }
    return out;
}

// Noise through a band of filters, fading with `decay`.
std::vector<float> noiseBurst(Rng& rng, float seconds, float highPass, float lowPass, float decay)
{
    std::vector<float> out(samplesFor(seconds));
    HighPass hp1, hp2;
    LowPass lp;
    for (std::size_t i = 0; i < out.size(); ++i) {
        float t = static_cast<float>(i) / Rate;
        float n = static_cast<float>(rng.bipolar());
        n = hp2.process(hp1.process(n, highPass), highPass);
        out[i] = lp.process(n, lowPass) * std::exp(-t / decay);
    }
    return out;
}

// Scales a hit so its peak is 1, and ends it with a short fade so the last
// sample is silent whatever the decay left.
void finish(std::vector<float>& sound)
{
    normalise(sound, 1.0f);
    const std::size_t fade = std::min<std::size_t>(sound.size(), samplesFor(0.004f));
    for (std::size_t i = 0; i < fade; ++i)
        sound[sound.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
}

} // namespace

DrumKit makeDrumKit(Rng& rng, float tone)
{
    DrumKit kit;

    kit.kick = pitchDrop(0.32f, 46.0f * tone, 150.0f * tone, 0.03f, 0.11f);
    std::vector<float> click = noiseBurst(rng, 0.01f, 1500.0f, 4000.0f, 0.002f);
    for (std::size_t i = 0; i < click.size(); ++i)
        kit.kick[i] += 0.5f * click[i];
    finish(kit.kick);

    kit.snare = noiseBurst(rng, 0.22f, 900.0f, 4800.0f, 0.065f);
    std::vector<float> body = pitchDrop(0.22f, 185.0f * tone, 260.0f * tone, 0.01f, 0.045f);
    normalise(kit.snare, 1.0f);
    for (std::size_t i = 0; i < body.size(); ++i)
        kit.snare[i] += 0.8f * body[i];
    finish(kit.snare);

    kit.closedHat = noiseBurst(rng, 0.06f, 3200.0f, 5400.0f, 0.014f);
    finish(kit.closedHat);

    kit.openHat = noiseBurst(rng, 0.32f, 3000.0f, 5400.0f, 0.09f);
    finish(kit.openHat);

    kit.crash = noiseBurst(rng, 1.6f, 1800.0f, 5400.0f, 0.45f);
    std::vector<float> shimmer = noiseBurst(rng, 1.6f, 3500.0f, 5400.0f, 0.2f);
    normalise(kit.crash, 1.0f);
    normalise(shimmer, 1.0f);
    for (std::size_t i = 0; i < shimmer.size(); ++i)
        kit.crash[i] += 0.5f * shimmer[i];
    finish(kit.crash);

    kit.tom = pitchDrop(0.3f, 95.0f * tone, 150.0f * tone, 0.05f, 0.1f);
    finish(kit.tom);
    return kit;
}

} // namespace cubrava::assetgen
