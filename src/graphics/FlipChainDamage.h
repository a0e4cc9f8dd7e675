#pragma once
#include "graphics/Rect.h"

#include <cstdint>
#include <optional>
#include <vector>

// What each buffer of a display's flip chain lacks of the newest frame. After a flip the back
// buffer holds the frame it was last drawn with, two flips ago in a chain of two, so copying
// only the part that changed since the last frame into it would bring that old picture back
// around the copied part. Each buffer therefore collects every change since it was drawn.
// A chain of one buffer is a surface that is copied to the screen rather than flipped.
class CFlipChainDamage {
public:
    CFlipChainDamage(std::int32_t bufferCount, std::int32_t width, std::int32_t height);

    // Every buffer lacks the whole frame: it was just made, restored or resized.
    void forgetAll();
    // The frame changed inside this rectangle (clipped to the frame; empty ones are ignored).
    void frameChanged(const SRect& changed);
    // Whether the buffer on show holds the newest frame, so nothing needs drawing or flipping.
    bool frontIsCurrent() const;
    // The part of the frame to copy into the back buffer before it is shown; nothing when
    // the back buffer already holds the frame.
    std::optional<SRect> backBufferStale() const;
    // The back buffer was brought up to date and then flipped to the front.
    void drawnAndFlipped();

    std::int32_t bufferCount() const { return static_cast<std::int32_t>(stale_.size()); }

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::optional<SRect>> stale_; // per buffer, in the order they come to the front
    std::size_t front_ = 0;
};
