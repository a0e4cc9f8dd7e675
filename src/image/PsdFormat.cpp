#include "image/ByteOrder.h"
#include "image/CDXImageFormat.h"
#include "image/PixelRows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

using namespace image_bytes;

namespace {

constexpr std::size_t kPsdHeaderBytes = 30;
constexpr std::uint16_t kMaxChannels = 24;
constexpr std::uint16_t kRgbMode = 3;
// Red, green, blue and alpha are the first four channels; the rest are not shown.
constexpr std::size_t kShownChannels = 4;

struct SPsdHeader {
    std::uint16_t version = 0;
    std::uint16_t channels = 0;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint16_t depth = 0;
    std::uint16_t mode = 0;
    std::uint32_t colorModeDataLength = 0;
};

SPsdHeader readPsdHeader(std::span<const std::uint8_t> d)
{
    SPsdHeader h;
    h.version = be16(d, 4);
    h.channels = be16(d, 12);
    h.height = be32(d, 14);
    h.width = be32(d, 18);
    h.depth = be16(d, 22);
    h.mode = be16(d, 24);
    h.colorModeDataLength = be32(d, 26);
    return h;
}

std::string checkHeader(const SPsdHeader& h)
{
    if (h.version != 1)
        return "PSD: version " + std::to_string(h.version) + " not supported";
    // A file without channels holds no picture, yet would have one of any size made from nothing.
    if (h.channels == 0)
        return "PSD: no channels";
    if (h.channels > kMaxChannels)
        return "PSD: more than 24 channels";
    if (h.depth != 8)
        return "PSD: " + std::to_string(h.depth) + " bits per channel not supported";
    if (h.mode != kRgbMode)
        return "PSD: only RGB pictures are supported";
    if (h.width == 0 || h.height == 0)
        return "PSD: empty picture";
    if (h.width > std::uint32_t(kMaxImageSide) || h.height > std::uint32_t(kMaxImageSide))
        return sideReason("PSD");
    return {};
}

// Skips the colour mode data, image resources and layers; the offset of the compression word,
// or nothing when a section runs past the end.
std::optional<std::size_t> findImageData(std::span<const std::uint8_t> d, const SPsdHeader& h)
{
    std::uint64_t at = kPsdHeaderBytes + std::uint64_t(h.colorModeDataLength);
    for (int section = 0; section < 2; ++section) {
        if (!inside(d.size(), at, 4))
            return std::nullopt;
        at += 4 + std::uint64_t(be32(d, std::size_t(at)));
    }
    if (!inside(d.size(), at, 2))
        return std::nullopt;
    return std::size_t(at);
}

// Each shown plane (red, green, blue, alpha) or null where the file lacks it.
using Planes = std::array<const std::uint8_t*, kShownChannels>;

// Builds blue, green, red, alpha pixels; missing colours are 0 and missing alpha is 255.
void interleave(const Planes& planes, std::size_t pixels, std::uint8_t* out)
{
    std::vector<std::uint8_t> zeros;
    Planes source = planes;
    for (std::size_t c = 0; c < 3; ++c) {
        if (!source[c]) {
            zeros.resize(pixels);
            source[c] = zeros.data();
        }
    }
    pixel_rows::interleavePlanes(source[0], source[1], source[2], source[3], out, pixels);
}

// PackBits until `plane` is full; false when the data ends or a run passes the plane's end.
bool unpackPlane(const std::uint8_t*& in, const std::uint8_t* end, std::span<std::uint8_t> plane)
{
    std::size_t done = 0;
    while (done < plane.size()) {
        if (in == end)
            return false;
        const std::uint8_t n = *in++;
        if (n == 128)
            continue;
        const std::size_t count = n < 128 ? std::size_t(n) + 1 : 257 - std::size_t(n);
        const std::size_t needed = n < 128 ? count : 1;
        if (std::size_t(end - in) < needed || done + count > plane.size())
            return false;
        if (n < 128)
            std::memcpy(plane.data() + done, in, count);
        else
            std::memset(plane.data() + done, *in, count);
        in += needed;
        done += count;
    }
    return true;
}

// Whether the file can hold the planes that are shown, checked before anything is allocated.
bool holdsPixelData(std::span<const std::uint8_t> in, const SPsdHeader& h, bool runLength, std::size_t shown,
                    std::size_t pixels)
{
    if (!runLength)
        return inside(in.size(), 0, std::uint64_t(shown) * pixels);
    // Behind the table of row sizes, every packet of two bytes or more unpacks to at most 128.
    const std::uint64_t tableBytes = std::uint64_t(h.channels) * h.height * 2;
    return inside(in.size(), tableBytes, shown * ((std::uint64_t(pixels) + 127) / 128 * 2));
}

void decodeRaw(std::span<const std::uint8_t> in, std::size_t shown, std::size_t pixels, CDib& dib)
{
    Planes planes{};
    for (std::size_t c = 0; c < shown; ++c)
        planes[c] = in.data() + c * pixels;
    interleave(planes, pixels, dib.writableRow(0));
}

std::string decodeRunLength(std::span<const std::uint8_t> in, const SPsdHeader& h, std::size_t shown,
                            std::size_t pixels, CDib& dib)
{
    const std::size_t tableBytes = std::size_t(h.channels) * h.height * 2;
    // Every byte is written by the unpacking before it is read, so it is left uninitialised
    // (as make_unique_for_overwrite would, which the browser build's library lacks).
    const std::unique_ptr<std::uint8_t[]> unpacked(new std::uint8_t[shown * pixels]);
    const std::uint8_t* cursor = in.data() + tableBytes;
    Planes planes{};
    for (std::size_t c = 0; c < shown; ++c) {
        const std::span<std::uint8_t> plane(unpacked.get() + c * pixels, pixels);
        if (!unpackPlane(cursor, in.data() + in.size(), plane))
            return "PSD: run-length data damaged or too short";
        planes[c] = plane.data();
    }
    interleave(planes, pixels, dib.writableRow(0));
    return {};
}

} // namespace

