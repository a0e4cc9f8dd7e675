#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A complete Ogg Vorbis file decoded from memory with libvorbisfile, as floats per side.
struct SDecodedSong {
    int rate = 0;
    int channels = 0;
    std::vector<float> left;
    std::vector<float> right;
};

std::optional<SDecodedSong> decodeOgg(std::span<const std::uint8_t> ogg);
