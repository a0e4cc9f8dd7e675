#pragma once
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// Pictures larger than this on either side are refused before anything is allocated.
inline constexpr std::int32_t kMaxImageSide = 16384;

// One colour table entry of a device-independent bitmap, in memory order.
struct SDibColor {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};

// A decoded device-independent bitmap as the platform's drawing library knows it:
// rows run left to right and each starts on a multiple of 4 bytes; the first row in memory
// is the bottom row unless topDown() says otherwise. Pixels are colour indexes (8 bits),
// 5-5-5 words with blue lowest (16), blue-green-red bytes (24) or blue-green-red-alpha
// (32, alpha ignored when drawn).
class CDib {
public:
    // Rows of its own for a picture of this size; nothing when a side is not in
    // 1..kMaxImageSide, the depth is not 8, 16, 24 or 32, or memory runs out.
    // The rows are not cleared.
    static std::optional<CDib> allocate(std::int32_t width, std::int32_t height,
                                        std::uint8_t bitsPerPixel, bool topDown);
    // Rows that stay in the caller's memory (an uncompressed bitmap file's own rows):
    // `rows` must hold height rows of `rowStride` bytes (0: stride(width, bitsPerPixel); a
    // larger one must be a multiple of 4) and outlive the result, unless it is handed over
    // with adoptSource().
    static CDib borrow(std::int32_t width, std::int32_t height, std::uint8_t bitsPerPixel,
                       bool topDown, std::span<const std::uint8_t> rows, std::size_t rowStride = 0);

    // Bytes per row, rounded up to a multiple of 4.
    static std::size_t stride(std::int32_t width, std::uint8_t bitsPerPixel);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::uint8_t bitsPerPixel() const { return bitsPerPixel_; }
    bool topDown() const { return topDown_; }
    std::size_t stride() const { return stride_; }
    bool borrowsRows() const { return !storage_; }

    // All rows in memory order (height × stride bytes).
    std::span<const std::uint8_t> bits() const { return {rows_, stride_ * std::size_t(height_)}; }
    // The index-th row in memory order; for own rows only when writable.
    const std::uint8_t* row(std::int32_t index) const { return rows_ + stride_ * std::size_t(index); }
    std::uint8_t* writableRow(std::int32_t index)
    {
        assert(storage_);
        return storage_.get() + stride_ * std::size_t(index);
    }
    std::span<std::uint8_t> writableBits() { return {storage_.get(), stride_ * std::size_t(height_)}; }

    // The colour table of an 8-bit picture (up to 256 entries; indexes past its end draw
    // black). Empty for the other depths.
    std::span<const SDibColor> colors() const { return colors_; }
    void setColors(std::vector<SDibColor> colors) { colors_ = std::move(colors); }

    // Keeps the bytes that borrowed rows live in alive as long as this bitmap.
    void adoptSource(std::vector<std::uint8_t>&& source) { source_ = std::move(source); }

private:
    CDib() = default;

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint8_t bitsPerPixel_ = 0;
    bool topDown_ = false;
    std::size_t stride_ = 0;
    const std::uint8_t* rows_ = nullptr;
    std::unique_ptr<std::uint8_t[]> storage_;
    std::vector<std::uint8_t> source_;
    std::vector<SDibColor> colors_;
};
