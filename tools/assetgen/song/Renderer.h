#pragma once
#include "Score.h"

#include <vector>

struct SSongAudio {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders the score as a circle of exactly `score.totalSamples` samples per side: whatever
// sounds past the end (the last notes ringing, the reverb) continues at the start, so playing
// the result in a loop has no seam. Peaks are scaled to a little below full scale.
SSongAudio renderSong(const SScore& score, int sampleRate);
