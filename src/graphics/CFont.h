#pragma once
#include "graphics/IFontRasterizer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class CSurfaceMemory;

// A font at one size with its glyphs cached. Text is laid out glyph by glyph by the glyph
// advances, without kerning. Each glyph's cell is widened where its ink would stick out of
// its advance, so measuring and drawing agree: the ink of a text lies within the measured
// width right of the pen.
class CFont {
public:
    explicit CFont(std::unique_ptr<IFontFace> face);

    std::int32_t cellHeight() const { return cellHeight_; }
    std::int32_t measure(std::string_view text);
    // Draws the text with its cell's top-left corner at (x, y), clipped to the memory.
    void draw(CSurfaceMemory& target, std::int32_t x, std::int32_t y, std::uint32_t pixel, std::string_view text);

    struct SGlyph {
        std::int32_t advance = 0;
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::vector<std::uint8_t> ink;
    };
    const SGlyph& glyph(unsigned char character);

private:
    std::unique_ptr<IFontFace> face_;
    std::int32_t cellHeight_;
    std::array<std::optional<SGlyph>, 256> glyphs_;
};
