#include "image/ByteOrder.h"
#include "image/CDXImageFormat.h"

#include <algorithm>
#include <cstring>

using namespace image_bytes;

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::size_t kColorTableOffset = kHeadersBytes;

struct SBmpHeader {
    std::uint32_t offBits = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
};

SBmpHeader readBmpHeader(std::span<const std::uint8_t> d)
{
    SBmpHeader h;
    h.offBits = le32(d, 10);
    h.infoSize = le32(d, 14);
    h.width = std::int32_t(le32(d, 18));
    h.height = std::int32_t(le32(d, 22));
    h.bitCount = le16(d, 28);
    h.compression = le32(d, 30);
    h.clrUsed = le32(d, 46);
    return h;
}

// Why the header cannot be decoded, or empty when it can.
std::string checkHeader(const SBmpHeader& h)
{
    if (h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 && h.bitCount != 32)
        return "BMP: " + std::to_string(h.bitCount) + " bits per pixel not supported";
    if (h.height < 0)
        return "BMP: top-down bitmaps not supported";
    if (h.width <= 0 || h.height == 0)
        return "BMP: empty picture";
    if (h.width > kMaxImageSide || h.height > kMaxImageSide)
        return sideReason("BMP");
    if (h.compression == 1 && h.bitCount != 8)
        return "BMP: run-length compression needs 8 bits per pixel";
    if (h.compression > 1)
        return "BMP: compression " + std::to_string(h.compression) + " not supported";
    return {};
}

// The table follows the information header. Later header versions (and OS/2's 64-byte one)
// are longer than 40 bytes and push it back; a header claiming less than 40 bytes, or one
// that would put the table at or past the pixels, is read as a 40-byte one.
std::size_t colorTableOffset(const SBmpHeader& h)
{
    const std::uint64_t afterHeader = kFileHeaderBytes + std::uint64_t(h.infoSize);
    return h.infoSize >= kInfoHeaderBytes && afterHeader < h.offBits ? std::size_t(afterHeader) : kColorTableOffset;
}

std::optional<std::vector<SDibColor>> readColorTable(std::span<const std::uint8_t> d, const SBmpHeader& h)
{
    const std::size_t count = h.clrUsed == 0 ? 256 : std::min<std::size_t>(h.clrUsed, 256);
    const std::size_t offset = colorTableOffset(h);
    if (!inside(d.size(), offset, count * 4))
        return std::nullopt;
    std::vector<SDibColor> colors(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = d.data() + offset + 4 * i;
        colors[i] = SDibColor{entry[0], entry[1], entry[2], 0};
    }
    return colors;
}

// Run-length decoding of 8-bit rows into a flat buffer of height × stride bytes, bottom row
// first. Writes stay in a contiguous region from the start (a run past a row's end spills into
// the next row, as the platform's decoder does); a write that would leave the buffer ends the
// decoding, and everything not written is cleared.
class CRle8Decoder {
public:
    CRle8Decoder(std::span<const std::uint8_t> input, std::span<std::uint8_t> output, std::size_t stride)
        : in_(input.data()), end_(input.data() + input.size()), out_(output), stride_(stride)
    {
    }

    // False when the data ends before the picture does.
    bool run()
    {
        bool finished = false;
        while (!finished) {
            if (end_ - in_ < 2)
                return false;
            const std::uint8_t count = in_[0], value = in_[1];
            in_ += 2;
            if (count > 0)
                finished = !fill(count, value);
            else if (!escape(value, finished))
                return false;
        }
        clearFrom(highWater_);
        return true;
    }

private:
    std::size_t position() const { return rowStart_ + column_; }

    bool fill(std::size_t count, std::uint8_t value)
    {
        if (position() + count > out_.size())
            return false;
        std::memset(out_.data() + position(), value, count);
        advance(count);
        return true;
    }

    void advance(std::size_t count)
    {
        column_ += count;
        highWater_ = std::max(highWater_, position());
    }

