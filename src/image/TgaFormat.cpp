#include "image/ByteOrder.h"
#include "image/CDXImageFormat.h"

#include <algorithm>
#include <cstring>

using namespace image_bytes;

namespace {

constexpr std::size_t kTgaHeaderBytes = 18;
constexpr char kFooterSignature[] = "TRUEVISION-XFILE";
constexpr std::size_t kFooterSignatureBytes = 16;
constexpr std::size_t kFooterSignatureFromEnd = 18;

struct STgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelDepth = 0;
    std::uint8_t descriptor = 0;

    bool runLength() const { return imageType >= 9; }
    bool topDown() const { return (descriptor & 0x20) != 0; }
    // A 15-bit colour map entry takes two bytes like a 16-bit one.
    std::size_t entryBytes() const { return (colorMapEntryBits == 15 ? 16 : colorMapEntryBits) / 8; }
};

STgaHeader readTgaHeader(std::span<const std::uint8_t> d)
{
    STgaHeader h;
    h.idLength = d[0];
    h.colorMapType = d[1];
    h.imageType = d[2];
    h.colorMapFirst = le16(d, 3);
    h.colorMapLength = le16(d, 5);
    h.colorMapEntryBits = d[7];
    h.width = le16(d, 12);
    h.height = le16(d, 14);
    h.pixelDepth = d[16];
    h.descriptor = d[17];
    return h;
}

