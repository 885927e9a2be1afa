#pragma once

#include "Score.h"
#include "Synth.h"

#include <string>
#include <vector>

namespace cubrava::assetgen {

// A bar of drums on the song's grid: 'X' accent, 'x' hit, 'o' ghost, '.' none.
struct DrumPattern {
    std::string kick;
    std::string snare;
    std::string hat;
    std::string openHat;
    std::string tom;
};

// A stretch of the arrangement. Patterns left empty fall back to the song's.
struct Section {
    int bars = 4;
    std::string chords; // Roman numerals, one per bar
    std::string melody; // scale degrees on the melody grid; empty: the lead rests
    int drums = -1; // index into the song's patterns; -1: no drums
    int fill = -1; // pattern for the section's last bar; -1: as `drums`
    bool bass = true;
    bool harmony = true; // chord voice
    bool crash = false; // crash cymbal on the first beat
    bool doubled = false; // the lead doubled an octave lower by the chord voice's instrument
    std::string bassPattern;
    std::string chordPattern;
};

// Everything that makes one piece of music. Bass patterns, one char per grid
// step: R root, O root an octave up, 5 fifth, L fifth below, 3 third, 7
// seventh, '-' hold, '.' rest. Chord patterns: 0..3 a chord tone from the
// bottom, C the whole chord, '-' hold, '.' rest.
struct SongSpec {
    std::string title;
    std::string file; // relative to the runtime folder
    float bpm = 120.0f;
    Key key { 60, MajorScale };
    int stepsPerBar = 16; // grid of the drum, bass and chord patterns
    int melodySteps = 8; // melody tokens per bar
    bool loop = true; // soundtracks loop; jingles end
    int bassFloor = 38; // lowest bass root (MIDI)
    int chordFloor = 55; // lowest chord tone (MIDI)
    Instrument lead;
    Instrument bass;
    Instrument chords;
    float leadLevel = 1.0f;
    float bassLevel = 1.0f;
    float chordLevel = 0.5f;
    float drumLevel = 1.0f;
    float echoBeats = 0.75f; // lead echo delay; 0: none
    float echoFeedback = 0.3f;
    float drumTone = 1.0f;
    std::string bassPattern;
    std::string chordPattern;
    std::vector<DrumPattern> drums;
    std::vector<Section> sections;
};

// Renders a song to samples at the game's rate, mastered under the mixer's
// peak limit. A looping song is exactly its bars long and its note tails
// wrap to the start. Throws std::invalid_argument on a malformed song or a
// melody note that clashes with its chord on a strong beat.
std::vector<float> composeSong(const SongSpec& song, unsigned long seed);

} // namespace cubrava::assetgen
