#include "image/DibConversion.h"

#include "image/ByteOrder.h"
#include "image/PixelRows.h"

#include <array>
#include <cstring>

namespace {

using image_bytes::load32;
using image_bytes::store32;

// Pixels travel between reader and writer as 0x00RRGGBB.
using Rgb = std::uint32_t;

std::uint32_t load16(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

void store16(std::uint8_t* p, std::uint32_t v)
{
    const auto w = static_cast<std::uint16_t>(v);
    std::memcpy(p, &w, 2);
}

// A 5-bit channel becomes 8 bits by repeating its top bits, so 31 gives full intensity.
Rgb widen555(std::uint32_t w)
{
    const std::uint32_t r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
}

struct SRead16 {
    static constexpr std::size_t bytes = 2;
    static Rgb get(const std::uint8_t* s) { return widen555(load16(s)); }
};
struct SRead24 {
    static constexpr std::size_t bytes = 3;
    static Rgb get(const std::uint8_t* s) { return s[0] | std::uint32_t(s[1]) << 8 | std::uint32_t(s[2]) << 16; }
};
struct SRead32 {
    static constexpr std::size_t bytes = 4;
    static Rgb get(const std::uint8_t* s) { return load32(s) & 0xFFFFFF; }
};

// Each writer encodes a colour into its format (encode) and stores an encoded value (put).
struct SWrite555 {
    static constexpr std::size_t bytes = 2;
    static std::uint32_t encode(Rgb c) { return (c >> 9 & 0x7C00) | (c >> 6 & 0x03E0) | (c >> 3 & 0x001F); }
    static void put(std::uint8_t* d, std::uint32_t v) { store16(d, v); }
};
struct SWrite565 {
    static constexpr std::size_t bytes = 2;
    static std::uint32_t encode(Rgb c) { return (c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x001F); }
    static void put(std::uint8_t* d, std::uint32_t v) { store16(d, v); }
};
struct SWrite24 {
    static constexpr std::size_t bytes = 3;
    static std::uint32_t encode(Rgb c) { return c; }
    static void put(std::uint8_t* d, std::uint32_t v)
    {
        d[0] = std::uint8_t(v);
        d[1] = std::uint8_t(v >> 8);
        d[2] = std::uint8_t(v >> 16);
    }
};
struct SWrite32 {
    static constexpr std::size_t bytes = 4;
    static std::uint32_t encode(Rgb c) { return c; }
    static void put(std::uint8_t* d, std::uint32_t v) { store32(d, v); }
};

// The colour table already encoded in the target format, 256 entries, black past its end.
using EncodedPalette = std::array<std::uint32_t, 256>;
using RowConverter = void (*)(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                              const EncodedPalette& palette);

template <class Writer>
void convertIndexedRow(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette& palette)
{
    for (std::int32_t x = 0; x < width; ++x, d += Writer::bytes)
        Writer::put(d, palette[s[x]]);
}

template <class Reader, class Writer>
void convertRow(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette&)
{
    for (std::int32_t x = 0; x < width; ++x, s += Reader::bytes, d += Writer::bytes)
        Writer::put(d, Writer::encode(Reader::get(s)));
}

void copyRow24(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette&)
{
    std::memcpy(d, s, std::size_t(width) * 3);
}

void copyRow555(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette&)
{
    for (std::int32_t x = 0; x < width; ++x)
        store16(d + 2 * x, load16(s + 2 * x) & 0x7FFF);
}

void copyRow32(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette&)
{
    pixel_rows::clearFourthBytes(s, d, std::size_t(width));
}

void widenRow24To32(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette&)
{
    pixel_rows::widenBgrToBgrx(s, d, std::size_t(width));
}

void lookupRow8To32(const std::uint8_t* s, std::uint8_t* d, std::int32_t width, const EncodedPalette& palette)
{
    pixel_rows::lookupIndexes32(s, d, std::size_t(width), palette.data());
}

template <class Writer>
EncodedPalette encodePalette(std::span<const SDibColor> colors)
{
    EncodedPalette palette{};
    for (std::size_t i = 0; i < colors.size() && i < palette.size(); ++i) {
        const SDibColor& c = colors[i];
        palette[i] = Writer::encode(std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue);
    }
    return palette;
}

template <class Writer>
RowConverter pickGeneric(std::uint8_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8: return convertIndexedRow<Writer>;
    case 16: return convertRow<SRead16, Writer>;
    case 24: return convertRow<SRead24, Writer>;
    case 32: return convertRow<SRead32, Writer>;
    default: return nullptr;
    }
}

RowConverter pickConverter(std::uint8_t bitsPerPixel, ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: return bitsPerPixel == 16 ? copyRow555 : pickGeneric<SWrite555>(bitsPerPixel);
    case ESurfaceFormat::Rgb565: return pickGeneric<SWrite565>(bitsPerPixel);
    case ESurfaceFormat::Bgr24: return bitsPerPixel == 24 ? copyRow24 : pickGeneric<SWrite24>(bitsPerPixel);
    case ESurfaceFormat::Bgrx32:
        switch (bitsPerPixel) {
        case 8: return lookupRow8To32;
        case 24: return widenRow24To32;
        case 32: return copyRow32;
        default: return pickGeneric<SWrite32>(bitsPerPixel);
        }
    }
    return nullptr;
}

EncodedPalette encodePaletteFor(ESurfaceFormat format, std::span<const SDibColor> colors)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: return encodePalette<SWrite555>(colors);
    case ESurfaceFormat::Rgb565: return encodePalette<SWrite565>(colors);
    case ESurfaceFormat::Bgr24: return encodePalette<SWrite24>(colors);
    case ESurfaceFormat::Bgrx32: return encodePalette<SWrite32>(colors);
    }
    return {};
}

} // namespace

bool ConvertDib(const CDib& dib, ESurfaceFormat format, std::span<std::uint8_t> dest, std::size_t pitch)
{
    const RowConverter convert = pickConverter(dib.bitsPerPixel(), format);
    if (!convert || !SurfaceHolds(dib.width(), dib.height(), format, dest.size(), pitch))
        return false;
    // Only 8-bit rows read the table; building it for every call would cost more than a short row.
    EncodedPalette palette;
    if (dib.bitsPerPixel() == 8)
        palette = encodePaletteFor(format, dib.colors());
    const std::int32_t height = dib.height();
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t sourceRow = dib.topDown() ? y : height - 1 - y;
        convert(dib.row(sourceRow), dest.data() + pitch * std::size_t(y), dib.width(), palette);
    }
    return true;
}
