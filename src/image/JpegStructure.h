#pragma once
#include <cstdint>
#include <span>
#include <string>

// What a JPEG file's markers say before any decoding: its frame size, and whether the file
// holds all it announces. A decoder that shows whatever part of a damaged file it can read
// (as the system's picture service does) is given only files that pass this check, so every
// system refuses the same truncated and hostile files.
struct SJpegStructure {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string refusal; // empty when the file may be decoded
};

SJpegStructure checkJpegStructure(std::span<const std::uint8_t> data);
