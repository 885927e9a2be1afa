#include "Composer.h"

#include "Drums.h"
#include "Rng.h"
#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace cubrava::assetgen {

namespace {

constexpr float Rate = static_cast<float>(SampleRate);

long sampleAt(float seconds)
{
    return std::lround(seconds * Rate);
}

int intoRange(int pitchClass, int floor)
{
    return floor + (((pitchClass - floor) % 12) + 12) % 12;
}

int bassPitch(char symbol, const Chord& chord, int floor)
{
    int root = intoRange(chord.root, floor);
    switch (symbol) {
    case 'R':
        return root;
    case 'O':
        return root + 12;
    case '5':
        return root + chord.intervals[2];
    case 'L':
        return root + chord.intervals[2] - 12;
    case '3':
        return root + chord.intervals[1];
    case '7':
        return root + (chord.intervals.size() > 3 ? chord.intervals[3] : 10);
    default:
        throw std::invalid_argument(std::string("bad bass symbol '") + symbol + "'");
    }
}

std::vector<int> voicing(const Chord& chord, int floor)
{
    std::vector<int> tones;
    for (int interval : chord.intervals)
        tones.push_back(intoRange(chord.root + interval, floor));
    std::sort(tones.begin(), tones.end());
    return tones;
}

// Steps a pattern symbol lasts: itself and the holds after it.
int heldSteps(const std::string& pattern, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < pattern.size() && pattern[end] == '-')
        ++end;
    return static_cast<int>(end - at);
}

void checkPattern(const std::string& pattern, int steps, const std::string& what)
{
    if (!pattern.empty() && static_cast<int>(pattern.size()) != steps)
        throw std::invalid_argument(what + " pattern \"" + pattern + "\" is not " + std::to_string(steps) + " steps");
}

float drumVelocity(char c)
{
    switch (c) {
    case 'X':
        return 1.0f;
    case 'x':
        return 0.75f;
    case 'o':
        return 0.4f;
    case '.':
        return 0.0f;
    default:
        throw std::invalid_argument(std::string("bad drum symbol '") + c + "'");
    }
}

// Renders one song section by section into four tracks.
class Renderer {
public:
    Renderer(const SongSpec& song, unsigned long seed)
        : song_(song)
        , rng_(seed)
        , kit_(makeDrumKit(rng_, song.drumTone))
        , beat_(60.0f / song.bpm)
        , bar_(4.0f * beat_)
        , step_(bar_ / static_cast<float>(song.stepsPerBar))
        , melodyStep_(bar_ / static_cast<float>(song.melodySteps))
    {
        int bars = 0;
        for (const Section& s : song.sections)
            bars += s.bars;
        float seconds = static_cast<float>(bars) * bar_ + (song.loop ? 0.0f : 2.5f);
        std::size_t length = static_cast<std::size_t>(sampleAt(seconds));
        lead_.assign(length, 0.0f);
        bass_.assign(length, 0.0f);
        chords_.assign(length, 0.0f);
        drums_.assign(length, 0.0f);
    }

    std::vector<float> render()
    {
        float start = 0.0f;
        int barNumber = 0;
        for (const Section& section : song_.sections) {
            renderSection(section, start, barNumber);
            start += static_cast<float>(section.bars) * bar_;
            barNumber += section.bars;
        }
        applyEcho();
        std::vector<float> mix(lead_.size());
        for (std::size_t i = 0; i < mix.size(); ++i)
            mix[i] = song_.leadLevel * lead_[i] + song_.bassLevel * bass_[i] + song_.chordLevel * chords_[i]
                + song_.drumLevel * drums_[i];
        if (song_.loop)
            removeOffset(mix);
        masterLevel(mix, 0.44f);
        if (!song_.loop)
            fadeJingleEdges(mix);
        return mix;
    }

private:
    void add(std::vector<float>& track, const std::vector<float>& sound, float at, float gain)
    {
        mixInto(track, sound, sampleAt(at), gain, song_.loop);
    }

