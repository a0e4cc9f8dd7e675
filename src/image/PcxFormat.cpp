#include "image/ByteOrder.h"
#include "image/CDXImageFormat.h"

#include <cstring>

#if defined(__SSE2__)
#define MINNE_PCX_SSE2 1
#include <emmintrin.h>
#endif

using namespace image_bytes;

namespace {

constexpr std::size_t kPcxHeaderBytes = 128;
constexpr std::size_t kPaletteFromEnd = 769; // the 0x0C marker, then 256 × red, green, blue
constexpr std::uint8_t kPaletteMarker = 0x0C;

struct SPcxHeader {
    std::uint8_t bitsPerPixel = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t planes = 0;
    std::int32_t bytesPerLine = 0;
};

SPcxHeader readPcxHeader(std::span<const std::uint8_t> d)
{
    const auto signed16 = [&](std::size_t at) { return std::int32_t(std::int16_t(le16(d, at))); };
    SPcxHeader h;
    h.bitsPerPixel = d[3];
    h.width = signed16(8) - signed16(4) + 1;
    h.height = signed16(10) - signed16(6) + 1;
    h.planes = d[65];
    h.bytesPerLine = signed16(66);
    return h;
}

std::string checkHeader(const SPcxHeader& h)
{
    if (h.bitsPerPixel != 8 || (h.planes != 1 && h.planes != 3))
        return "PCX: " + std::to_string(h.bitsPerPixel) + " bits in " + std::to_string(h.planes) +
               " planes not supported";
    if (h.width <= 0 || h.height <= 0)
        return "PCX: empty picture";
    if (h.width > kMaxImageSide || h.height > kMaxImageSide)
        return sideReason("PCX");
    if (h.bytesPerLine < h.width)
        return "PCX: lines shorter than the picture is wide";
    return {};
}

// The fewest bytes that can encode one plane's line: runs give at most 63 bytes for two.
std::uint64_t minimumLineBytes(std::uint64_t bytesPerLine)
{
    return bytesPerLine / 63 * 2 + (bytesPerLine % 63 != 0 ? 1 : 0);
}

// The number of literal bytes (without both top bits set) at the start of the next 16, all
// of which are copied to `out`; 16 bytes must be readable at `in` and writable at `out`.
std::size_t copyLiterals16(const std::uint8_t* in, std::uint8_t* out)
{
#ifdef MINNE_PCX_SSE2
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i runMarker = _mm_set1_epi8(static_cast<char>(0xC0));
    const int markers = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, runMarker), bytes));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    return markers == 0 ? 16 : std::size_t(__builtin_ctz(unsigned(markers)));
#else
    std::size_t n = 0;
    while (n < 16 && (in[n] & 0xC0) != 0xC0) {
        out[n] = in[n];
        ++n;
    }
    return n;
#endif
}

// Decodes exactly line.size() bytes; false when the data ends or a run crosses the line end.
bool decodeLine(const std::uint8_t*& in, const std::uint8_t* end, std::span<std::uint8_t> line)
{
    std::size_t done = 0;
    while (done < line.size()) {
        if (in == end)
            return false;
        const std::uint8_t b = *in;
        if ((b & 0xC0) != 0xC0) {
            // A stretch of literals is copied sixteen at a time where there is room.
            if (end - in >= 16 && line.size() - done >= 16) {
                const std::size_t literals = copyLiterals16(in, line.data() + done);
                in += literals;
                done += literals;
                continue;
            }
            line[done++] = b;
            ++in;
            continue;
        }
        const std::size_t count = b & 0x3F;
        if (end - in < 2 || done + count > line.size())
            return false;
        std::memset(line.data() + done, in[1], count);
        in += 2;
        done += count;
    }
    return true;
}

