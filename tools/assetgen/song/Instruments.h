#pragma once
#include "SongRandom.h"

#include <cstdint>
#include <vector>

// The three sounds of the song, each rendered note by note into a buffer of its own.

// A plucked string (Karplus-Strong): a soft noise burst circulating in a tuned, damped loop.
// `brightness` 0..1 shapes the burst; the note rings for `ringSamples` and then fades out.
std::vector<float> renderPluck(double frequency, int sampleRate, std::int64_t ringSamples,
                               float brightness, float decaySeconds, CSongRandom& random);

// A soft string pad: two slightly detuned, band-limited saw waves, one per side, filtered
// dark, swelling in and fading out over `releaseSamples` after the note is let go.
struct SStereoNote {
    std::vector<float> left;
    std::vector<float> right;
};
SStereoNote renderPad(double frequency, int sampleRate, std::int64_t lengthSamples,
                      std::int64_t releaseSamples, CSongRandom& random);

// A round bass: a sine with a little of its second and third harmonics, slowly decaying.
std::vector<float> renderBass(double frequency, int sampleRate, std::int64_t lengthSamples);
