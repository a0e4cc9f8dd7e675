#include "Score.h"

#include "SongRandom.h"

#include <array>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr int kEighthsPerBar = 6; // 3/4 time
constexpr double kEighthSeconds = 0.4; // 75 beats a minute

struct SChord {
    std::string_view name;
    int root;                  // pitch class, C = 0
    std::array<int, 4> tones;  // pitch classes, root first, third second, fifth third
    int toneCount;
};

constexpr std::array<SChord, 8> kChords{{
    {"Am", 9, {9, 0, 4, 0}, 3},
    {"F", 5, {5, 9, 0, 0}, 3},
    {"C", 0, {0, 4, 7, 0}, 3},
    {"G", 7, {7, 11, 2, 0}, 3},
    {"Dm", 2, {2, 5, 9, 0}, 3},
    {"E", 4, {4, 8, 11, 0}, 3},
    {"E7", 4, {4, 8, 11, 2}, 4},
    {"Em", 4, {4, 7, 11, 0}, 3},
}};

// One section: chords bar by bar, the melody bar by bar ("C5:3" is C5 for three eighths, "-"
// a rest), the broken-chord figure, and how strongly the section is played.
struct SSection {
    std::vector<std::string_view> chords;
    std::vector<std::string_view> melody;
    std::string_view figure;
    float dynamics;
    float melodyDynamics;
};

// The circle ends on E and begins on A minor, so the loop is a cadence, not a seam.
const std::vector<SSection>& arrangement()
{
    static const std::vector<SSection> sections{
        {{"Am", "F", "Dm", "E"},
         {"A4:6", "C5:6", "D5:4 F5:2", "E5:6"},
         "R F O T O F", 0.75f, 0.55f},
        {{"Am", "F", "C", "G", "Am", "F", "Dm", "E"},
         {"A4:2 C5:2 E5:2", "A5:4 G5:1 F5:1", "E5:3 D5:1 C5:2", "D5:6",
          "C5:2 E5:2 A5:2", "C6:3 B5:1 A5:2", "F5:2 E5:2 D5:2", "E5:6"},
         "R F O T O F", 0.85f, 0.8f},
        {{"Am", "F", "C", "G", "F", "G", "E", "Am"},
         {"A4:2 C5:2 E5:2", "A5:3 G5:1 F5:2", "E5:2 G5:2 C6:2", "B5:4 A5:1 G5:1",
          "A5:3 G5:1 F5:2", "D5:2 G5:2 B5:2", "B5:3 A5:1 G#5:2", "A5:6"},
         "R F T O T F", 0.9f, 0.85f},
        {{"F", "G", "C", "Am", "Dm", "G", "C", "E"},
         {"C6:4 A5:2", "B5:4 G5:2", "C6:2 E6:2 D6:1 C6:1", "A5:4 E5:2",
          "F5:2 A5:2 D6:2", "D6:3 C6:1 B5:2", "C6:2 G5:2 E5:2", "G#5:4 B5:2"},
         "R F T U T O", 1.0f, 0.9f},
        {{"F", "G", "Em", "Am", "Dm", "G", "C", "E7"},
         {"A5:2 C6:2 E6:2", "D6:4 B5:2", "B5:3 A5:1 G5:2", "C6:3 B5:1 A5:2",
          "F5:2 A5:2 D6:2", "D6:2 C6:2 B5:2", "E5:2 G5:2 C6:2", "D6:2 B5:2 G#5:2"},
         "R F T U T O", 1.0f, 0.9f},
        {{"Am", "F", "C", "G", "Am", "F", "Dm", "E"},
         {"A4:1 B4:1 C5:2 E5:2", "A5:4 G5:1 F5:1", "E5:3 D5:1 C5:2", "D5:2 G5:2 B5:2",
          "C6:2 B5:1 A5:1 E5:2", "C6:3 B5:1 A5:2", "F5:2 E5:2 D5:2", "E5:4 D5:2"},
         "R F O T O F", 0.9f, 0.85f},
        {{"Am", "F", "Dm", "E"},
         {"C5:3 B4:1 A4:2", "A4:4 C5:2", "D5:3 E5:1 F5:2", "B4:4 G#4:2"},
         "R F O T O F", 0.75f, 0.6f},
    };
    return sections;
}

const SChord& chordNamed(std::string_view name)
{
    for (const SChord& chord : kChords) {
        if (chord.name == name) {
            return chord;
        }
    }
    throw std::runtime_error("unknown chord " + std::string(name));
}

int pitchClassOf(char letter)
{
    static constexpr std::string_view kLetters = "C D EF G A B";
    const std::size_t at = kLetters.find(letter);
    if (at == std::string_view::npos || letter == ' ') {
        throw std::runtime_error(std::string("bad note letter ") + letter);
    }
    return static_cast<int>(at);
}