// Red, green and blue planes into blue, green, red bytes; four pixels make three words.
void interleavePlanes(const std::uint8_t* line, std::size_t bytesPerLine, std::uint8_t* row, std::int32_t width)
{
    const std::uint8_t* red = line;
    const std::uint8_t* green = line + bytesPerLine;
    const std::uint8_t* blue = line + 2 * bytesPerLine;
    std::int32_t x = 0;
    for (; x + 4 <= width; x += 4, row += 12) {
        const std::uint32_t r = load32(red + x), g = load32(green + x), b = load32(blue + x);
        store32(row, (b & 0xFF) | (g & 0xFF) << 8 | (r & 0xFF) << 16 | (b & 0xFF00) << 16);
        store32(row + 4, (g >> 8 & 0xFF) | (r & 0xFF00) | (b & 0xFF0000) | (g & 0xFF0000) << 8);
        store32(row + 8, (r >> 16 & 0xFF) | (b >> 16 & 0xFF00) | (g >> 8 & 0xFF0000) | (r & 0xFF000000));
    }
    for (; x < width; ++x, row += 3) {
        row[0] = blue[x];
        row[1] = green[x];
        row[2] = red[x];
    }
}

bool decodeRows(std::span<const std::uint8_t> in, CDib& dib, const SPcxHeader& h)
{
    const std::size_t bytesPerLine = std::size_t(h.bytesPerLine);
    // A single plane that fits in the bitmap's row is decoded in place.
    const bool inPlace = h.planes == 1 && bytesPerLine <= dib.stride();
    std::vector<std::uint8_t> line(inPlace ? 0 : bytesPerLine * h.planes);
    const std::uint8_t* cursor = in.data();
    const std::uint8_t* end = in.data() + in.size();
    for (std::int32_t y = 0; y < dib.height(); ++y) {
        if (inPlace) {
            if (!decodeLine(cursor, end, {dib.writableRow(y), bytesPerLine}))
                return false;
            continue;
        }
        for (std::size_t p = 0; p < h.planes; ++p) {
            if (!decodeLine(cursor, end, std::span(line).subspan(p * bytesPerLine, bytesPerLine)))
                return false;
        }
        if (h.planes == 1)
            std::memcpy(dib.writableRow(y), line.data(), std::size_t(dib.width()));
        else
            interleavePlanes(line.data(), bytesPerLine, dib.writableRow(y), dib.width());
    }
    return true;
}

// The 256-colour palette sits behind a 0x0C marker at the very end; without the marker
// every entry stays black.
std::vector<SDibColor> readPalette(std::span<const std::uint8_t> d)
{
    std::vector<SDibColor> colors(256);
    if (d.size() < kPaletteFromEnd || d[d.size() - kPaletteFromEnd] != kPaletteMarker)
        return colors;
    const std::uint8_t* rgb = d.data() + d.size() - kPaletteFromEnd + 1;
    for (std::size_t i = 0; i < colors.size(); ++i, rgb += 3)
        colors[i] = SDibColor{rgb[2], rgb[1], rgb[0], 0};
    return colors;
}

} // namespace

bool CDXImageFormatPCX::Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t>) const
{
    return header.size() >= 3 && header[0] == 0x0A && header[1] == 5 && header[2] == 1;
}

SDecodeResult CDXImageFormatPCX::Decode(std::span<const std::uint8_t> data) const
{
    if (data.size() < kPcxHeaderBytes)
        return SDecodeResult::refused("PCX: file too short for its header");
    const SPcxHeader header = readPcxHeader(data);
    if (std::string why = checkHeader(header); !why.empty())
        return SDecodeResult::refused(std::move(why));
    const auto pixelData = data.subspan(kPcxHeaderBytes);
    const std::uint64_t leastBytes = minimumLineBytes(std::uint64_t(header.bytesPerLine)) * header.planes *
                                     std::uint64_t(header.height);
    if (leastBytes > pixelData.size())
        return SDecodeResult::refused("PCX: file too short for its pixel data");
    const bool indexed = header.planes == 1;
    std::optional<CDib> dib = CDib::allocate(header.width, header.height, indexed ? 8 : 24, true);
    if (!dib)
        return SDecodeResult::refused("PCX: out of memory");
    if (!decodeRows(pixelData, *dib, header))
        return SDecodeResult::refused("PCX: pixel data damaged or too short");
    if (indexed)
        dib->setColors(readPalette(data));
    return {std::move(dib), {}};
}
