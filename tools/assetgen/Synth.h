#pragma once

#include <vector>

namespace cubrava::assetgen {

enum class Wave { Sine, Triangle, Pulse, Saw };

// Attack, decay and release in seconds; sustain as a level 0..1.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 0.7f;
    float release = 0.1f;
};

// One pitched voice: oscillators through a low-pass filter, shaped by an
// envelope. A second oscillator a few cents away thickens it; a sine an octave
// below gives a bass body the small speakers of a laptop can still suggest.
struct Instrument {
    Wave wave = Wave::Pulse;
    float duty = 0.5f; // pulse width
    float detuneCents = 0.0f; // 0: one oscillator
    float subOctave = 0.0f; // level of the sine an octave below
    Envelope envelope;
    float cutoff = 3000.0f; // Hz
    float cutoffSweep = 0.0f; // extra Hz at the onset, dying away over sweepTime
    float sweepTime = 0.15f;
    float vibratoDepth = 0.0f; // semitones
    float vibratoRate = 5.5f; // Hz
    float vibratoDelay = 0.25f; // seconds before the vibrato sets in
};

float midiToHz(float note);

// Envelope level `t` seconds after the onset of a note held `held` seconds.
float envelopeLevel(const Envelope& envelope, float t, float held);

// A note held `held` seconds plus its release tail, at amplitude `velocity`.
std::vector<float> renderNote(const Instrument& instrument, float frequency, float held, float velocity);

// Two-pole low-pass and one-pole high-pass filters that keep their state
// between samples.
class LowPass {
public:
    float process(float input, float cutoff);

private:
    float a_ = 0.0f;
    float b_ = 0.0f;
};

class HighPass {
public:
    float process(float input, float cutoff);

private:
    float low_ = 0.0f;
};

// Adds `sound` into `target` from `offset`; with `wrap` the part past the end
// lands at the start, which is what makes a loop join without a click.
void mixInto(std::vector<float>& target, const std::vector<float>& sound, long offset, float gain, bool wrap);

// A feedback echo on a loop: run around the buffer until the tail that wraps
// over the start has settled, so the echo of the last bar sounds in the first.
std::vector<float> circularEcho(const std::vector<float>& input, int delay, float feedback);

// Centres a loop on zero: an offset wastes headroom and thumps when the song
// starts or stops.
void removeOffset(std::vector<float>& samples);

// Keeps peaks below the mixer's limit without squashing the music: the
// loudest stretches are rounded off softly, then everything is scaled so
// no value goes beyond `ceiling`.
void masterLevel(std::vector<float>& samples, float ceiling);

} // namespace cubrava::assetgen
