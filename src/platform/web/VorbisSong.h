#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A whole Ogg Vorbis song decoded for the browser's audio, which loops a buffer without a gap:
// one plane of samples between -1 and 1 per channel (a mono song gives the same plane twice).
struct SDecodedSong {
    int sampleRate = 0;
    std::vector<float> left;
    std::vector<float> right;
};

// Nothing when the bytes are not a Vorbis stream the decoder accepts, hold no samples, or
// have more than two channels.
std::optional<SDecodedSong> decodeVorbisSong(std::span<const std::uint8_t> bytes);
