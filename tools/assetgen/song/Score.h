#pragma once
#include <cstdint>
#include <vector>

// The song as notes: a slow waltz in A minor for harp over soft strings and a gentle bass.
enum class EVoice { Melody, Arpeggio, Pad, Bass };

struct SNote {
    std::int64_t start = 0;  // first sample; may lie before 0 or past the end: the song is a circle
    std::int64_t length = 0; // samples until the note is let go
    int midi = 69;
    float velocity = 1.0f;
    EVoice voice = EVoice::Melody;
};

struct SScore {
    std::int64_t totalSamples = 0; // one pass through the circle
    std::vector<SNote> notes;
};

SScore composeSong(int sampleRate);

double midiToFrequency(int midi);
