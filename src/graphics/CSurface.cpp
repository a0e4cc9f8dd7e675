#include "graphics/CSurface.h"

#include "graphics/Blitters.h"
#include "graphics/CKeySpans.h"
#include "graphics/CScreen.h"
#include "graphics/GraphicsResult.h"
#include "graphics/PixelAccess.h"

#include <algorithm>
#include <new>

CSurface::CSurface() = default;

CSurface::~CSurface() = default;

std::int32_t CSurface::Create(CScreen& screen, std::int32_t width, std::int32_t height, std::uint32_t memory)
{
    IDisplay* display = screen.display();
    const auto format = screen.surfaceFormat();
    if (!display || !format) {
        return GraphicsResult::kNotInitialized;
    }
    if (!CSurfaceMemory::validSize(width, height)) {
        return GraphicsResult::kInvalidParams;
    }
    const std::int32_t result = display->createSurface(width, height, placementFromMemory(memory));
    if (result < 0) {
        return result;
    }
    try {
        adopt(screen, std::make_unique<CSurfaceMemory>(width, height, *format, display->lossCount()));
    } catch (const std::bad_alloc&) {
        return GraphicsResult::kOutOfMemory;
    }
    return result;
}

void CSurface::attachMemory(CScreen& owner, std::unique_ptr<CSurfaceMemory> memory)
{
    adopt(owner, std::move(memory));
}

void CSurface::adopt(CScreen& screen, std::unique_ptr<CSurfaceMemory> memory)
{
    memory_ = std::move(memory);
    owner_ = &screen;
    width_ = memory_->width();
    height_ = memory_->height();
    clip_ = SRect{0, 0, width_, height_};
    detectFormat();
    selectPrimitives();
    contentsChanged();
}

void CSurface::detectFormat()
{
    if (memory_) {
        detectPixelFormat(describeFormat(memory_->format()), format_);
    }
}

void CSurface::selectPrimitives() { primitives_ = primitivesForDepth(format_.depth); }

void CSurface::contentsChanged()
{
    keySpans_.reset();
    keyedDraws_ = 0;
}

bool CSurface::isLost() const
{
    const IDisplay* display = owner_ ? owner_->display() : nullptr;
    return memory_ && display && memory_->generation() != display->lossCount();
}

std::optional<ESurfaceFormat> CSurface::surfaceFormat() const
{
    if (!memory_) {
        return std::nullopt;
    }
    return memory_->format();
}

std::int32_t CSurface::restorePlatformSurface()
{
    if (!memory_) {
        return -1;
    }
    if (!isLost()) {
        return GraphicsResult::kOk;
    }
    IDisplay* display = owner_->display();
    const std::int32_t result = display->restoreSurface();
    if (result < 0) {
        return result;
    }
    markRestored();
    return GraphicsResult::kOk;
}

void CSurface::markRestored()
{
    const IDisplay* display = owner_ ? owner_->display() : nullptr;
    if (memory_ && display) {
        memory_->restored(display->lossCount());
        contentsChanged();
    }
}

void CSurface::exchangeMemory(CSurface& other)
{
    memory_.swap(other.memory_);
    contentsChanged();
    other.contentsChanged();
}

std::int32_t CSurface::Restore()
{
    if (!memory_) {
        return -1;
    }
    // The back buffer belongs to the primary's flip chain: restoring the primary restores it.
    const bool inFlipChain = owner_ && (owner_->front() == this || owner_->back() == this);
    const std::int32_t result = inFlipChain ? owner_->RestoreLostSurfaces() : restorePlatformSurface();
    if (result < 0) {
        return result;
    }
    return ReloadImage(fileName_);
}

std::int32_t CSurface::Lock()
{
    if (lockCount_ > 0) {
        return static_cast<std::int32_t>(++lockCount_);
    }
    if (!memory_) {
        return GraphicsResult::kInvalidObject;
    }
    for (int attempt = 0; isLost(); ++attempt) {
        if (attempt == kRestoreAttempts) {
            return GraphicsResult::kSurfaceLost;
        }
        Restore();
    }
    lockCount_ = 1;
    contentsChanged();
    return 1;
}

std::int32_t CSurface::Unlock()
{
    if (lockCount_ == 0) {
        return GraphicsResult::kNotLocked;
    }
    if (lockCount_ > 1) {
        return static_cast<std::int32_t>(--lockCount_);
    }
    for (int attempt = 0; isLost(); ++attempt) {
        if (attempt == kRestoreAttempts) {
            return GraphicsResult::kSurfaceLost;
        }
        Restore();
    }
    contentsChanged();
    return static_cast<std::int32_t>(--lockCount_);
}

CDeviceContext* CSurface::GetDC()
{
    if (dcCount_ > 0) {
        ++dcCount_;
        return dc_.get();
    }
    if (!memory_ || isLost()) {
        return nullptr;
    }
    dc_ = std::make_unique<CDeviceContext>();
    dcCount_ = 1;
    return dc_.get();
}

std::int32_t CSurface::ReleaseDC()
{
    if (dcCount_ > 1) {
        --dcCount_;
        return 0;
    }
    if (!memory_ || dcCount_ == 0) {
        return -1;
    }
    dc_.reset();
    --dcCount_;
    return 0;
}

std::int32_t CSurface::SetColorKey(std::uint32_t value)
{
    if (!memory_) {
        return -1;
    }
    if (value != colorKey_) {
        contentsChanged();
    }
    colorKey_ = value;
    return GraphicsResult::kOk;
}

std::int32_t CSurface::SetColorKeyFromCorner()
{
    // Read without the counted lock: reading the key changes no pixel, so a keyed-span table
    // built earlier stays valid.
    if (!memory_ || isLost()) {
        return -1;
    }
    std::uint32_t value = PixelAccess::load(memory_->pixels(), 4);
    const std::uint32_t bitCount = describeFormat(memory_->format()).bitCount;
    if (bitCount < 32) {
        value &= (1u << bitCount) - 1u;
    }
    return SetColorKey(value) < 0 ? -2 : 0;
}

std::int32_t CSurface::Fill(std::uint32_t color)
{
    if (!memory_) {
        return -1;
    }
    if (isLost()) {
        return GraphicsResult::kSurfaceLost;
    }
    Blitters::fill(*memory_, color);
    contentsChanged();
    return GraphicsResult::kOk;
}

void CSurface::SetClipRect(const SRect& rectangle)
{
    clip_ = SRect{std::max(rectangle.left, 0), std::max(rectangle.top, 0), std::min(rectangle.right, width_),
                 std::min(rectangle.bottom, height_)};
}

std::int32_t CSurface::putPixel(std::int32_t x, std::int32_t y, std::uint32_t pixel)
{
    if (!primitives_.put || lockCount_ == 0) {
        return 0;
    }
    if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom) {
        primitives_.put(memory_->pixels(), memory_->pitch(), x, y, pixel);
    }
    return 0;
}

std::uint32_t CSurface::getPixel(std::int32_t x, std::int32_t y) const
{
    if (!primitives_.get || lockCount_ == 0 || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return primitives_.get(memory_->pixels(), memory_->pitch(), x, y);
}
