#include "Score.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace cubrava::assetgen {

namespace {

std::vector<std::string> tokens(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string token;
    while (in >> token)
        out.push_back(token);
    return out;
}

int degreePitch(const Key& key, int degree, int accidental, int octave)
{
    return key.tonic + key.scale[static_cast<std::size_t>(degree - 1)] + accidental + 12 * octave;
}

} // namespace

Melody parseMelody(const std::string& text, const Key& key, int stepsPerBar)
{
    std::vector<Note> notes;
    int step = 0;
    int barStart = 0;
    bool holding = false;
    std::string spaced;
    for (char c : text)
        spaced += c == '|' ? std::string(" | ") : std::string(1, c);
    for (const std::string& token : tokens(spaced)) {
        if (token == "|") {
            if (step - barStart != stepsPerBar)
                throw std::invalid_argument("bar of " + std::to_string(step - barStart) + " steps ending at step "
                    + std::to_string(step) + " in \"" + text.substr(0, 40) + "...\"");
            barStart = step;
            continue;
        }
        if (token == "-") {
            if (!holding)
                throw std::invalid_argument("hold without a note at step " + std::to_string(step));
            ++notes.back().length;
        } else if (token == ".") {
            holding = false;
        } else {
            std::size_t i = 0;
            int accidental = 0;
            if (token[i] == '#' || token[i] == 'b') {
                accidental = token[i] == '#' ? 1 : -1;
                ++i;
            }
            if (i >= token.size() || token[i] < '1' || token[i] > '7')
                throw std::invalid_argument("bad melody token \"" + token + "\"");
            int degree = token[i++] - '0';
            int octave = 0;
            for (; i < token.size(); ++i) {
                if (token[i] == '\'')
                    ++octave;
                else if (token[i] == ',')
                    --octave;
                else
                    throw std::invalid_argument("bad melody token \"" + token + "\"");
            }
            notes.push_back({ step, 1, degreePitch(key, degree, accidental, octave) });
            holding = true;
        }
        ++step;
    }
    // The closing bar line is optional, the closing bar's length is not.
    if (step != barStart && step - barStart != stepsPerBar)
        throw std::invalid_argument("melody ends inside a bar");
    return { notes, step };
}

std::vector<Chord> parseChords(const std::string& text, const Key& key, int stepsPerBar)
{
    static const char* const numerals[7] = { "i", "ii", "iii", "iv", "v", "vi", "vii" };
    std::vector<Chord> chords;
    int bar = 0;
    for (const std::string& barToken : tokens(text)) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t plus; (plus = barToken.find('+', start)) != std::string::npos; start = plus + 1)
            parts.push_back(barToken.substr(start, plus - start));
        parts.push_back(barToken.substr(start));

        int share = stepsPerBar / static_cast<int>(parts.size());
        for (std::size_t p = 0; p < parts.size(); ++p) {
            std::string t = parts[p];
            int accidental = 0;
            if (!t.empty() && t[0] == 'b') {
                accidental = -1;
                t = t.substr(1);
            }
            std::size_t n = 0;
            while (n < t.size() && (std::tolower(t[n]) == 'i' || std::tolower(t[n]) == 'v'))
                ++n;
            std::string numeral = t.substr(0, n);
            std::string lower;
            for (char c : numeral)
                lower += static_cast<char>(std::tolower(c));
            int degree = 0;
            for (int d = 0; d < 7; ++d)
                if (lower == numerals[d])
                    degree = d + 1;
            if (degree == 0)
                throw std::invalid_argument("bad chord \"" + parts[p] + "\"");
            bool major = std::isupper(static_cast<unsigned char>(numeral[0])) != 0;
            std::string suffix = t.substr(n);

            Chord chord;
            chord.root = (key.tonic + key.scale[static_cast<std::size_t>(degree - 1)] + accidental + 120) % 12;
            int third = major ? 4 : 3;
            int fifth = 7;
            if (suffix.rfind("o", 0) == 0) {
                fifth = 6;
                suffix = suffix.substr(1);
            }
            if (suffix.rfind("sus", 0) == 0) {
                third = 5;
                suffix = suffix.substr(3);
            }
            chord.intervals = { 0, third, fifth };
            if (suffix == "7")
                chord.intervals.push_back(10);
            else if (suffix == "M7")
                chord.intervals.push_back(11);
            else if (!suffix.empty())
                throw std::invalid_argument("bad chord \"" + parts[p] + "\"");
            chord.step = bar * stepsPerBar + static_cast<int>(p) * share;
            chord.length = p + 1 == parts.size() ? stepsPerBar - static_cast<int>(p) * share : share;
            chords.push_back(chord);
        }
        ++bar;
    }
    return chords;
}

const Chord& chordAt(const std::vector<Chord>& chords, int step)
{
    const Chord* found = &chords.front();
    for (const Chord& c : chords)
        if (c.step <= step)
            found = &c;
    return *found;
}

bool clashes(int pitch, const Chord& chord)
{
    int pc = ((pitch % 12) + 12) % 12;
    if (pc == chord.root)
        return false; // the root over a major seventh is the chord's own colour
    for (int interval : chord.intervals)
        if (pc == (chord.root + interval + 1) % 12)
            return true;
    return false;
}

} // namespace cubrava::assetgen
