#include "graphics/NullDisplay.h"

#include "graphics/CSurfaceMemory.h"
#include "graphics/GraphicsResult.h"

#include <algorithm>

std::int32_t CNullDisplay::enterFullScreen()
{
    if (refusals_.fullScreen) {
        return GraphicsResult::kGeneric;
    }
    fullScreen_ = true;
    return 0;
}

std::int32_t CNullDisplay::setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format)
{
    if (refusals_.modes.count(format) != 0 || !CSurfaceMemory::validSize(width, height)) {
        return GraphicsResult::kInvalidParams;
    }
    width_ = width;
    height_ = height;
    format_ = format;
    return 0;
}

std::int32_t CNullDisplay::createPrimary(ESurfacePlacement placement)
{
    const bool refused = placement == ESurfacePlacement::Video ? refusals_.videoPrimary : refusals_.systemPrimary;
    if (refused) {
        return GraphicsResult::kOutOfMemory;
    }
    primary_ = true;
    return 0;
}

std::int32_t CNullDisplay::createBackBuffer()
{
    if (refusals_.backBuffer || !primary_) {
        return GraphicsResult::kGeneric;
    }
    backBuffer_ = true;
    return 0;
}

void CNullDisplay::releasePrimary()
{
    primary_ = false;
    backBuffer_ = false;
}

std::int32_t CNullDisplay::present(const std::uint8_t* pixels, std::int32_t pitch)
{
    return presentRegion(pixels, pitch, SRect{0, 0, width_, height_});
}

std::int32_t CNullDisplay::presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed)
{
    if (presentHook_) {
        presentHook_(pixels, pitch);
    }
    if (!backBuffer_) {
        return GraphicsResult::kNotInitialized;
    }
    ++presentCount_;
    lastChange_ = changed;
    if (changed == SRect{}) {
        ++unchangedCount_;
        return presentResult_;
    }
    const std::size_t bytes = bytesPerPixel(format_);
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytes;
    lastFrame_.resize(rowBytes * static_cast<std::size_t>(height_));
    const auto left = static_cast<std::size_t>(changed.left) * bytes;
    const auto count = static_cast<std::size_t>(changed.right - changed.left) * bytes;
    for (std::int32_t y = changed.top; y < changed.bottom; ++y) {
        std::copy_n(pixels + static_cast<std::ptrdiff_t>(y) * pitch + left, count,
                    lastFrame_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * rowBytes + left));
    }
    return presentResult_;
}

std::int32_t CNullDisplay::createSurface(std::int32_t, std::int32_t, ESurfacePlacement)
{
    return refusals_.surfaces ? GraphicsResult::kOutOfMemory : 0;
}

std::int32_t CNullDisplay::restoreSurface()
{
    if (refusals_.lostRestores > 0) {
        --refusals_.lostRestores;
        return GraphicsResult::kSurfaceLost;
    }
    if (refusals_.restore) {
        return GraphicsResult::kGeneric;
    }
    ++restoreCount_;
    return 0;
}

namespace {

// Glyphs of the null font: a filled box per character, its width taken from the byte so that
// different texts measure differently; 'j' reaches left of the pen and 0xCE past its advance,
// as some glyphs of real faces do.
class CNullFontFace final : public IFontFace {
public:
    explicit CNullFontFace(const SFontRequest& request)
        : cellHeight_(request.height > 0 ? request.height : request.height < 0 ? -request.height * 5 / 4 : 16),
          bold_(request.weight >= 600)
    {
    }

    std::int32_t cellHeight() const override { return cellHeight_; }
    std::int32_t ascent() const override { return cellHeight_ * 4 / 5; }

    SGlyphImage renderGlyph(unsigned char character) override
    {
        SGlyphImage glyph;
        glyph.advance = std::max(1, cellHeight_ / 3) + character % 5 + (bold_ ? 1 : 0);
        if (character == ' ') {
            return glyph;
        }
        glyph.left = character == 'j' ? -1 : 0;
        glyph.width = character == 0xCE ? glyph.advance + 2 : std::max(1, glyph.advance - 1);
        glyph.height = std::max(1, ascent() - character % 3);
        glyph.top = ascent() - glyph.height;
        glyph.ink.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 1);
        return glyph;
    }

private:
    std::int32_t cellHeight_;
    bool bold_;
};

} // namespace

std::unique_ptr<IFontFace> CNullFontRasterizer::openFont(const SFontRequest& request)
{
    if (missing_.count(request.faceName) != 0) {
        return nullptr;
    }
    ++openCount_;
    return std::make_unique<CNullFontFace>(request);
}
