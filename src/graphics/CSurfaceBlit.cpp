#include "graphics/BlitClipping.h"
#include "graphics/Blitters.h"
#include "graphics/CKeySpans.h"
#include "graphics/CSurface.h"
#include "graphics/GraphicsResult.h"

#include <new>

namespace {

// The blend takes its alpha from the low 16 bits, limited to 256 (the destination unchanged).
std::uint32_t limitAlpha(std::uint32_t alpha)
{
    const std::uint32_t low = alpha & 0xFFFFu;
    return low > 256 ? 256 : low;
}

// Keyed copies read from a table of runs only after the same picture was drawn keyed once
// before unchanged: pictures that are recomposed for every draw never pay for building one.
constexpr std::uint32_t kDrawsBeforeSpans = 1;

} // namespace

const CKeySpans* CSurface::keySpans(std::uint32_t keyBits, std::optional<std::int32_t> blendPhase)
{
    CKeySpans* spans = runTable(keyBits);
    // The blend's widest loop reads the picture's channels split in the table.
    if (spans && blendPhase && bestSimd() == ESimd::Avx512) {
        spans->splitForBlend(*memory_, *blendPhase);
    }
    return spans;
}

CKeySpans* CSurface::runTable(std::uint32_t keyBits)
{
    // While locked or holding a drawing context the pixels may change under the table.
    if (lockCount_ > 0 || dcCount_ > 0) {
        return nullptr;
    }
    if (keySpans_ && keySpans_->key() == colorKey_ && keySpans_->keyBits() == keyBits) {
        return keySpans_.get();
    }
    if (keyedDraws_++ < kDrawsBeforeSpans) {
        return nullptr;
    }
    try {
        keySpans_.reset();
        keySpans_ = std::make_unique<CKeySpans>(*memory_, colorKey_, keyBits);
    } catch (const std::bad_alloc&) {
        keySpans_.reset();
    }
    return keySpans_.get();
}

std::int32_t CSurface::platformCopy(CSurface& destination, std::int32_t x, std::int32_t y,
                                    std::optional<SRect> source, bool keyed)
{
    if (!memory_ || !destination.memory_) {
        return -1;
    }
    const auto clipped = clipBlit(source.value_or(SRect{0, 0, width_, height_}), clip_, x, y, destination.clip_);
    if (!clipped) {
        return GraphicsResult::kOk;
    }
    if (isLost() || destination.isLost()) {
        return Restore();
    }
    if (memory_->format() != destination.memory_->format()) {
        return GraphicsResult::kInvalidPixelFormat;
    }
    try {
        if (!keyed) {
            Blitters::copy(*memory_, clipped->source, *destination.memory_, clipped->x, clipped->y);
        } else if (const CKeySpans* spans = &destination != this ? keySpans(colorBits(memory_->format()), std::nullopt) : nullptr) {
            Blitters::copyKeyedSpans(*spans, memory_->format(), clipped->source, *destination.memory_, clipped->x,
                                     clipped->y);
        } else {
            Blitters::copyKeyed(*memory_, clipped->source, *destination.memory_, clipped->x, clipped->y, colorKey_);
        }
    } catch (const std::bad_alloc&) {
        return GraphicsResult::kOutOfMemory;
    }
    destination.contentsChanged();
    return GraphicsResult::kOk;
}

std::int32_t CSurface::Opaque(CSurface& destination, std::int32_t x, std::int32_t y, std::optional<SRect> source)
{
    return platformCopy(destination, x, y, source, false);
}

std::int32_t CSurface::Keyed(CSurface& destination, std::int32_t x, std::int32_t y, std::optional<SRect> source)
{
    return platformCopy(destination, x, y, source, true);
}

std::int32_t CSurface::KeyedBlend(CSurface& destination, std::int32_t x, std::int32_t y, std::optional<SRect> source,
                                  std::uint32_t alpha)
{
    const std::uint32_t a = limitAlpha(alpha);
    if (!memory_ || !destination.memory_) {
        return -1;
    }
    const auto clipped = clipBlit(source.value_or(SRect{0, 0, width_, height_}), clip_, x, y, destination.clip_);
    if (!clipped) {
        return GraphicsResult::kOk;
    }
    // The source is only read: restored if lost, as a lock would, but not locked, which would
    // throw its table of runs away.
    for (int attempt = 0; isLost(); ++attempt) {
        if (attempt == kRestoreAttempts) {
            return GraphicsResult::kSurfaceLost;
        }
        Restore();
    }
    const std::int32_t destinationLock = destination.Lock();
    if (destinationLock < 0) {
        return destinationLock;
    }
    // The loop takes the source to be in the destination's format; a source of another format
    // would be read past its rows, so such a pair draws nothing.
    const std::uint32_t depth = destination.format_.depth;
    const bool drawable = (depth == 15 || depth == 16 || depth == 24 || depth == 32) &&
                          memory_->format() == destination.memory_->format();
    std::int32_t result = GraphicsResult::kOk;
    if (drawable) {
        try {
            // 15 and 16 bits compare whole pixels with the key; 24 and 32 bits their colour.
            const std::uint32_t keyBits = depth <= 16 ? 0xFFFFu : 0xFFFFFFu;
            // The blend's chunks start where the target's pixels lie on 64-byte boundaries.
            const std::int32_t bytes = pixelBytes(memory_->format());
            const auto misaligned = static_cast<std::int32_t>(
                reinterpret_cast<std::uintptr_t>(destination.memory_->row(clipped->y) + bytes * clipped->x) % 64 / bytes);
            const std::int32_t phase = misaligned - clipped->source.left;
            const CKeySpans* spans = &destination != this ? keySpans(keyBits, phase) : nullptr;
            if (spans) {
                Blitters::blendKeyedSpans(*spans, memory_->format(), clipped->source, *destination.memory_, clipped->x,
                                          clipped->y, a);
            } else {
                Blitters::blendKeyed(*memory_, clipped->source, *destination.memory_, clipped->x, clipped->y, colorKey_,
                                     a);
            }
        } catch (const std::bad_alloc&) {
            result = GraphicsResult::kOutOfMemory;
        }
    }
    destination.Unlock();
    return result;
}

std::int32_t CSurface::KeyedScaled(CSurface& destination, std::int32_t x, std::int32_t y, std::optional<SRect> source,
                                   float scale)
{
    if (!memory_ || !destination.memory_) {
        return -1;
    }
    const auto placed =
        clipScaledBlit(source.value_or(SRect{0, 0, width_, height_}), clip_, x, y, scale, destination.clip_);
    if (!placed) {
        return GraphicsResult::kOk;
    }
    if (isLost() || destination.isLost()) {
        Restore();
        return GraphicsResult::kSurfaceLost;
    }
    if (memory_->format() != destination.memory_->format()) {
        return GraphicsResult::kInvalidPixelFormat;
    }
    try {
        Blitters::copyKeyedScaled(*memory_, placed->source, *destination.memory_, placed->destination, colorKey_);
    } catch (const std::bad_alloc&) {
        return GraphicsResult::kOutOfMemory;
    }
    destination.contentsChanged();
    return GraphicsResult::kOk;
}
