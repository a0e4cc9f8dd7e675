#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// What a font is made from: a face name (Windows-1252), an average character width (0 for
// the face's own proportions), a height and a weight (400 normal, 700 bold). A positive
// height is the cell height (ascent + descent), a negative one the character height (the
// size of the em), 0 a default size.
struct SFontRequest {
    std::string faceName;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t weight = 400;

    // Spelt out: the browser build's standard library has no three-way comparison of strings.
    friend bool operator==(const SFontRequest&, const SFontRequest&) = default;
    friend bool operator<(const SFontRequest& a, const SFontRequest& b)
    {
        return std::tie(a.faceName, a.width, a.height, a.weight) < std::tie(b.faceName, b.width, b.height, b.weight);
    }
};

// One glyph as a monochrome bitmap, placed relative to the pen: `left` columns right of the
// pen position, `top` rows below the top of the cell (either may be negative). `ink` holds
// width × height bytes, row by row, 1 where the glyph is drawn.
struct SGlyphImage {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t advance = 0;
    std::vector<std::uint8_t> ink;
};

// A font face opened at one size.
class IFontFace {
public:
    virtual ~IFontFace() = default;
    virtual std::int32_t cellHeight() const = 0;
    virtual std::int32_t ascent() const = 0;
    // The glyph of a Windows-1252 byte; bytes the face lacks give its replacement glyph.
    virtual SGlyphImage renderGlyph(unsigned char character) = 0;
};

// The platform's font service: opens faces by name, or gives nothing when it cannot.
class IFontRasterizer {
public:
    virtual ~IFontRasterizer() = default;
    virtual std::unique_ptr<IFontFace> openFont(const SFontRequest& request) = 0;
};
