#pragma once
#include "graphics/IDisplay.h"
#include "graphics/IFontRasterizer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

// A display without a screen, for tests and headless runs: it accepts what it is told to,
// keeps the last presented frame, and lets a test refuse any step or take the surfaces'
// memory away. Presenting never waits.
class CNullDisplay final : public IDisplay {
public:
    // What the display refuses; everything is accepted by default.
    struct SRefusals {
        bool noDevice = false;
        bool fullScreen = false;
        std::set<ESurfaceFormat> modes;
        bool videoPrimary = false;
        bool systemPrimary = false;
        bool backBuffer = false;
        bool surfaces = false;
        bool restore = false;
        int lostRestores = 0; // the next restores find the surfaces still lost, as while another program holds the display
    };

    CNullDisplay() = default;
    explicit CNullDisplay(SRefusals refusals) : refusals_(std::move(refusals)) {}

    SRefusals& refusals() { return refusals_; }
    // Called with every frame handed over, before anything is checked: a test can look at it.
    using PresentHook = std::function<void(const std::uint8_t* pixels, std::int32_t pitch)>;
    void setPresentHook(PresentHook hook) { presentHook_ = std::move(hook); }
    // The result the next presents report (0 unless set).
    void setPresentResult(std::int32_t result) { presentResult_ = result; }
    // Takes the memory of every surface away, as a mode switch by another program would.
    void loseSurfaces() { ++lossCount_; }

    bool fullScreen() const { return fullScreen_; }
    bool hasPrimary() const { return primary_; }
    bool hasBackBuffer() const { return backBuffer_; }
    std::int32_t modeWidth() const { return width_; }
    std::int32_t modeHeight() const { return height_; }
    ESurfaceFormat modeFormat() const { return format_; }
    // Every frame handed over, and of them those that changed nothing.
    std::uint32_t presentCount() const { return presentCount_; }
    std::uint32_t unchangedCount() const { return unchangedCount_; }
    // The rectangle the last frame was said to have changed.
    const SRect& lastChange() const { return lastChange_; }
    std::uint32_t restoreCount() const { return restoreCount_; }
    // The last presented frame, rows packed without padding; of a frame presented as a
    // region only that region is taken, as a display that trusts the region would.
    const std::vector<std::uint8_t>& lastFrame() const { return lastFrame_; }

    bool hasDevice() const override { return !refusals_.noDevice; }
    std::int32_t enterFullScreen() override;
    void leaveFullScreen() override { fullScreen_ = false; }
    std::int32_t setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format) override;
    std::int32_t createPrimary(ESurfacePlacement placement) override;
    std::int32_t createBackBuffer() override;
    void releasePrimary() override;
    std::int32_t present(const std::uint8_t* pixels, std::int32_t pitch) override;
    std::int32_t presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed) override;
    std::int32_t createSurface(std::int32_t width, std::int32_t height, ESurfacePlacement placement) override;
    std::uint32_t lossCount() const override { return lossCount_; }
    std::int32_t restoreSurface() override;
    bool vsyncIsReal() const override { return false; }

private:
    SRefusals refusals_;
    PresentHook presentHook_;
    std::int32_t presentResult_ = 0;
    std::uint32_t lossCount_ = 0;
    bool fullScreen_ = false;
    bool primary_ = false;
    bool backBuffer_ = false;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    ESurfaceFormat format_ = ESurfaceFormat::Bgrx32;
    std::uint32_t presentCount_ = 0;
    std::uint32_t unchangedCount_ = 0;
    SRect lastChange_;
    std::uint32_t restoreCount_ = 0;
    std::vector<std::uint8_t> lastFrame_;
};

// A font service without font files: every face name opens, as a simple font whose glyphs
// are boxes. A glyph's advance and box width depend on the character and the height, so
// texts of different content measure differently; the blank has no ink.
class CNullFontRasterizer final : public IFontRasterizer {
public:
    // Face names in `missing` do not open.
    explicit CNullFontRasterizer(std::set<std::string> missing = {}) : missing_(std::move(missing)) {}
    std::unique_ptr<IFontFace> openFont(const SFontRequest& request) override;
    std::uint32_t openCount() const { return openCount_; }

private:
    std::set<std::string> missing_;
    std::uint32_t openCount_ = 0;
};