bool CDXImageFormatPSD::Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t>) const
{
    return header.size() >= 5 && std::memcmp(header.data(), "8BPS", 4) == 0 && header[4] == 0;
}

SDecodeResult CDXImageFormatPSD::Decode(std::span<const std::uint8_t> data) const
{
    if (data.size() < kPsdHeaderBytes)
        return SDecodeResult::refused("PSD: file too short for its header");
    const SPsdHeader header = readPsdHeader(data);
    if (std::string why = checkHeader(header); !why.empty())
        return SDecodeResult::refused(std::move(why));
    const std::optional<std::size_t> imageData = findImageData(data, header);
    if (!imageData)
        return SDecodeResult::refused("PSD: file too short for its sections");
    const std::uint16_t compression = be16(data, *imageData);
    if (compression > 1)
        return SDecodeResult::refused("PSD: compression " + std::to_string(compression) + " not supported");
    const std::size_t shown = std::min<std::size_t>(header.channels, kShownChannels);
    const std::size_t pixels = std::size_t(header.width) * header.height;
    const auto in = data.subspan(*imageData + 2);
    if (!holdsPixelData(in, header, compression == 1, shown, pixels))
        return SDecodeResult::refused("PSD: file too short for its pixel data");
    std::optional<CDib> dib = CDib::allocate(std::int32_t(header.width), std::int32_t(header.height), 32, true);
    if (!dib)
        return SDecodeResult::refused("PSD: out of memory");
    if (compression == 0) {
        decodeRaw(in, shown, pixels, *dib);
        return {std::move(dib), {}};
    }
    if (std::string why = decodeRunLength(in, header, shown, pixels, *dib); !why.empty())
        return SDecodeResult::refused(std::move(why));
    return {std::move(dib), {}};
}
