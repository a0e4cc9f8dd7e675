#pragma once
#include <vector>

// A hall reverb (parallel damped combs into series all-passes, one set per side) run over the
// song as a circle: it is first fed the song's last seconds, so the reverb of the end already
// sounds at the start and the loop joins without a seam.
// Adds `wet` times the reverberated `send` to `left` and `right` (all the same length).
void addCircularReverb(const std::vector<float>& send, std::vector<float>& left,
                       std::vector<float>& right, int sampleRate, float wet);
