#include "platform/web/WebDisplay.h"

#include "graphics/GraphicsResult.h"
#include "platform/web/FrameConversion.h"
#include "platform/web/WebPage.h"

#include <algorithm>

std::int32_t CWebDisplay::setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format)
{
    if (width <= 0 || height <= 0 || format != ESurfaceFormat::Bgrx32) {
        return GraphicsResult::kInvalidParams;
    }
    width_ = width;
    height_ = height;
    return 0;
}

std::int32_t CWebDisplay::createPrimary(ESurfacePlacement)
{
    primary_ = width_ > 0;
    return primary_ ? 0 : GraphicsResult::kNotInitialized;
}

std::int32_t CWebDisplay::createBackBuffer()
{
    if (!primary_) {
        return GraphicsResult::kNotInitialized;
    }
    rgba_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0);
    return 0;
}

void CWebDisplay::releasePrimary()
{
    primary_ = false;
    rgba_.clear();
}

std::int32_t CWebDisplay::present(const std::uint8_t* pixels, std::int32_t pitch)
{
    return presentRegion(pixels, pitch, SRect{0, 0, width_, height_});
}

std::int32_t CWebDisplay::presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed)
{
    if (rgba_.empty()) {
        return GraphicsResult::kNotInitialized;
    }
    const SRect area{std::max(changed.left, 0), std::max(changed.top, 0), std::min(changed.right, width_),
                    std::min(changed.bottom, height_)};
    if (area.right <= area.left || area.bottom <= area.top) {
        return 0;
    }
    const std::int32_t rowBytes = width_ * 4;
    bgrxToRgba(pixels + static_cast<std::ptrdiff_t>(area.top) * pitch + area.left * 4, pitch,
               rgba_.data() + static_cast<std::ptrdiff_t>(area.top) * rowBytes + area.left * 4, rowBytes,
               area.right - area.left, area.bottom - area.top);
    minne_page_present(rgba_.data(), width_, height_, area.left, area.top, area.right, area.bottom);
    return 0;
}
