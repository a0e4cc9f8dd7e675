#pragma once
#include "common/Clock.h"
#include "graphics/CFramePacer.h"
#include "graphics/IDisplay.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class CSdlWindow;
struct SDL_Renderer;
struct SDL_Texture;

// The display over an SDL window: a renderer, a streaming texture of the surfaces' own format
// scaled into the window with the aspect kept (letterboxed), vsync, and pacing to at most
// 60 presents a second, which costs nothing where the retrace wait is real and keeps a frame
// loop from spinning where it is not. Surfaces are never lost.
class CSdlDisplay final : public IDisplay {
public:
    CSdlDisplay(CSdlWindow& window, const IClock& clock);
    ~CSdlDisplay() override;
    CSdlDisplay(const CSdlDisplay&) = delete;
    CSdlDisplay& operator=(const CSdlDisplay&) = delete;

    bool hasDevice() const override;
    std::int32_t enterFullScreen() override;
    void leaveFullScreen() override;
    std::int32_t setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format) override;
    std::int32_t createPrimary(ESurfacePlacement placement) override;
    std::int32_t createBackBuffer() override;
    void releasePrimary() override;
    std::int32_t present(const std::uint8_t* pixels, std::int32_t pitch) override;
    std::int32_t presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed) override;
    std::int32_t createSurface(std::int32_t width, std::int32_t height, ESurfacePlacement placement) override;
    std::uint32_t lossCount() const override { return 0; }
    std::int32_t restoreSurface() override { return 0; }
    // What the renderer reports; the pacing stays on either way, as Xvfb reports it falsely.
    bool vsyncIsReal() const override { return vsync_; }

    // What the renderer shows, read back as 0x00RRGGBB pixels of the window's output size.
    struct SCapture {
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::vector<std::uint32_t> pixels;
    };
    std::optional<SCapture> readBack();
    // Whether the primary was made with the accelerated renderer (video memory).
    bool accelerated() const { return accelerated_; }

private:
    void chooseScaling();
    bool drawFrame();
    bool outputUnchanged();

    CSdlWindow& window_;
    CFramePacer pacer_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    ESurfaceFormat format_ = ESurfaceFormat::Bgrx32;
    bool accelerated_ = false;
    bool vsync_ = false;
    std::optional<bool> smoothScaling_; // unknown until the first frame is drawn
    // The window's output size when a frame was last shown in it; none since the texture was made.
    std::optional<std::pair<int, int>> shownOutput_;
};
