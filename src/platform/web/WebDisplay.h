#pragma once
#include "graphics/IDisplay.h"

#include <cstdint>
#include <vector>

// The display in a page: each frame's changed rows reach the canvas in one putImageData.
// The browser calls the frame loop once per display refresh, so presenting never waits, and
// a hidden tab draws nothing. Only 32-bit frames are taken; surfaces are never lost.
class CWebDisplay final : public IDisplay {
public:
    bool hasDevice() const override { return true; }
    // The page decides about full screen (Alt+Enter and its button, in the user's gesture).
    std::int32_t enterFullScreen() override { return 0; }
    void leaveFullScreen() override {}
    std::int32_t setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format) override;
    std::int32_t createPrimary(ESurfacePlacement placement) override;
    std::int32_t createBackBuffer() override;
    void releasePrimary() override;
    std::int32_t present(const std::uint8_t* pixels, std::int32_t pitch) override;
    std::int32_t presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed) override;
    std::int32_t createSurface(std::int32_t, std::int32_t, ESurfacePlacement) override { return 0; }
    std::uint32_t lossCount() const override { return 0; }
    std::int32_t restoreSurface() override { return 0; }
    bool vsyncIsReal() const override { return true; }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool primary_ = false;
    std::vector<std::uint8_t> rgba_;
};
