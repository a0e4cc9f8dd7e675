#include "image/JpegStructure.h"

#include "image/ByteOrder.h"
#include "image/CDib.h"

#include <algorithm>
#include <optional>

namespace {

struct SFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool arithmetic = false;
    std::uint64_t blocks = 0; // 8 × 8 blocks of all components
};

// Start-of-frame markers: C0..CF except the table markers C4 (Huffman), C8 (reserved), CC
// (arithmetic conditioning).
bool isFrameMarker(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::uint64_t ceilDiv(std::uint64_t value, std::uint64_t by)
{
    return (value + by - 1) / by;
}

// The frame header's size and components; nothing when it is malformed.
std::optional<SFrame> readFrame(std::span<const std::uint8_t> segment, std::uint8_t marker)
{
    if (segment.size() < 6) {
        return std::nullopt;
    }
    SFrame frame;
    frame.height = std::int32_t(be16(segment, 1));
    frame.width = std::int32_t(be16(segment, 3));
    frame.arithmetic = marker >= 0xC9;
    const std::size_t components = segment[5];
    if (components == 0 || segment.size() < 6 + 3 * components) {
        return std::nullopt;
    }
    std::uint32_t maxH = 1, maxV = 1;
    for (std::size_t c = 0; c < components; ++c) {
        maxH = std::max<std::uint32_t>(maxH, segment[7 + 3 * c] >> 4);
        maxV = std::max<std::uint32_t>(maxV, segment[7 + 3 * c] & 15);
    }
    for (std::size_t c = 0; c < components; ++c) {
        const std::uint32_t h = segment[7 + 3 * c] >> 4, v = segment[7 + 3 * c] & 15;
        if (h == 0 || v == 0) {
            return std::nullopt;
        }
        frame.blocks += ceilDiv(std::uint64_t(frame.width) * h, 8ull * maxH) *
                        ceilDiv(std::uint64_t(frame.height) * v, 8ull * maxV);
    }
    return frame;
}

// True when the end-of-image marker follows the scan data: entropy-coded data never holds
// 0xFF 0xD9, as its 0xFF bytes are followed by 0x00 or a restart marker.
bool endMarkerFollows(std::span<const std::uint8_t> data, std::size_t from)
{
    for (std::size_t at = from; at + 1 < data.size(); ++at) {
        if (data[at] == 0xFF && data[at + 1] == 0xD9) {
            return true;
        }
    }
    return false;
}

SJpegStructure refuse(std::string why)
{
    return {0, 0, "JPEG: " + std::move(why)};
}

SJpegStructure checkFrame(const SFrame& frame, std::size_t fileSize)
{
    if (frame.width == 0 || frame.height == 0) {
        return refuse("empty picture");
    }
    if (frame.width > kMaxImageSide || frame.height > kMaxImageSide) {
        return refuse("picture larger than 16384 pixels on a side");
    }
    // Huffman coding spends at least one bit on every block.
    if (!frame.arithmetic && frame.blocks > std::uint64_t(fileSize) * 8) {
        return refuse("file too short for its picture");
    }
    return {frame.width, frame.height, {}};
}

} // namespace

SJpegStructure checkJpegStructure(std::span<const std::uint8_t> data)
{
    if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return refuse("not a JPEG file");
    }
    std::optional<SFrame> frame;
    std::size_t at = 2;
    while (at + 1 < data.size()) {
        if (data[at] != 0xFF) {
            return refuse("damaged marker");
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a segment
            continue;
        }
        if (marker == 0xD9 || at + 3 >= data.size()) {
            break; // the end before any scan
        }
        const std::size_t length = be16(data, at + 2);
        if (length < 2 || at + 2 + length > data.size()) {
            return refuse("segment runs past the end of the file");
        }
        const std::span<const std::uint8_t> segment = data.subspan(at + 4, length - 2);
        if (isFrameMarker(marker)) {
            frame = readFrame(segment, marker);
            if (!frame) {
                return refuse("damaged frame header");
            }
        }
        at += 2 + length;
        if (marker == 0xDA) {
            if (!frame) {
                return refuse("scan before the frame header");
            }
            if (!endMarkerFollows(data, at)) {
                return refuse("file ends before its end marker");
            }
            return checkFrame(*frame, data.size());
        }
    }
    return refuse("no picture data in the file");
}