bool isSupportedDepth(std::uint8_t depth)
{
    return depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

std::string checkHeader(const STgaHeader& h)
{
    const std::uint8_t type = h.imageType;
    if (!(type >= 1 && type <= 3) && !(type >= 9 && type <= 11))
        return "TGA: image type " + std::to_string(type) + " not supported";
    if (!isSupportedDepth(h.pixelDepth))
        return "TGA: pixel depth " + std::to_string(h.pixelDepth) + " not supported";
    if (h.width == 0 || h.height == 0)
        return "TGA: empty picture";
    if (h.width > kMaxImageSide || h.height > kMaxImageSide)
        return sideReason("TGA");
    return {};
}

SDibColor fromWord555(std::uint16_t w)
{
    return SDibColor{std::uint8_t((w & 31) * 8), std::uint8_t((w >> 5 & 31) * 8), std::uint8_t((w >> 10 & 31) * 8), 0};
}

// Entries are read from the start of the map and stored from index colorMapFirst on.
std::vector<SDibColor> readColorMap(std::span<const std::uint8_t> map, const STgaHeader& h)
{
    std::vector<SDibColor> colors(256);
    const std::size_t bytes = h.entryBytes();
    const std::size_t end = std::min<std::size_t>(h.colorMapLength, 256);
    for (std::size_t i = h.colorMapFirst, n = 0; i < end; ++i, ++n) {
        const std::uint8_t* e = map.data() + n * bytes;
        if (bytes == 2)
            colors[i] = fromWord555(std::uint16_t(e[0] | e[1] << 8));
        else if (bytes == 3 || bytes == 4) // four-byte entries carry alpha last; it is dropped
            colors[i] = SDibColor{e[0], e[1], e[2], 0};
    }
    return colors;
}

// Without a colour map an 8-bit picture is grey: index i is grey level i.
std::vector<SDibColor> greyRamp()
{
    std::vector<SDibColor> colors(256);
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = SDibColor{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    return colors;
}

// One file pixel becomes one bitmap pixel: 8 bits stay an index, the rest become B,G,R.
struct SPixel8 {
    static constexpr std::size_t in = 1, out = 1;
    static void put(const std::uint8_t* s, std::uint8_t* d) { d[0] = s[0]; }
};
struct SPixel16 {
    static constexpr std::size_t in = 2, out = 3;
    static void put(const std::uint8_t* s, std::uint8_t* d)
    {
        const SDibColor c = fromWord555(std::uint16_t(s[0] | s[1] << 8));
        d[0] = c.blue;
        d[1] = c.green;
        d[2] = c.red;
    }
};
struct SPixel24 {
    static constexpr std::size_t in = 3, out = 3;
    static void put(const std::uint8_t* s, std::uint8_t* d) { std::memcpy(d, s, 3); }
};
struct SPixel32 {
    static constexpr std::size_t in = 4, out = 3;
    static void put(const std::uint8_t* s, std::uint8_t* d) { std::memcpy(d, s, 3); }
};

template <class Pixel>
void convertRun(const std::uint8_t* s, std::uint8_t* d, std::size_t count)
{
    if constexpr (Pixel::in == Pixel::out) {
        std::memcpy(d, s, count * Pixel::in);
    } else {
        for (std::size_t i = 0; i < count; ++i, s += Pixel::in, d += Pixel::out)
            Pixel::put(s, d);
    }
}

template <class Pixel>
bool decodeRaw(std::span<const std::uint8_t> in, CDib& dib)
{
    const std::size_t width = std::size_t(dib.width());
    if (!inside(in.size(), 0, width * Pixel::in * std::size_t(dib.height())))
        return false;
    for (std::int32_t y = 0; y < dib.height(); ++y)
        convertRun<Pixel>(in.data() + y * width * Pixel::in, dib.writableRow(y), width);
    return true;
}

// Packets may run across row ends; whatever a packet holds past the last row is ignored.
template <class Pixel>
class CTgaRleDecoder {
public:
    CTgaRleDecoder(std::span<const std::uint8_t> in, CDib& dib)
        : in_(in.data()), end_(in.data() + in.size()), dib_(dib), width_(std::size_t(dib.width()))
    {
    }

    bool run()
    {
        while (y_ < dib_.height()) {
            if (in_ == end_)
                return false;
            const std::uint8_t header = *in_++;
            const std::size_t count = (header & 127u) + 1;
            if (!(header & 0x80 ? repeat(count) : copy(count)))
                return false;
        }
        return true;
    }

private:
    std::size_t room() const { return width_ - x_; }
    std::uint8_t* target() { return dib_.writableRow(y_) + x_ * Pixel::out; }

    void step(std::size_t n)
    {
        x_ += n;
        if (x_ == width_) {
            x_ = 0;
            ++y_;
        }
    }

    bool repeat(std::size_t count)
    {
        if (std::size_t(end_ - in_) < Pixel::in)
            return false;
        std::uint8_t value[4];
        Pixel::put(in_, value);
        in_ += Pixel::in;
        for (; count > 0 && y_ < dib_.height();) {
            const std::size_t n = std::min(count, room());
            std::uint8_t* d = target();
            for (std::size_t i = 0; i < n; ++i, d += Pixel::out)
                std::memcpy(d, value, Pixel::out);
            count -= n;
            step(n);
        }
        return true;
    }

    bool copy(std::size_t count)
    {
        for (; count > 0 && y_ < dib_.height();) {
            const std::size_t n = std::min(count, room());
            if (std::size_t(end_ - in_) < n * Pixel::in)
                return false;
            convertRun<Pixel>(in_, target(), n);
            in_ += n * Pixel::in;
            count -= n;
            step(n);
        }
        return true;
    }

    const std::uint8_t* in_;
    const std::uint8_t* end_;
    CDib& dib_;
    std::size_t width_;
    std::size_t x_ = 0;
    std::int32_t y_ = 0;
};

template <class Pixel>
bool decodePixels(std::span<const std::uint8_t> in, CDib& dib, bool runLength)
{
    if (!runLength)
        return decodeRaw<Pixel>(in, dib);
    // Every packet of at least two bytes gives at most 128 pixels: refuse a picture that
    // could not fit in the data before touching its rows.
    const std::uint64_t pixels = std::uint64_t(dib.width()) * std::uint64_t(dib.height());
    if ((pixels + 127) / 128 * (1 + Pixel::in) > in.size())
        return false;
    return CTgaRleDecoder<Pixel>(in, dib).run();
}

bool decodeByDepth(std::span<const std::uint8_t> in, CDib& dib, const STgaHeader& h)
{
    switch (h.pixelDepth) {
    case 8: return decodePixels<SPixel8>(in, dib, h.runLength());
    case 16: return decodePixels<SPixel16>(in, dib, h.runLength());
    case 24: return decodePixels<SPixel24>(in, dib, h.runLength());
    default: return decodePixels<SPixel32>(in, dib, h.runLength());
    }
}

} // namespace

bool CDXImageFormatTGA::Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const
{
    if (header.size() < kTgaHeaderBytes || tail.size() < kFooterSignatureFromEnd)
        return false;
    const std::uint8_t* signature = tail.data() + tail.size() - kFooterSignatureFromEnd;
    return std::memcmp(signature, kFooterSignature, kFooterSignatureBytes) == 0 && isSupportedDepth(header[16]);
}

SDecodeResult CDXImageFormatTGA::Decode(std::span<const std::uint8_t> data) const
{
    if (data.size() < kTgaHeaderBytes)
        return SDecodeResult::refused("TGA: file too short for its header");
    const STgaHeader header = readTgaHeader(data);
    if (std::string why = checkHeader(header); !why.empty())
        return SDecodeResult::refused(std::move(why));
    const std::size_t mapStart = kTgaHeaderBytes + header.idLength;
    const std::size_t mapBytes = std::size_t(header.colorMapLength) * header.entryBytes();
    if (!inside(data.size(), mapStart, mapBytes))
        return SDecodeResult::refused("TGA: file too short for its colour map");
    const bool indexed = header.pixelDepth == 8;
    std::optional<CDib> dib = CDib::allocate(header.width, header.height, indexed ? 8 : 24, header.topDown());
    if (!dib)
        return SDecodeResult::refused("TGA: out of memory");
    if (!decodeByDepth(data.subspan(mapStart + mapBytes), *dib, header))
        return SDecodeResult::refused("TGA: file too short for its pixel data");
    if (indexed)
        dib->setColors(header.colorMapType != 0 ? readColorMap(data.subspan(mapStart, mapBytes), header) : greyRamp());
    return {std::move(dib), {}};
}