    void renderSection(const Section& section, float start, int barNumber)
    {
        const int spb = song_.stepsPerBar;
        std::vector<Chord> chords = parseChords(section.chords, song_.key, spb);
        if (chords.empty() || chords.back().step + chords.back().length != section.bars * spb)
            throw std::invalid_argument(song_.title + ": chords of the section at bar " + std::to_string(barNumber)
                + " do not fill its " + std::to_string(section.bars) + " bars");
        if (!section.melody.empty())
            renderMelody(section, chords, start, barNumber);

        const std::string& bassPattern = section.bassPattern.empty() ? song_.bassPattern : section.bassPattern;
        const std::string& chordPattern = section.chordPattern.empty() ? song_.chordPattern : section.chordPattern;
        checkPattern(bassPattern, spb, "bass");
        checkPattern(chordPattern, spb, "chord");
        for (int bar = 0; bar < section.bars; ++bar) {
            float barStart = start + static_cast<float>(bar) * bar_;
            if (section.bass)
                renderBass(bassPattern, chords, bar, barStart);
            if (section.harmony)
                renderChords(chordPattern, chords, bar, barStart);
            int pattern = bar == section.bars - 1 && section.fill >= 0 ? section.fill : section.drums;
            if (pattern >= 0)
                renderDrums(song_.drums.at(static_cast<std::size_t>(pattern)), barStart);
        }
        if (section.crash)
            add(drums_, kit_.crash, start, 0.5f);
    }

    void renderMelody(const Section& section, const std::vector<Chord>& chords, float start, int barNumber)
    {
        const int ms = song_.melodySteps;
        Melody melody = parseMelody(section.melody, song_.key, ms);
        if (melody.steps != section.bars * ms)
            throw std::invalid_argument(song_.title + ": melody of the section at bar " + std::to_string(barNumber)
                + " has " + std::to_string(melody.steps / ms) + " bars, not " + std::to_string(section.bars));
        for (const Note& note : melody.notes) {
            bool strong = note.step % (ms / 2) == 0;
            const Chord& chord = chordAt(chords, note.step * song_.stepsPerBar / ms);
            if (strong && clashes(note.pitch, chord))
                throw std::invalid_argument(song_.title + ": melody note " + std::to_string(note.pitch) + " in bar "
                    + std::to_string(barNumber + note.step / ms + 1) + " clashes with its chord");
            float at = start + static_cast<float>(note.step) * melodyStep_;
            float held = static_cast<float>(note.length) * melodyStep_ * 0.9f;
            float velocity = note.step % ms == 0 ? 1.0f : (strong ? 0.92f : 0.82f);
            float frequency = midiToHz(static_cast<float>(note.pitch));
            add(lead_, renderNote(song_.lead, frequency, held, velocity), at, 1.0f);
            if (section.doubled)
                add(chords_, renderNote(song_.chords, frequency * 0.5f, held, velocity), at, 0.7f);
        }
    }

