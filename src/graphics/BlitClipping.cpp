#include "graphics/BlitClipping.h"

#include <algorithm>
#include <cmath>

namespace {

// Rectangles in 64 bits, so positions near the ends of the 32-bit range cannot overflow.
struct SWideRect {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

std::optional<SWideRect> clipWide(const SWideRect& r, const SRect& clip)
{
    if (r.top >= clip.bottom || r.left >= clip.right || r.bottom <= clip.top || r.right <= clip.left) {
        return std::nullopt;
    }
    SWideRect clipped{std::max<std::int64_t>(r.left, clip.left), std::max<std::int64_t>(r.top, clip.top),
                     std::min<std::int64_t>(r.right, clip.right), std::min<std::int64_t>(r.bottom, clip.bottom)};
    if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) {
        return std::nullopt;
    }
    return clipped;
}

SWideRect widen(const SRect& r) { return SWideRect{r.left, r.top, r.right, r.bottom}; }

SRect narrow(const SWideRect& r)
{
    return SRect{static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
}

// A coordinate computed in floating point, truncated toward zero and kept far inside 64 bits.
std::int64_t truncated(double value)
{
    constexpr double kLimit = 4.0e15;
    return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

} // namespace

std::optional<SClippedBlit> clipBlit(const SRect& source, const SRect& sourceClip, std::int32_t x, std::int32_t y,
                                    const SRect& destinationClip)
{
    const auto clippedSource = clipWide(widen(source), sourceClip);
    if (!clippedSource) {
        return std::nullopt;
    }
    const SWideRect& s = *clippedSource;
    const SWideRect target{x, y, x + (s.right - s.left), y + (s.bottom - s.top)};
    const auto clippedTarget = clipWide(target, destinationClip);
    if (!clippedTarget) {
        return std::nullopt;
    }
    const SWideRect& t = *clippedTarget;
    const SWideRect moved{s.left + (t.left - target.left), s.top + (t.top - target.top),
                         s.right + (t.right - target.right), s.bottom + (t.bottom - target.bottom)};
    return SClippedBlit{narrow(moved), static_cast<std::int32_t>(t.left), static_cast<std::int32_t>(t.top)};
}

std::optional<SScaledBlit> clipScaledBlit(const SRect& source, const SRect& sourceClip, std::int32_t x, std::int32_t y,
                                         float scale, const SRect& destinationClip)
{
    if (!(scale > 0.0f)) {
        return std::nullopt;
    }
    const auto clippedSource = clipWide(widen(source), sourceClip);
    if (!clippedSource) {
        return std::nullopt;
    }
    const SWideRect& s = *clippedSource;
    const std::int64_t w = s.right - s.left;
    const std::int64_t h = s.bottom - s.top;
    const float scaledWidth = static_cast<float>(w) * scale;
    const float scaledHeight = static_cast<float>(h) * scale;
    const std::int64_t top = truncated(static_cast<double>(h) * 0.5 + y - static_cast<double>(scaledHeight) * 0.5);
    const std::int64_t left = truncated(static_cast<double>(w) * 0.5 + x - static_cast<double>(scaledWidth) * 0.5);
    const SWideRect target{left, top, left + truncated(scaledWidth), top + truncated(scaledHeight)};
    const auto clippedTarget = clipWide(target, destinationClip);
    if (!clippedTarget) {
        return std::nullopt;
    }
    const SWideRect& t = *clippedTarget;
    const auto sourceShift = [scale](std::int64_t moved) {
        return truncated(static_cast<double>(static_cast<float>(moved) / scale));
    };
    const SWideRect moved{s.left + sourceShift(t.left - target.left), s.top + sourceShift(t.top - target.top),
                         s.right - sourceShift(target.right - t.right),
                         s.bottom - sourceShift(target.bottom - t.bottom)};
    if (moved.right <= moved.left || moved.bottom <= moved.top) {
        return std::nullopt;
    }
    return SScaledBlit{narrow(moved), narrow(t)};
}