// "G#5" -> 80.
int parsePitch(std::string_view text)
{
    int pitchClass = pitchClassOf(text.at(0));
    std::size_t at = 1;
    if (text.at(at) == '#') {
        ++pitchClass;
        ++at;
    } else if (text.at(at) == 'b') {
        --pitchClass;
        ++at;
    }
    const int octave = text.at(at) - '0';
    return 12 * (octave + 1) + pitchClass;
}

// The lowest note of a pitch class at or above `floor`.
int placeAbove(int pitchClass, int floor)
{
    return floor + ((pitchClass - floor) % 12 + 12) % 12;
}

class CComposer {
public:
    explicit CComposer(int sampleRate)
        : eighth_(static_cast<std::int64_t>(std::llround(kEighthSeconds * sampleRate))),
          sampleRate_(sampleRate), random_(0x4D696E6Eu)
    {
    }

    SScore compose()
    {
        for (const SSection& section : arrangement()) {
            addSection(section);
        }
        score_.totalSamples = bar_ * kEighthsPerBar * eighth_;
        return std::move(score_);
    }

private:
    void addSection(const SSection& section)
    {
        if (section.chords.size() != section.melody.size()) {
            throw std::runtime_error("section with unequal chord and melody bars");
        }
        for (std::size_t i = 0; i < section.chords.size(); ++i) {
            const SChord& chord = chordNamed(section.chords[i]);
            addMelodyBar(section.melody[i], section.melodyDynamics);
            addFigure(chord, section.figure, section.dynamics);
            addPad(chord, section.dynamics);
            addBass(chord, section.dynamics);
            ++bar_;
        }
    }

    std::int64_t barStart() const { return bar_ * kEighthsPerBar * eighth_; }

    // A few milliseconds either way, as a player's hand would place them.
    std::int64_t humanise(std::int64_t at)
    {
        return at + static_cast<std::int64_t>(random_.bipolar() * 0.004f * sampleRate_);
    }

    float vary(float velocity) { return velocity * random_.between(0.93f, 1.05f); }

    void addMelodyBar(std::string_view bar, float dynamics)
    {
        std::istringstream words{std::string(bar)};
        std::string word;
        int eighths = 0;
        while (words >> word) {
            const std::size_t colon = word.find(':');
            const int length = std::stoi(word.substr(colon + 1));
            if (word[0] != '-') {
                const bool strong = eighths % 2 == 0;
                add(EVoice::Melody, parsePitch(word.substr(0, colon)), eighths, length,
                    vary(dynamics * (strong ? 1.0f : 0.85f)));
            }
            eighths += length;
        }
        if (eighths != kEighthsPerBar) {
            throw std::runtime_error("melody bar of wrong length: " + std::string(bar));
        }
    }

    // R root, F fifth, O octave, T third above the octave, U fifth above the octave.
    void addFigure(const SChord& chord, std::string_view figure, float dynamics)
    {
        const int root = placeAbove(chord.root, 45);
        const int third = placeAbove(chord.tones[1], root) - root;
        int eighths = 0;
        for (char step : figure) {
            if (step == ' ') {
                continue;
            }
            int offset = 0;
            switch (step) {
            case 'R': offset = 0; break;
            case 'F': offset = 7; break;
            case 'O': offset = 12; break;
            case 'T': offset = 12 + third; break;
            case 'U': offset = 19; break;
            default: throw std::runtime_error("bad figure step");
            }
            const float accent = eighths == 0 ? 1.0f : (eighths % 2 == 0 ? 0.82f : 0.7f);
            add(EVoice::Arpeggio, root + offset, eighths, 1, vary(dynamics * accent));
            ++eighths;
        }
    }

    void addPad(const SChord& chord, float dynamics)
    {
        for (int i = 0; i < chord.toneCount; ++i) {
            SNote note{barStart(), kEighthsPerBar * eighth_, placeAbove(chord.tones[i], 55),
                       dynamics, EVoice::Pad};
            score_.notes.push_back(note);
        }
    }

    void addBass(const SChord& chord, float dynamics)
    {
        add(EVoice::Bass, placeAbove(chord.root, 33), 0, kEighthsPerBar, dynamics);
    }

    void add(EVoice voice, int midi, int eighthInBar, int eighths, float velocity)
    {
        SNote note{humanise(barStart() + eighthInBar * eighth_), eighths * eighth_, midi, velocity,
                   voice};
        score_.notes.push_back(note);
    }

    std::int64_t eighth_;
    int sampleRate_;
    CSongRandom random_;
    std::int64_t bar_ = 0;
    SScore score_;
};

} // namespace

double midiToFrequency(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

SScore composeSong(int sampleRate)
{
    return CComposer(sampleRate).compose();
}
