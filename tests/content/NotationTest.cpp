// The notation our songs are written in: a slip here puts a song out of key.

#include "tools/assetgen/Composer.h"
#include "tools/assetgen/Score.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace cubrava::assetgen;

namespace {

const Key DMajor { 62, MajorScale };
const Key CMajor { 60, MajorScale };
const Key AMinor { 69, MinorScale };

void expectNote(const Note& note, int step, int length, int pitch)
{
    EXPECT_EQ(note.step, step);
    EXPECT_EQ(note.length, length);
    EXPECT_EQ(note.pitch, pitch);
}

void expectChord(const Chord& chord, int root, std::vector<int> intervals, int step, int length)
{
    EXPECT_EQ(chord.root, root);
    EXPECT_EQ(chord.intervals, intervals);
    EXPECT_EQ(chord.step, step);
    EXPECT_EQ(chord.length, length);
}

} // namespace

TEST(MelodyNotation, ReadsDegreesOctavesAccidentalsHoldsAndRests)
{
    Melody m = parseMelody("1 3' b7, #4 - . 5 -|", DMajor, 8);
    ASSERT_EQ(m.notes.size(), 5u);
    expectNote(m.notes[0], 0, 1, 62); // D4
    expectNote(m.notes[1], 1, 1, 78); // F#5
    expectNote(m.notes[2], 2, 1, 60); // C4: C# lowered, an octave down
    expectNote(m.notes[3], 3, 2, 68); // G#4, held
    expectNote(m.notes[4], 6, 2, 69); // A4 after a rest
    EXPECT_EQ(m.steps, 8);
}

TEST(MelodyNotation, RefusesWrongBarsAndStrayTokens)
{
    EXPECT_THROW(parseMelody("1 2 3 |", CMajor, 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("1 2 3 4 | 5", CMajor, 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("8 - - -", CMajor, 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("- 1 2 3", CMajor, 4), std::invalid_argument);
    EXPECT_THROW(parseMelody(". - 2 3", CMajor, 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("1x 2 3 4", CMajor, 4), std::invalid_argument);
}

TEST(ChordNotation, BuildsChordsFromTheKeysScale)
{
    std::vector<Chord> c = parseChords("I ii+V7 bVII IVM7 vsus", CMajor, 16);
    ASSERT_EQ(c.size(), 6u);
    expectChord(c[0], 0, { 0, 4, 7 }, 0, 16);
    expectChord(c[1], 2, { 0, 3, 7 }, 16, 8);
    expectChord(c[2], 7, { 0, 4, 7, 10 }, 24, 8);
    expectChord(c[3], 10, { 0, 4, 7 }, 32, 16);
    expectChord(c[4], 5, { 0, 4, 7, 11 }, 48, 16);
    expectChord(c[5], 7, { 0, 5, 7 }, 64, 16);
    EXPECT_EQ(chordAt(c, 23).root, 2);
    EXPECT_EQ(chordAt(c, 24).root, 7);

    // Minor keys take their roots from the minor scale; case still decides
    // the quality, so the major dominant is written V.
    std::vector<Chord> m = parseChords("i VI V iio", AMinor, 16);
    ASSERT_EQ(m.size(), 4u);
    expectChord(m[0], 9, { 0, 3, 7 }, 0, 16);
    expectChord(m[1], 5, { 0, 4, 7 }, 16, 16);
    expectChord(m[2], 4, { 0, 4, 7 }, 32, 16);
    expectChord(m[3], 11, { 0, 3, 6 }, 48, 16);

    EXPECT_THROW(parseChords("I X", CMajor, 16), std::invalid_argument);
    EXPECT_THROW(parseChords("I9", CMajor, 16), std::invalid_argument);
}

TEST(ChordNotation, AClashIsASemitoneAboveAChordToneButNeverTheRoot)
{
    std::vector<Chord> c = parseChords("I V7 IM7", CMajor, 16);
    EXPECT_TRUE(clashes(65, c[0])); // F over C major
    EXPECT_TRUE(clashes(68, c[0])); // A flat over C major
    EXPECT_FALSE(clashes(64, c[0]));
    EXPECT_FALSE(clashes(69, c[0])); // the sixth is colour, not a clash
    EXPECT_TRUE(clashes(72, c[1])); // C against the B of G7
    EXPECT_FALSE(clashes(72, c[2])); // the root over its own major seventh
}

TEST(Composer, RefusesAMelodyThatClashesOnAStrongBeatButLetsItPass)
{
    SongSpec song;
    song.bpm = 120.0f;
    song.key = CMajor;
    song.bassPattern = "R---------------";
    song.chordPattern = "C---------------";
    Section s;
    s.bars = 1;
    s.chords = "I";
    s.melody = "3 4 5 - 3 - 4 3";
    song.sections = { s };
    EXPECT_NO_THROW(composeSong(song, 1)) << "F passing on a weak beat";
    song.sections[0].melody = "3 - 5 - 4 - 3 -";
    EXPECT_THROW(composeSong(song, 1), std::invalid_argument) << "F on the third beat";
    song.sections[0].melody = "3 - 5 - 4 - 3 - | 1 - - - - - - -";
    EXPECT_THROW(composeSong(song, 1), std::invalid_argument) << "two bars of melody over one";
}

TEST(Composer, ALoopIsExactlyItsBarsLongAndAJingleEndsAtRest)
{
    SongSpec song;
    song.bpm = 120.0f; // two seconds a bar
    song.key = CMajor;
    song.bassPattern = "R-------5-------";
    song.chordPattern = "C---------------";
    song.drums = { { "X...X...X...X...", "....X.......X...", "x.x.x.x.x.x.x.x.", "", "" } };
    Section s;
    s.bars = 2;
    s.chords = "I V";
    s.melody = "1 - 3 - 5 - 3 - | 2 - - - 7, - - -";
    s.drums = 0;
    song.sections = { s };
    std::vector<float> loop = composeSong(song, 7);
    EXPECT_EQ(loop.size(), 44100u);

    song.loop = false;
    std::vector<float> jingle = composeSong(song, 7);
    EXPECT_GT(jingle.size(), 44100u) << "the last notes ring out";
    EXPECT_EQ(jingle.front(), 0.0f);
    EXPECT_EQ(jingle.back(), 0.0f);
}
