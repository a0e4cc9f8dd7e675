#pragma once
#include "platform/win32/Win32Api.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// The rows and columns [left, right) x [top, bottom) that hold ink.
struct SInkBounds {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// The metrics of a font as a screen-compatible context sees them.
std::optional<TEXTMETRICA> fontMetrics(HFONT font);

// A memory device context with a 32-bit top-down DIB section selected and one font, which
// it owns: white text on black, read back as ink.
class CGdiCanvas {
public:
    // Takes the font in every case; nothing when the context or the bitmap cannot be made.
    static std::optional<CGdiCanvas> create(HFONT font, std::int32_t width, std::int32_t height);

    std::int32_t measure(std::string_view text) const;
    void clear();
    bool draw(std::int32_t x, std::int32_t y, std::string_view text);
    std::optional<SInkBounds> inkBounds() const;
    // One byte for each pixel inside the bounds, row by row: 1 where there is ink.
    std::vector<std::uint8_t> ink(const SInkBounds& bounds) const;
    // The raw 0x00RRGGBB pixels, top row first.
    const std::uint32_t* pixels() const { return bits_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }

    ~CGdiCanvas();
    CGdiCanvas(CGdiCanvas&&) noexcept;
    CGdiCanvas& operator=(CGdiCanvas&&) noexcept;

private:
    struct SObjects;
    CGdiCanvas(std::unique_ptr<SObjects> objects, std::uint32_t* bits, std::int32_t width, std::int32_t height);
    bool hasInk(std::int32_t x, std::int32_t y) const { return (bits_[y * width_ + x] & 0xFFFFFFu) != 0; }

    std::unique_ptr<SObjects> objects_;
    std::uint32_t* bits_;
    std::int32_t width_;
    std::int32_t height_;
};
