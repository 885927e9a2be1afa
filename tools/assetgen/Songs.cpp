#include "Songs.h"

namespace cubrava::assetgen {

namespace {

Instrument pulseLead(float duty, float cutoff)
{
    Instrument i;
    i.wave = Wave::Pulse;
    i.duty = duty;
    i.detuneCents = 7.0f;
    i.envelope = { 0.006f, 0.15f, 0.6f, 0.09f };
    i.cutoff = cutoff;
    i.cutoffSweep = 1400.0f;
    i.sweepTime = 0.08f;
    i.vibratoDepth = 0.15f;
    i.vibratoRate = 5.5f;
    return i;
}

Instrument sawBass(float cutoff)
{
    Instrument i;
    i.wave = Wave::Saw;
    i.envelope = { 0.004f, 0.18f, 0.55f, 0.05f };
    i.cutoff = cutoff;
    i.cutoffSweep = 900.0f;
    i.sweepTime = 0.05f;
    return i;
}

Instrument pluck(Wave wave, float cutoff, float decay)
{
    Instrument i;
    i.wave = wave;
    i.envelope = { 0.003f, decay, 0.0f, 0.05f };
    i.cutoff = cutoff;
    i.cutoffSweep = 1500.0f;
    i.sweepTime = 0.06f;
    return i;
}

// Upbeat: D major, a bouncing bass, off-beat stabs and a bright pulse lead.
SongSpec sunnyStacks()
{
    SongSpec s;
    s.title = "Sunny Stacks";
    s.file = "Music/sunny-stacks.wav";
    s.bpm = 126.0f;
    s.key = { 62, MajorScale };
    s.bassFloor = 38;
    s.chordFloor = 57;
    s.lead = pulseLead(0.25f, 2600.0f);
    s.bass = sawBass(650.0f);
    s.chords = pluck(Wave::Pulse, 1600.0f, 0.16f);
    s.leadLevel = 1.0f;
    s.bassLevel = 0.85f;
    s.chordLevel = 0.55f;
    s.echoBeats = 0.75f;
    s.echoFeedback = 0.28f;
    s.bassPattern = "R-.RO-.RR-.R5-O-";
    s.chordPattern = "..C...C...C...C.";
    s.drums = {
        { "X...X...X...X...", "....X.......X...", "x.x.x.x.x.x.x.x.", "", "" }, // 0 groove
        { "X.......X.......", "", "..x...x...x...x.", "", "" }, // 1 light
        { "X...X...X.......", "....X...x.x.XxXX", "x.x.x.x.........", "", "" }, // 2 fill
        { "X...X...X...X.x.", "....X.......X...", "xoxoxoxoxoxoxoxo", "......x.......x.", "" }, // 3 lift
    };

    Section intro;
    intro.bars = 2;
    intro.chords = "I I";
    intro.drums = 1;

    Section a;
    a.bars = 8;
    a.chords = "I vi IV V I vi IV I";
    a.melody = "3 - 2 3 5 - 3 - | 6 - 5 6 1' - 6 - | 4 - 3 4 6 - 5 4 | 5 - - - 2' - 7 - |"
               "3 - 2 3 5 - 3 - | 6 - 5 6 1' - 2' - | 2' - 1' 7 6 - 4 - | 1 - - - - - 5, 7, |";
    a.drums = 0;
    a.fill = 2;

    Section b;
    b.bars = 8;
    b.chords = "IV V iii vi ii V I V";
    b.melody = "1' - 6 - 4 - 6 - | 7 - 5 - 2' - 1' 7 | 3' - - - 2' - 1' - | 6 - - - - - 5 6 |"
               "4 - 5 - 6 - 4 - | 5 - 6 - 7 - 2' - | 3' - - 2' 1' - 3 - | 2 - 3 - 5 - 7, - |";
    b.drums = 3;
    b.fill = 2;
    b.crash = true;

    Section a2 = a;
    a2.crash = true;
    a2.doubled = true;
    a2.fill = -1;

    Section c;
    c.bars = 8;
    c.chords = "vi IV I V vi IV ii V";
    c.melody = "3' - - - 2' - 1' - | 1' - - - 6 - - - | 5 - - 6 5 - 3 - | 2 - - - - - . . |"
               "6 - 1' - 3' - 2' 1' | 2' - - - 1' - 6 - | 4 - - - 6 - 1' - | 2' - - - 7 - - - |";
    c.drums = 1;
    c.fill = 2;
    c.chordPattern = "0-1-2-1-0-1-2-1-";

    s.sections = { intro, a, b, a2, c };
    return s;
}

// Driving: E minor at a gallop, pumping eighths, a rolling arpeggio.
SongSpec nightDrive()
{
    SongSpec s;
    s.title = "Night Drive";
    s.file = "Music/night-drive.wav";
    s.bpm = 138.0f;
    s.key = { 64, MinorScale };
    s.bassFloor = 40;
    s.chordFloor = 59;
    s.lead = pulseLead(0.5f, 2000.0f);
    s.lead.wave = Wave::Saw;
    s.lead.envelope = { 0.01f, 0.2f, 0.7f, 0.12f };
    s.bass = sawBass(520.0f);
    s.chords = pluck(Wave::Saw, 1300.0f, 0.12f);
    s.leadLevel = 1.1f;
    s.bassLevel = 0.8f;
    s.chordLevel = 0.45f;
    s.echoBeats = 0.5f;
    s.echoFeedback = 0.3f;
    s.drumTone = 1.1f;
    s.bassPattern = "R-R-O-R-R-O-R-5-";
    s.chordPattern = "0121312101213121";
    s.drums = {
        { "X...X...X...X...", "....X.......X...", "..x...x...x...x.", "", "" }, // 0 drive
        { "X...X...X...X...", "", "..x...x...x...x.", "", "" }, // 1 intro
        { "X...X...X...X...", "....X.......X.x.", "XxxxXxxxXxxxXxxx", "", "" }, // 2 push
        { "X...X...X.......", "....X...........", "x.x.x.x.........", "", "........X.x.xXxX" }, // 3 fill
        { "X.......X.......", "", "", "..x...x...x...x.", "" }, // 4 breakdown
    };

    Section intro;
    intro.bars = 4;
    intro.chords = "i VI III VII";
    intro.drums = 1;
    intro.fill = 3;

    Section a;
    a.bars = 8;
    a.chords = "i VI III VII i VI III VII";
    a.melody = "1 - - 2 3 - 5 - | 3 - 1 - 6, - 1 - | 5 - - 4 5 - 7 - | 4 - - - 2 - 7, - |"
               "1 - - 2 3 - 5 - | 3 - 1 - 6, - 1 - | 5 - 7 - 1' - 7 5 | 4 - - - - - . . |";
    a.drums = 0;
    a.fill = 3;
    a.crash = true;

    Section b;
    b.bars = 8;
    b.chords = "iv VI III VII iv VI V V";
    b.melody = "1' - - 7 6 - 1' - | 3' - - 2' 1' - 7 - | 7 - 5 - 3 - 5 - | 4 - - - 2 - - - |"
               "6 - 1' - 3' - 1' - | 3' - 2' 1' 7 - 6 - | #7 - - - 5 - - - | 2' - - - #7 - - - |";
    b.drums = 2;
    b.fill = 3;
    b.crash = true;

    Section a2 = a;
    a2.doubled = true;

    Section breakdown;
    breakdown.bars = 4;
    breakdown.chords = "VI VII i i";
    breakdown.melody = "3 - - - - - - - | 4 - - - - - - - | 5 - - - - - - - | . . . . . . . . |";
    breakdown.drums = 4;
    breakdown.chordPattern = "0-1-2-3-2-1-0-1-";

    Section build;
    build.bars = 4;
    build.chords = "VI VII V V";
    build.melody = "1' - 7 - 6 - 5 - | 6 - 5 - 4 - 2 - | #7, - 2 - 5 - #7 - | 2' - - - - - . . |";
    build.drums = 0;
    build.fill = 3;

    s.sections = { intro, a, b, a2, breakdown, build };
    return s;
}

// Calm: F major seventh chords, a ringing broken-chord piano, a soft lead.
SongSpec stillWater()
{
    SongSpec s;
    s.title = "Still Water";
    s.file = "Music/still-water.wav";
    s.bpm = 88.0f;
    s.key = { 65, MajorScale };
    s.bassFloor = 41;
    s.chordFloor = 53;
    s.lead.wave = Wave::Triangle;
    s.lead.envelope = { 0.03f, 0.3f, 0.7f, 0.25f };
    s.lead.cutoff = 2200.0f;
    s.lead.vibratoDepth = 0.2f;
    s.lead.vibratoRate = 4.8f;
    s.lead.vibratoDelay = 0.3f;
    s.bass.wave = Wave::Triangle;
    s.bass.envelope = { 0.01f, 0.5f, 0.6f, 0.2f };
    s.bass.cutoff = 600.0f;
    s.chords.wave = Wave::Triangle;
    s.chords.envelope = { 0.004f, 0.7f, 0.15f, 0.5f };
    s.chords.cutoff = 1500.0f;
    s.chords.cutoffSweep = 800.0f;
    s.leadLevel = 1.0f;
    s.bassLevel = 0.85f;
    s.chordLevel = 0.45f;
    s.drumLevel = 0.6f;
    s.echoBeats = 0.75f;
    s.echoFeedback = 0.38f;
    s.drumTone = 0.9f;
    s.bassPattern = "R-------5-------";
    s.chordPattern = "0-1-2-3-4-3-2-1-";
    s.drums = {
        { "X.......x.......", "....o.......o...", "x.x.x.x.x.x.x.x.", "", "" }, // 0 brush
        { "X.........x.....", "", "....x.......x...", "", "" }, // 1 sparse
    };

    Section intro;
    intro.bars = 4;
    intro.chords = "IM7 vi7 ii7 V7";
    intro.drums = 1;

    Section a;
    a.bars = 8;
    a.chords = "IM7 vi7 ii7 V7 IM7 vi7 IVM7 V7";
    a.melody = "3 - - - 5 - 3 2 | 1 - - - 3 - - - | 4 - - 5 6 - 4 - | 5 - - - 3 - 2 - |"
               "3 - - - 5 - 1' - | 1' - - 7 6 - 5 - | 4 - 5 6 1' - 6 - | 5 - - - - - . . |";
    a.drums = 0;

    Section b;
    b.bars = 8;
    b.chords = "IVM7 V7 iii7 vi7 ii7 iii7 IVM7 V7";
    b.melody = "6 - - 5 6 - 1' - | 7 - - 6 5 - - - | 5 - - 4 3 - 5 - | 6 - - - - - 5 6 |"
               "1' - - 6 4 - 6 - | 7 - - 6 5 - 3 - | 4 - - 3 4 - 6 - | 5 - - - 2 - 3 - |";
    b.drums = 0;
    b.doubled = true;

    Section a2;
    a2.bars = 4;
    a2.chords = "IM7 vi7 ii7 V7";
    a2.melody = "3 - - - 5 - 3 2 | 1 - - - 6, - - - | 4 - - 5 6 - 5 4 | 5 - - - - - . . |";
    a2.drums = 1;

    s.sections = { intro, a, b, a2 };
    return s;
}

// Tense: G minor, a pedal-note ostinato, a thin nasal lead and the dark
// Neapolitan chord.
SongSpec pressure()
{
    SongSpec s;
    s.title = "Pressure";
    s.file = "Music/pressure.wav";
    s.bpm = 116.0f;
    s.key = { 67, MinorScale };
    s.bassFloor = 38;
    s.chordFloor = 55;
    s.lead = pulseLead(0.125f, 2300.0f);
    s.lead.envelope = { 0.008f, 0.25f, 0.65f, 0.1f };
    s.lead.vibratoDepth = 0.22f;
    s.bass = sawBass(480.0f);
    s.bass.wave = Wave::Pulse;
    s.bass.duty = 0.3f;
    s.chords = pluck(Wave::Pulse, 1400.0f, 0.1f);
    s.chords.duty = 0.3f;
    s.leadLevel = 1.1f;
    s.bassLevel = 0.7f;
    s.chordLevel = 0.5f;
    s.echoBeats = 0.75f;
    s.echoFeedback = 0.33f;
    s.drumTone = 0.95f;
    s.bassPattern = "R.R.R.R.R.R.O.R.";
    s.chordPattern = "0.0.1.0.2.0.1.0.";
    s.drums = {
        { "X.....X...X.....", "....X.......X...", "xoxoxoxoxoxoxoxo", "", "" }, // 0 stalk
        { "X.....X...X.....", "", "x.x.x.x.x.x.x.x.", "", "" }, // 1 intro
        { "X.....X...X.....", "....X.......X...", "xoxoxoxo........", "", "........X.x.XxXx" }, // 2 fill
    };

    Section intro;
    intro.bars = 4;
    intro.chords = "i i VI V";
    intro.drums = 1;

    Section a;
    a.bars = 8;
    a.chords = "i i VI V i i iv V";
    a.melody = "5 - - - 5 6 5 4 | 3 - - - 2 - 1 - | 3 - - 4 3 - 1 - | #7, - - - 2 - - - |"
               "5 - - - 5 6 5 4 | 3 - - - 5 - 1' - | 1' - 6 - 4 - 3 - | 2 - - - #7, - - - |";
    a.drums = 0;
    a.fill = 2;
    a.crash = true;

    Section b;
    b.bars = 8;
    b.chords = "iv iv i i bII bII V V";
    b.melody = "6 - - 5 4 - 6 - | 1' - - - - - 6 - | 5 - - 4 3 - 5 - | 1 - - - - - . . |"
               "b2 - - - 4 - 6 - | 6 - - 4 b2 - 4 - | #7 - - - 2' - - - | 5 - - - - - #7, - |";
    b.drums = 0;
    b.fill = 2;

    Section a2 = a;
    a2.doubled = true;

    Section bridge;
    bridge.bars = 4;
    bridge.chords = "VI VI V V";
    bridge.melody = "3 - - - 1 - 3 - | 6 - - - 5 - 3 - | #7, - - - 2 - - - | 5 - - - - - . . |";
    bridge.drums = 1;
    bridge.fill = 2;
    bridge.chordPattern = "C-..C-..C-..C-..";

    s.sections = { intro, a, b, a2, bridge };
    return s;
}

SongSpec jingle(const char* title, const char* file, float bpm, Key key)
{
    SongSpec s;
    s.title = title;
    s.file = file;
    s.bpm = bpm;
    s.key = key;
    s.loop = false;
    s.bassPattern = "R---------------";
    s.chordPattern = "C---------------";
    s.chords.wave = Wave::Triangle;
    s.chords.envelope = { 0.005f, 0.4f, 0.5f, 0.4f };
    s.chords.cutoff = 2000.0f;
    s.bass = sawBass(600.0f);
    s.chordLevel = 0.5f;
    s.echoBeats = 0.5f;
    s.echoFeedback = 0.25f;
    return s;
}

} // namespace

std::vector<SongSpec> soundtracks()
{
    return { sunnyStacks(), nightDrive(), stillWater(), pressure() };
}

std::vector<SongSpec> winJingles()
{
    // A rising arpeggio to a high tonic over a snare roll.
    SongSpec fanfare = jingle("Win Fanfare", "Music/win-fanfare.wav", 140.0f, { 60, MajorScale });
    fanfare.lead = pulseLead(0.25f, 3000.0f);
    fanfare.lead.envelope = { 0.005f, 0.1f, 0.7f, 0.3f };
    fanfare.drums = { { "X...X...X...X...", "........XxXxXXXX", "x.x.x.x.x.x.x.x.", "", "" },
        { "X...............", "", "", "", "" } };
    Section rise;
    rise.bars = 2;
    rise.chords = "I IV+V";
    rise.melody = "5, 1 3 5 1' 5 1' 3' | 4' - 3' - 2' - 7 - |";
    rise.drums = 0;
    rise.chordPattern = "C---C---C---C---";
    Section land;
    land.bars = 1;
    land.chords = "I";
    land.melody = "1'' - - - - - - - |";
    land.drums = 1;
    land.crash = true;
    fanfare.sections = { rise, land };

    // Bell-like sixteenths climbing two octaves.
    SongSpec sparkle = jingle("Win Sparkle", "Music/win-sparkle.wav", 150.0f, { 57, MajorScale });
    sparkle.melodySteps = 16;
    sparkle.lead = pluck(Wave::Triangle, 3500.0f, 0.3f);
    sparkle.lead.envelope = { 0.002f, 0.3f, 0.2f, 0.3f };
    sparkle.drums = { { "X.......X.......", "....x.......x...", "xxxxxxxxxxxxxxxx", "", "" },
        { "X...............", "", "", "", "" } };
    Section climb;
    climb.bars = 2;
    climb.chords = "I IV+V";
    climb.melody = "1 3 5 1' 3 5 1' 3' 5 1' 3' 5' 1'' - - - | 4' - - - 6' - - - 5' - - - 7' - - - |";
    climb.drums = 0;
    Section shine;
    shine.bars = 1;
    shine.chords = "I";
    shine.melody = "1'' - - - - - - - - - - - - - - - |";
    shine.drums = 1;
    shine.crash = true;
    sparkle.sections = { climb, shine };
    return { fanfare, sparkle };
}

std::vector<SongSpec> loseJingles()
{
    // A minor arpeggio tumbling down two octaves to a low thud.
    SongSpec tumble = jingle("Lose Tumble", "Music/lose-tumble.wav", 120.0f, { 72, MinorScale });
    tumble.lead = pulseLead(0.5f, 1800.0f);
    tumble.lead.vibratoDepth = 0.35f;
    tumble.lead.vibratoDelay = 0.1f;
    tumble.lead.envelope = { 0.01f, 0.2f, 0.7f, 0.4f };
    tumble.bassFloor = 36;
    tumble.drums = { { "", "", "", "", "X...x...x...X..." }, { "X...............", "", "", "", "" } };
    Section fall;
    fall.bars = 1;
    fall.chords = "i";
    fall.melody = "5' 3' 1' 5 3 1 5, - |";
    fall.drums = 0;
    fall.harmony = false;
    Section thud;
    thud.bars = 1;
    thud.chords = "i";
    thud.melody = "1, - - - - - - - |";
    thud.drums = 1;
    tumble.sections = { fall, thud };

    // A slow sigh: minor line falling through the dominant to the tonic.
    SongSpec sigh = jingle("Lose Sigh", "Music/lose-sigh.wav", 100.0f, { 69, MinorScale });
    sigh.melodySteps = 4;
    sigh.lead.wave = Wave::Triangle;
    sigh.lead.envelope = { 0.03f, 0.3f, 0.7f, 0.5f };
    sigh.lead.vibratoDepth = 0.3f;
    sigh.lead.vibratoRate = 4.5f;
    sigh.lead.cutoff = 2000.0f;
    sigh.bassFloor = 38;
    sigh.drums = {};
    Section line;
    line.bars = 3;
    line.chords = "iv V i";
    line.melody = "1' 6 4 2 | #7, - 2 - | 1 - - - |";
    sigh.sections = { line };
    return { tumble, sigh };
}

} // namespace cubrava::assetgen
