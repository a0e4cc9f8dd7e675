#include "image/CDXImageFormat.h"

#include <cstring>

namespace {

constexpr std::size_t kJfifOffset = 6;

} // namespace

// Only JFIF files are pictures of ours: an SOI marker, the APP0 marker, and "JFIF" in it.
// Decoding is the system's (LibJpegFormat.cpp on Linux).
bool CDXImageFormatJPEG::Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t>) const
{
    return header.size() >= kJfifOffset + 4 && header[0] == 0xFF && header[2] == 0xFF &&
           std::memcmp(header.data() + kJfifOffset, "JFIF", 4) == 0;
}
