#include "graphics/CFont.h"

#include "graphics/CSurfaceMemory.h"
#include "graphics/PixelAccess.h"

#include <algorithm>
#include <limits>

namespace {

// The glyph with its cell widened to hold all of its ink: a glyph reaching left of the pen
// moves right by as much, one reaching past its advance gets a longer advance.
CFont::SGlyph fitToCell(SGlyphImage image)
{
    CFont::SGlyph glyph;
    const bool inkValid = image.width > 0 && image.height > 0 &&
                          image.ink.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    const std::int32_t advance = std::max(image.advance, 0);
    if (!inkValid) {
        glyph.advance = advance;
        return glyph;
    }
    const std::int32_t cellLeft = std::min(image.left, 0);
    const std::int32_t cellRight = std::max(advance, image.left + image.width);
    glyph.advance = cellRight - cellLeft;
    glyph.left = image.left - cellLeft;
    glyph.top = image.top;
    glyph.width = image.width;
    glyph.height = image.height;
    glyph.ink = std::move(image.ink);
    return glyph;
}

void drawGlyph(CSurfaceMemory& target, std::int64_t x, std::int64_t y, std::uint32_t pixel, const CFont::SGlyph& glyph)
{
    const std::int32_t bytes = pixelBytes(target.format());
    const std::int64_t firstRow = std::max<std::int64_t>(0, -y);
    const std::int64_t lastRow = std::min<std::int64_t>(glyph.height, target.height() - y);
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -x);
    const std::int64_t lastColumn = std::min<std::int64_t>(glyph.width, target.width() - x);
    for (std::int64_t row = firstRow; row < lastRow; ++row) {
        const std::uint8_t* ink = glyph.ink.data() + row * glyph.width;
        std::uint8_t* line = target.row(static_cast<std::int32_t>(y + row));
        for (std::int64_t column = firstColumn; column < lastColumn; ++column) {
            if (ink[column] != 0) {
                PixelAccess::store(line + (x + column) * bytes, bytes, pixel);
            }
        }
    }
}

} // namespace

CFont::CFont(std::unique_ptr<IFontFace> face) : face_(std::move(face)), cellHeight_(face_->cellHeight()) {}

const CFont::SGlyph& CFont::glyph(unsigned char character)
{
    std::optional<SGlyph>& cached = glyphs_[character];
    if (!cached) {
        cached = fitToCell(face_->renderGlyph(character));
    }
    return *cached;
}

std::int32_t CFont::measure(std::string_view text)
{
    std::int64_t width = 0;
    for (const char c : text) {
        width += glyph(static_cast<unsigned char>(c)).advance;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(width, std::numeric_limits<std::int32_t>::max()));
}

void CFont::draw(CSurfaceMemory& target, std::int32_t x, std::int32_t y, std::uint32_t pixel, std::string_view text)
{
    std::int64_t pen = x;
    for (const char c : text) {
        const SGlyph& g = glyph(static_cast<unsigned char>(c));
        if (pen >= target.width()) {
            break;
        }
        drawGlyph(target, pen + g.left, static_cast<std::int64_t>(y) + g.top, pixel, g);
        pen += g.advance;
    }
}
