#include "pictures/Text.h"

#include "pictures/FontFiles.h"

#include <cmath>
#include <stdexcept>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace assetgen {

namespace {

std::string fontFile(ETypeface face)
{
    switch (face) {
    case ETypeface::Chancery: return findFontFile("Z003:style=Medium Italic");
    case ETypeface::Serif: return findFontFile("P052:style=Roman");
    case ETypeface::SerifItalic: return findFontFile("P052:style=Italic");
    case ETypeface::SerifBold: return findFontFile("P052:style=Bold");
    }
    return "";
}

std::vector<char32_t> decodeUtf8(std::string_view text)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

} // namespace

struct CFont::SImpl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    void setSize(float size) const
    {
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
    }

    // Walks the glyphs, calling visit(glyph slot, pen x in pixels) after each one is rendered.
    template <typename Visit>
    float layout(std::string_view text, float size, bool render, Visit visit) const
    {
        setSize(size);
        FT_UInt previous = 0;
        FT_Pos pen = 0; // 26.6
        for (char32_t cp : decodeUtf8(text)) {
            const FT_UInt glyph = FT_Get_Char_Index(face, cp);
            if (previous && glyph && FT_HAS_KERNING(face)) {
                FT_Vector kern{};
                FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNFITTED, &kern);
                pen += kern.x;
            }
            FT_Vector delta{pen & 63, 0};
            FT_Set_Transform(face, nullptr, &delta);
            if (FT_Load_Glyph(face, glyph, render ? FT_LOAD_RENDER | FT_LOAD_NO_HINTING : FT_LOAD_NO_HINTING) == 0) {
                if (render)
                    visit(face->glyph, static_cast<int>(pen >> 6));
                pen += face->glyph->advance.x;
            }
            previous = glyph;
        }
        FT_Set_Transform(face, nullptr, nullptr);
        return static_cast<float>(pen) / 64.0f;
    }
};

CFont::CFont(ETypeface face) : m_impl(std::make_unique<SImpl>())
{
    if (FT_Init_FreeType(&m_impl->library) != 0)
        throw std::runtime_error("FreeType cannot start");
    const std::string file = fontFile(face);
    if (FT_New_Face(m_impl->library, file.c_str(), 0, &m_impl->face) != 0)
        throw std::runtime_error("font unreadable: " + file);
}

CFont::~CFont()
{
    FT_Done_Face(m_impl->face);
    FT_Done_FreeType(m_impl->library);
}

float CFont::measure(std::string_view text, float size) const
{
    return m_impl->layout(text, size, false, [](FT_GlyphSlot, int) {});
}

STextMask CFont::render(std::string_view text, float size) const
{
    const int pad = static_cast<int>(size) + 4;
    const float width = measure(text, size);
    STextMask out;
    out.left = pad;
    out.baseline = static_cast<int>(size * 1.3f) + 2;
    out.mask = CMask(static_cast<int>(width) + 2 * pad, out.baseline + static_cast<int>(size * 0.7f) + 4);
    out.advance = m_impl->layout(text, size, true, [&out](FT_GlyphSlot slot, int penX) {
        const FT_Bitmap& bm = slot->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const int x = out.left + penX + slot->bitmap_left + static_cast<int>(col);
                const int y = out.baseline - slot->bitmap_top + static_cast<int>(row);
                const float v = bm.buffer[row * bm.pitch + col] / 255.0f;
                if (out.mask.contains(x, y))
                    out.mask.at(x, y) = std::min(1.0f, out.mask.at(x, y) + v);
            }
    });
    return out;
}

std::vector<std::string> CFont::wrap(std::string_view text, float size, float maxWidth) const
{
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string word(text.substr(start, end - start));
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(candidate, size) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        start = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void drawText(CCanvas& canvas, const CFont& font, std::string_view text, float x, float y,
              const STextStyle& style)
{
    const STextMask t = font.render(text, style.size);
    float left = x;
    if (style.align == EAlign::Centre)
        left -= t.advance / 2;
    else if (style.align == EAlign::Right)
        left -= t.advance;
    const int ox = static_cast<int>(std::lround(left)) - t.left;
    const int oy = static_cast<int>(std::lround(y)) - t.baseline;
    if (style.haloRadius > 0) {
        const int pad = style.haloRadius * 3;
        const CMask h = halo(t.mask, style.haloRadius, pad);
        if (style.haloAdds)
            addMask(canvas, h, ox - pad, oy - pad, style.haloColour, style.haloStrength);
        else
            paintMask(canvas, h, ox - pad, oy - pad, style.haloColour, style.haloStrength);
    }
    for (int my = 0; my < t.mask.height(); ++my)
        for (int mx = 0; mx < t.mask.width(); ++mx) {
            const float a = t.mask.at(mx, my);
            if (a > 0 && canvas.contains(ox + mx, oy + my))
                canvas.blend(ox + mx, oy + my, style.shade(ox + mx, oy + my), a);
        }
}

Shade solid(SRgb colour)
{
    return [colour](int, int) { return colour; };
}

Shade goldShade(float top, float bottom, float brightness)
{
    return [=](int, int y) {
        const float t = clamp01((y - top) / (bottom - top));
        const SRgb light = rgb8(255, 240, 190);
        const SRgb mid = rgb8(232, 182, 92);
        const SRgb deep = rgb8(170, 108, 44);
        const SRgb c = t < 0.45f ? mix(light, mid, t / 0.45f) : mix(mid, deep, (t - 0.45f) / 0.55f);
        return c * brightness;
    };
}

} // namespace assetgen