    void renderBass(const std::string& pattern, const std::vector<Chord>& chords, int bar, float barStart)
    {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            char c = pattern[i];
            if (c == '.' || c == '-')
                continue;
            const Chord& chord = chordAt(chords, bar * song_.stepsPerBar + static_cast<int>(i));
            int pitch = bassPitch(c, chord, song_.bassFloor);
            float held = static_cast<float>(heldSteps(pattern, i)) * step_ * 0.85f;
            float velocity = i == 0 ? 1.0f : 0.85f;
            add(bass_, renderNote(song_.bass, midiToHz(static_cast<float>(pitch)), held, velocity),
                barStart + static_cast<float>(i) * step_, 1.0f);
        }
    }

    void renderChords(const std::string& pattern, const std::vector<Chord>& chords, int bar, float barStart)
    {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            char c = pattern[i];
            if (c == '.' || c == '-')
                continue;
            const Chord& chord = chordAt(chords, bar * song_.stepsPerBar + static_cast<int>(i));
            std::vector<int> tones = voicing(chord, song_.chordFloor);
            std::vector<int> play;
            if (c == 'C') {
                play = tones;
            } else if (c >= '0' && c <= '9') {
                std::size_t k = static_cast<std::size_t>(c - '0');
                play.push_back(tones[k % tones.size()] + 12 * static_cast<int>(k / tones.size()));
            } else {
                throw std::invalid_argument(std::string("bad chord symbol '") + c + "'");
            }
            float held = static_cast<float>(heldSteps(pattern, i)) * step_ * 0.95f;
            float gain = 1.0f / std::sqrt(static_cast<float>(play.size()));
            for (int pitch : play)
                add(chords_, renderNote(song_.chords, midiToHz(static_cast<float>(pitch)), held, 1.0f),
                    barStart + static_cast<float>(i) * step_, gain);
        }
    }

    void renderDrums(const DrumPattern& pattern, float barStart)
    {
        const int spb = song_.stepsPerBar;
        struct Voice {
            const std::string& hits;
            const std::vector<float>& sound;
            float gain;
            bool humanise;
        };
        const Voice voices[] = { { pattern.kick, kit_.kick, 1.0f, false }, { pattern.snare, kit_.snare, 0.7f, false },
            { pattern.hat, kit_.closedHat, 0.28f, true }, { pattern.openHat, kit_.openHat, 0.25f, true },
            { pattern.tom, kit_.tom, 0.7f, false } };
        for (const Voice& voice : voices) {
            checkPattern(voice.hits, spb, "drum");
            for (std::size_t i = 0; i < voice.hits.size(); ++i) {
                float velocity = drumVelocity(voice.hits[i]);
                if (velocity == 0.0f)
                    continue;
                if (voice.humanise)
                    velocity *= static_cast<float>(rng_.range(0.85, 1.0));
                add(drums_, voice.sound, barStart + static_cast<float>(i) * step_, voice.gain * velocity);
            }
        }
    }

    void applyEcho()
    {
        if (song_.echoBeats <= 0.0f)
            return;
        int delay = static_cast<int>(sampleAt(song_.echoBeats * beat_));
        std::vector<float> wet;
        if (song_.loop) {
            wet = circularEcho(lead_, delay, song_.echoFeedback);
        } else {
            wet = lead_;
            for (std::size_t i = static_cast<std::size_t>(delay); i < wet.size(); ++i)
                wet[i] += song_.echoFeedback * wet[i - static_cast<std::size_t>(delay)];
        }
        for (std::size_t i = 0; i < lead_.size(); ++i)
            lead_[i] += 0.5f * (wet[i] - lead_[i]);
    }

    // A jingle starts and ends at rest: a moment of fade in, and the tail too
    // quiet to hear cut off and faded.
    static void fadeJingleEdges(std::vector<float>& mix)
    {
        const std::size_t fadeIn = std::min(mix.size(), static_cast<std::size_t>(sampleAt(0.003f)));
        for (std::size_t i = 0; i < fadeIn; ++i)
            mix[i] *= static_cast<float>(i) / static_cast<float>(fadeIn);
        std::size_t end = mix.size();
        while (end > 0 && std::fabs(mix[end - 1]) < 0.004f)
            --end;
        end = std::min(mix.size(), end + static_cast<std::size_t>(sampleAt(0.05f)));
        mix.resize(end);
        std::size_t fade = std::min(mix.size(), static_cast<std::size_t>(sampleAt(0.2f)));
        for (std::size_t i = 0; i < fade; ++i)
            mix[mix.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }

    const SongSpec& song_;
    Rng rng_;
    DrumKit kit_;
    float beat_;
    float bar_;
    float step_;
    float melodyStep_;
    std::vector<float> lead_;
    std::vector<float> bass_;
    std::vector<float> chords_;
    std::vector<float> drums_;
};

} // namespace

std::vector<float> composeSong(const SongSpec& song, unsigned long seed)
{
    return Renderer(song, seed).render();
}

} // namespace cubrava::assetgen
