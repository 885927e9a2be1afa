#include "Synth.h"

#include "WavWriter.h"

#include <algorithm>
#include <cmath>

namespace cubrava::assetgen {

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr float Rate = static_cast<float>(SampleRate);

// Smooths the jump of a sawtooth or pulse over one sample, which keeps the
// upper harmonics from folding back as harsh aliases at a low sample rate.
float polyBlep(float t, float dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float oscillator(Wave wave, float phase, float dt, float duty)
{
    switch (wave) {
    case Wave::Sine:
        return std::sin(2.0f * Pi * phase);
    case Wave::Triangle:
        return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    case Wave::Saw:
        return 2.0f * phase - 1.0f - polyBlep(phase, dt);
    case Wave::Pulse: {
        float value = phase < duty ? 1.0f : -1.0f;
        float shifted = phase + 1.0f - duty;
        shifted -= std::floor(shifted);
        // Less than half a cycle high means a DC offset; take it out.
        return value + polyBlep(phase, dt) - polyBlep(shifted, dt) - (2.0f * duty - 1.0f);
    }
    }
    return 0.0f;
}

float onePoleCoefficient(float cutoff)
{
    cutoff = std::min(cutoff, 0.45f * Rate);
    return 1.0f - std::exp(-2.0f * Pi * cutoff / Rate);
}

} // namespace

float midiToHz(float note)
{
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

float envelopeLevel(const Envelope& e, float t, float held)
{
    auto sustained = [&](float time) {
        if (time < e.attack)
            return time / e.attack;
        float d = time - e.attack;
        if (d < e.decay)
            return 1.0f + (e.sustain - 1.0f) * (d / e.decay);
        return e.sustain;
    };
    if (t < held)
        return sustained(t);
    float released = t - held;
    if (released >= e.release)
        return 0.0f;
    return sustained(held) * (1.0f - released / e.release);
}

float LowPass::process(float input, float cutoff)
{
    float k = onePoleCoefficient(cutoff);
    a_ += k * (input - a_);
    b_ += k * (a_ - b_);
    return b_;
}

float HighPass::process(float input, float cutoff)
{
    low_ += onePoleCoefficient(cutoff) * (input - low_);
    return input - low_;
}

std::vector<float> renderNote(const Instrument& instrument, float frequency, float held, float velocity)
{
    const Envelope& e = instrument.envelope;
    const std::size_t length = static_cast<std::size_t>((held + e.release) * Rate) + 1;
    std::vector<float> out(length);
    const float detune = std::pow(2.0f, instrument.detuneCents / 1200.0f);
    float phase = 0.0f, phase2 = 0.25f, subPhase = 0.0f;
    LowPass filter;
    for (std::size_t i = 0; i < length; ++i) {
        float t = static_cast<float>(i) / Rate;
        float f = frequency;
        if (instrument.vibratoDepth > 0.0f && t > instrument.vibratoDelay) {
            float depth = instrument.vibratoDepth * std::min(1.0f, (t - instrument.vibratoDelay) / 0.3f);
            f *= std::pow(2.0f, depth * std::sin(2.0f * Pi * instrument.vibratoRate * t) / 12.0f);
        }
        float dt = f / Rate;
        float value = oscillator(instrument.wave, phase, dt, instrument.duty);
        if (instrument.detuneCents != 0.0f) {
            value = 0.5f * (value + oscillator(instrument.wave, phase2, dt * detune, instrument.duty));
            phase2 += dt * detune;
            phase2 -= std::floor(phase2);
        }
        if (instrument.subOctave > 0.0f) {
            value += instrument.subOctave * std::sin(2.0f * Pi * subPhase);
            subPhase += 0.5f * dt;
            subPhase -= std::floor(subPhase);
        }
        phase += dt;
        phase -= std::floor(phase);
        float cutoff = instrument.cutoff + instrument.cutoffSweep * std::exp(-t / instrument.sweepTime);
        out[i] = filter.process(value, cutoff) * envelopeLevel(e, t, held) * velocity;
    }
    return out;
}

void mixInto(std::vector<float>& target, const std::vector<float>& sound, long offset, float gain, bool wrap)
{
    const long size = static_cast<long>(target.size());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        long at = offset + static_cast<long>(i);
        if (wrap)
            at %= size;
        else if (at >= size)
            break;
        if (at >= 0)
            target[static_cast<std::size_t>(at)] += gain * sound[i];
    }
}

std::vector<float> circularEcho(const std::vector<float>& input, int delay, float feedback)
{
    const std::size_t n = input.size();
    std::vector<float> out(input);
    // Each pass shrinks what is left of the unsettled tail by the feedback.
    for (int pass = 0; pass < 6; ++pass)
        for (std::size_t i = 0; i < n; ++i)
            out[i] = input[i] + feedback * out[(i + n - static_cast<std::size_t>(delay) % n) % n];
    return out;
}

void removeOffset(std::vector<float>& samples)
{
    if (samples.empty())
        return;
    double mean = 0.0;
    for (float s : samples)
        mean += s;
    mean /= static_cast<double>(samples.size());
    for (float& s : samples)
        s -= static_cast<float>(mean);
}

void masterLevel(std::vector<float>& samples, float ceiling)
{
    std::vector<float> magnitudes;
    magnitudes.reserve(samples.size());
    for (float s : samples)
        magnitudes.push_back(std::fabs(s));
    if (magnitudes.empty())
        return;

    std::size_t rank = magnitudes.size() * 997 / 1000;
    std::nth_element(magnitudes.begin(), magnitudes.begin() + static_cast<long>(rank), magnitudes.end());
    float loud = magnitudes[rank];
    if (loud <= 0.0f)
        return;
    const float knee = 0.75f;
    const float scale = knee / loud;
    for (float& s : samples) {
        float m = std::fabs(s) * scale;
        if (m > knee)
            m = knee + (1.0f - knee) * std::tanh((m - knee) / (1.0f - knee));
        s = std::copysign(m * ceiling, s);
    }
}

} // namespace cubrava::assetgen