    // Handles the byte after a 0: line end, bitmap end, delta or a literal run.
    bool escape(std::uint8_t code, bool& finished)
    {
        switch (code) {
        case 0: finished = !endLine(); return true;
        case 1: finished = true; return true;
        case 2: return delta(finished);
        default: return literal(code, finished);
        }
    }

    bool endLine()
    {
        const std::size_t rowEnd = rowStart_ + stride_;
        if (position() < rowEnd)
            fill(rowEnd - position(), 0);
        rowStart_ = rowEnd;
        column_ = 0;
        return rowStart_ < out_.size();
    }

    bool delta(bool& finished)
    {
        if (end_ - in_ < 2)
            return false;
        const std::size_t dx = in_[0], dy = in_[1];
        in_ += 2;
        if (!fill(dy * stride_ + dx, 0)) {
            finished = true;
            return true;
        }
        // fill moved the column by the whole skip; split it back into rows and columns.
        column_ -= dy * stride_;
        rowStart_ += dy * stride_;
        finished = rowStart_ >= out_.size();
        return true;
    }

    bool literal(std::size_t count, bool& finished)
    {
        const std::size_t padded = count + (count & 1);
        if (std::size_t(end_ - in_) < padded)
            return false;
        if (position() + count > out_.size()) {
            finished = true;
            return true;
        }
        std::memcpy(out_.data() + position(), in_, count);
        advance(count);
        in_ += padded;
        return true;
    }

    void clearFrom(std::size_t offset)
    {
        if (offset < out_.size())
            std::memset(out_.data() + offset, 0, out_.size() - offset);
    }

    const std::uint8_t* in_;
    const std::uint8_t* end_;
    std::span<std::uint8_t> out_;
    std::size_t stride_;
    std::size_t rowStart_ = 0;
    std::size_t column_ = 0;
    std::size_t highWater_ = 0;
};

SDecodeResult decodeRle8(std::span<const std::uint8_t> d, const SBmpHeader& h)
{
    std::optional<CDib> dib = CDib::allocate(h.width, h.height, 8, false);
    if (!dib)
        return SDecodeResult::refused("BMP: out of memory");
    CRle8Decoder decoder(d.subspan(h.offBits), dib->writableBits(), dib->stride());
    if (!decoder.run())
        return SDecodeResult::refused("BMP: run-length data ends early");
    return {std::move(dib), {}};
}

SDecodeResult decodePlain(std::span<const std::uint8_t> d, const SBmpHeader& h)
{
    const std::size_t rowsBytes = CDib::stride(h.width, std::uint8_t(h.bitCount)) * std::size_t(h.height);
    if (!inside(d.size(), h.offBits, rowsBytes))
        return SDecodeResult::refused("BMP: file too short for its pixel data");
    // The file's rows are already laid out as the bitmap wants them: use them in place.
    return {CDib::borrow(h.width, h.height, std::uint8_t(h.bitCount), false, d.subspan(h.offBits, rowsBytes)), {}};
}

} // namespace

bool CDXImageFormatBMP::Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t>) const
{
    return header.size() >= 2 && header[0] == 'B' && header[1] == 'M';
}

SDecodeResult CDXImageFormatBMP::Decode(std::span<const std::uint8_t> data) const
{
    if (data.size() < kHeadersBytes)
        return SDecodeResult::refused("BMP: file too short for its headers");
    const SBmpHeader header = readBmpHeader(data);
    if (std::string why = checkHeader(header); !why.empty())
        return SDecodeResult::refused(std::move(why));
    if (header.offBits > data.size())
        return SDecodeResult::refused("BMP: pixel data starts past the end of the file");
    std::optional<std::vector<SDibColor>> colors;
    if (header.bitCount == 8 && !(colors = readColorTable(data, header)))
        return SDecodeResult::refused("BMP: file too short for its colour table");
    SDecodeResult result = header.compression == 1 ? decodeRle8(data, header) : decodePlain(data, header);
    if (result.dib && colors)
        result.dib->setColors(std::move(*colors));
    return result;
}
