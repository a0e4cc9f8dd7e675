#include "platform/win32/GdiFontRasterizer.h"

#include "platform/win32/GdiCanvas.h"

#include <algorithm>
#include <optional>

namespace {

// A glyph may reach left of the pen and above the cell; the canvas leaves room on every side.
struct SCanvasLayout {
    std::int32_t width;
    std::int32_t height;
    std::int32_t penX;
    std::int32_t penY;
};

SCanvasLayout canvasLayout(const TEXTMETRICA& metrics)
{
    const std::int32_t cell = std::max<std::int32_t>(metrics.tmHeight, 1);
    const std::int32_t widest = std::max<std::int32_t>(metrics.tmMaxCharWidth, cell);
    return {4 * widest, 3 * cell, 2 * widest, cell};
}

class CGdiFontFace final : public IFontFace {
public:
    CGdiFontFace(CGdiCanvas canvas, const TEXTMETRICA& metrics)
        : canvas_(std::move(canvas)), metrics_(metrics), layout_(canvasLayout(metrics))
    {
    }

    std::int32_t cellHeight() const override { return metrics_.tmHeight; }
    std::int32_t ascent() const override { return metrics_.tmAscent; }

    SGlyphImage renderGlyph(unsigned char character) override
    {
        const char text[1] = {static_cast<char>(character)};
        SGlyphImage glyph;
        glyph.advance = canvas_.measure(std::string_view(text, 1));
        canvas_.clear();
        if (!canvas_.draw(layout_.penX, layout_.penY, std::string_view(text, 1))) {
            return glyph;
        }
        const std::optional<SInkBounds> bounds = canvas_.inkBounds();
        if (!bounds) {
            return glyph;
        }
        glyph.left = bounds->left - layout_.penX;
        glyph.top = bounds->top - layout_.penY;
        glyph.width = bounds->right - bounds->left;
        glyph.height = bounds->bottom - bounds->top;
        glyph.ink = canvas_.ink(*bounds);
        return glyph;
    }

private:
    CGdiCanvas canvas_;
    TEXTMETRICA metrics_;
    SCanvasLayout layout_;
};

} // namespace

std::unique_ptr<IFontFace> CGdiFontRasterizer::openFont(const SFontRequest& request)
{
    HFONT font = CreateFontA(request.height, request.width, 0, 0, request.weight, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             VARIABLE_PITCH, request.faceName.c_str());
    if (!font) {
        return nullptr;
    }
    std::optional<TEXTMETRICA> metrics = fontMetrics(font);
    if (!metrics || metrics->tmHeight <= 0) {
        DeleteObject(font);
        return nullptr;
    }
    const SCanvasLayout layout = canvasLayout(*metrics);
    std::optional<CGdiCanvas> canvas = CGdiCanvas::create(font, layout.width, layout.height);
    if (!canvas) {
        return nullptr;
    }
    return std::make_unique<CGdiFontFace>(std::move(*canvas), *metrics);
}
