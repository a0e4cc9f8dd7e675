// Text set with FreeType from the fonts of Debian's fonts-urw-base35: anti-aliased glyph masks
// with kerning and sub-pixel pen positions, measured and wrapped by the same layout.
#pragma once
#include "pictures/Canvas.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

enum class ETypeface {
    Chancery,    // calligraphic italic: titles, menu entries, labels
    Serif,       // book face: running text
    SerifItalic,
    SerifBold,
};

struct STextMask {
    CMask mask;
    int left = 0;     // where the pen started, in mask pixels
    int baseline = 0; // baseline row in the mask
    float advance = 0;
};

enum class EAlign { Left, Centre, Right };

class CFont {
public:
    explicit CFont(ETypeface face);
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // text is UTF-8, size the em size in pixels.
    float measure(std::string_view text, float size) const;
    STextMask render(std::string_view text, float size) const;
    std::vector<std::string> wrap(std::string_view text, float size, float maxWidth) const;

private:
    struct SImpl;
    std::unique_ptr<SImpl> m_impl;
};

using Shade = std::function<SRgb(int x, int y)>;

// Draws text with its baseline at y; x is the left end, the centre or the right end by align.
// The optional halo is a soft glow of haloRadius pixels laid under the letters.
struct STextStyle {
    float size = 20;
    EAlign align = EAlign::Left;
    Shade shade;
    SRgb haloColour{};
    int haloRadius = 0;
    float haloStrength = 0;
    bool haloAdds = true; // added light (glow) or painted over (a dark shadow)
};
void drawText(CCanvas& canvas, const CFont& font, std::string_view text, float x, float y,
              const STextStyle& style);
Shade solid(SRgb colour);
// Old gold: light along the top of the letters, deeper toward the baseline.
Shade goldShade(float top, float bottom, float brightness = 1);

} // namespace assetgen
