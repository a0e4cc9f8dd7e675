#include "graphics/CScreen.h"

#include "graphics/FrameDifference.h"
#include "graphics/GraphicsResult.h"

#include <new>

CScreen::CScreen(std::unique_ptr<IDisplay> display, std::unique_ptr<IFontRasterizer> fonts)
    : display_(std::move(display)), fonts_(std::move(fonts))
{
}

CScreen::~CScreen()
{
    if (hasDevice()) {
        display_->leaveFullScreen();
    }
    closeSurfaces();
}

void CScreen::closeSurfaces()
{
    back_.reset();
    front_.reset();
    if (display_) {
        display_->releasePrimary();
    }
}

std::int32_t CScreen::OpenFullScreen(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel)
{
    if (!hasDevice() || front_) {
        return -1;
    }
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    if (display_->enterFullScreen() < 0) {
        return -2;
    }
    const auto format = surfaceFormatForDepth(bitsPerPixel);
    const bool validSize = width <= CSurfaceMemory::kMaxSide && height <= CSurfaceMemory::kMaxSide &&
                           CSurfaceMemory::validSize(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    if (!format || !validSize ||
        display_->setMode(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), *format) < 0) {
        return -4;
    }
    format_ = format;
    front_ = std::make_unique<CSurface>();
    back_ = std::make_unique<CSurface>();
    if (createPrimary() < 0) {
        closeSurfaces();
        return -8;
    }
    if (display_->createBackBuffer() < 0) {
        closeSurfaces();
        return -32;
    }
    if (attachBuffers() < 0) {
        closeSurfaces();
        return -8;
    }
    return 0;
}

std::int32_t CScreen::createPrimary()
{
    const std::int32_t result = display_->createPrimary(ESurfacePlacement::Video);
    return result >= 0 ? result : display_->createPrimary(ESurfacePlacement::System);
}

std::int32_t CScreen::attachBuffers()
{
    const auto w = static_cast<std::int32_t>(width_);
    const auto h = static_cast<std::int32_t>(height_);
    try {
        front_->attachMemory(*this, std::make_unique<CSurfaceMemory>(w, h, *format_, display_->lossCount()));
        back_->attachMemory(*this, std::make_unique<CSurfaceMemory>(w, h, *format_, display_->lossCount()));
        frontShown_ = false;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return 0;
}

std::int32_t CScreen::Present()
{
    if (!front_ || !hasDevice()) {
        return GraphicsResult::kNotInitialized;
    }
    // A flip under a held lock would move the memory away from under the holder's pointer.
    if (back_->lockCount() > 0 || front_->lockCount() > 0) {
        return GraphicsResult::kSurfaceBusy;
    }
    const bool lost = front_->isLost() || back_->isLost();
    CSurfaceMemory& shown = *back_->memory();
    const SRect changed = changedSinceShown();
    const std::int32_t result =
        lost ? GraphicsResult::kSurfaceLost : display_->presentRegion(shown.pixels(), shown.pitch(), changed);
    if (result == GraphicsResult::kSurfaceLost) {
        return RestoreLostSurfaces();
    }
    // An unchanged frame need not flip: front and back hold the same picture.
    if (result >= 0 && changed != SRect{}) {
        front_->exchangeMemory(*back_);
        frontShown_ = true;
    }
    return result;
}

std::int32_t CScreen::PresentUnchanged()
{
    if (!showsLastFrame() || front_->lockCount() > 0) {
        return GraphicsResult::kNotInitialized;
    }
    const CSurfaceMemory& shown = *front_->memory();
    const std::int32_t result = display_->presentRegion(shown.pixels(), shown.pitch(), SRect{});
    if (result == GraphicsResult::kSurfaceLost) {
        // What is on show is gone with the surfaces: the next frame is composed in full.
        frontShown_ = false;
        return RestoreLostSurfaces();
    }
    return result;
}

bool CScreen::showsLastFrame() const
{
    return front_ && hasDevice() && frontShown_ && !front_->isLost() && !back_->isLost();
}

SRect CScreen::changedSinceShown() const
{
    const SRect whole{0, 0, static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)};
    return frontShown_ ? changedArea(*back_->memory(), *front_->memory()) : whole;
}

std::int32_t CScreen::PresentAgain()
{
    if (!front_ || !hasDevice() || front_->isLost() || front_->lockCount() > 0) {
        return GraphicsResult::kNotInitialized;
    }
    // After a present the front buffer holds the frame that was shown.
    CSurfaceMemory& shown = *front_->memory();
    return display_->present(shown.pixels(), shown.pitch());
}

std::int32_t CScreen::RestoreLostSurfaces()
{
    if (!front_ || !hasDevice() || !(front_->isLost() || back_->isLost())) {
        return 0;
    }
    const std::int32_t result = display_->restoreSurface();
    if (result < 0) {
        return result;
    }
    front_->markRestored();
    back_->markRestored();
    frontShown_ = false;
    return 0;
}

std::uint32_t CScreen::ColorToPixel(std::uint32_t color, const CSurface* surface) const
{
    const CSurface* target = surface ? surface : back_.get();
    const auto format = target ? target->surfaceFormat() : std::nullopt;
    return format ? colorToPixel(color, describeFormat(*format)) : color;
}
