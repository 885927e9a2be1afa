#pragma once

#include <array>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// Semitone offsets of the seven degrees of a scale from its tonic.
using Scale = std::array<int, 7>;

constexpr Scale MajorScale { 0, 2, 4, 5, 7, 9, 11 };
constexpr Scale MinorScale { 0, 2, 3, 5, 7, 8, 10 };
constexpr Scale DorianScale { 0, 2, 3, 5, 7, 9, 10 };

struct Key {
    int tonic; // MIDI note of degree 1 in the melody's middle octave
    Scale scale;
};

// A pitch at a step of a grid, held for `length` steps.
struct Note {
    int step;
    int length;
    int pitch; // MIDI
};

// Melodies are written as scale degrees, one token per grid step:
//   5      degree 5 of the key           #4 / b7   raised / lowered degree
//   1'     an octave up (1'' two)        5,        an octave down
//   -      hold the note before          .         rest
//   |      bar line, checked against `stepsPerBar`
// Throws std::invalid_argument when a token or a bar length is wrong.
struct Melody {
    std::vector<Note> notes;
    int steps = 0; // length of the whole line, rests included
};

Melody parseMelody(const std::string& text, const Key& key, int stepsPerBar);

// A chord as a root pitch class (0..11 above C) and the intervals above it.
struct Chord {
    int root;
    std::vector<int> intervals;
    int step; // where it starts on the grid
    int length;
};

// Chords in Roman numerals, one token per bar; "ii+V" shares a bar. Upper
// case is major, lower case minor; a trailing "o" is diminished, "7" adds the
// minor seventh, "M7" the major seventh, "sus" swaps the third for a fourth;
// a leading "b" lowers the root. Roots come from the key's scale.
std::vector<Chord> parseChords(const std::string& text, const Key& key, int stepsPerBar);

// The chord sounding at a step (the last one starting at or before it).
const Chord& chordAt(const std::vector<Chord>& chords, int step);

// True when the pitch is a semitone above a tone of the chord (other than
// its root): the clash that makes a melody note on a strong beat sound wrong.
bool clashes(int pitch, const Chord& chord);

} // namespace cubrava::assetgen
