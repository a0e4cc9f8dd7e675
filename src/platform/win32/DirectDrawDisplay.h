#pragma once
#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32Api.h"

#include "common/Clock.h"
#include "graphics/CFramePacer.h"
#include "graphics/FlipChainDamage.h"
#include "graphics/IDisplay.h"
#include "graphics/PixelFormat.h"
#include "graphics/Rect.h"

#include <ddraw.h>

#include <cstdint>

class CWin32Window;

// The display through DirectDraw 7. Full screen: the exclusive cooperative level, the display
// mode of the asked depth, a primary surface with one back buffer; each frame is copied into
// the back buffer under Lock and shown with Flip. In a window: the normal level, a clipper on
// the window, and the frame copied into an off-screen surface that is stretched into the
// client area with its aspect kept. Neither flip nor copy need wait for the retrace (they do
// not under a virtual display), so presents are paced to 60 a second as well.
//
// Surfaces are really lost here: when the user switches away from exclusive full screen, the
// next lock or copy reports it; the loss count goes up once, so the shell reloads its pictures,
// and the screen's restore gives the primary its memory back.
class CDirectDrawDisplay final : public IDisplay {
public:
    CDirectDrawDisplay(CWin32Window& window, const IClock& clock);
    ~CDirectDrawDisplay() override;
    CDirectDrawDisplay(const CDirectDrawDisplay&) = delete;
    CDirectDrawDisplay& operator=(const CDirectDrawDisplay&) = delete;

    bool hasDevice() const override { return static_cast<bool>(device_); }
    std::int32_t enterFullScreen() override;
    void leaveFullScreen() override;
    std::int32_t setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format) override;
    std::int32_t createPrimary(ESurfacePlacement placement) override;
    std::int32_t createBackBuffer() override;
    void releasePrimary() override;
    std::int32_t present(const std::uint8_t* pixels, std::int32_t pitch) override;
    // Copies only what changed since the frame shown last, and where nothing did, neither
    // copies nor flips but only keeps the pace.
    std::int32_t presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed);
    std::int32_t createSurface(std::int32_t width, std::int32_t height, ESurfacePlacement placement) override;
    std::uint32_t lossCount() const override { return losses_; }
    std::int32_t restoreSurface() override;
    // DirectDraw gives no way to learn whether the copy really waited for the retrace.
    bool vsyncIsReal() const override { return false; }

private:
    HRESULT takeExclusive();
    void giveBackExclusive();
    HRESULT buildSurfaces();
    HRESULT rebuildSurfaces();
    HRESULT followWindowMode();
    HRESULT copyIntoTarget(const std::uint8_t* pixels, std::int32_t pitch, const SRect& part);
    std::int32_t finishPresent(HRESULT result);
    HRESULT showTarget();
    HRESULT stretchIntoWindow();
    std::int32_t reportLoss();

    CWin32Window& window_;
    CFramePacer pacer_;
    CComPtr<IDirectDraw7> device_;
    CComPtr<IDirectDrawSurface7> primary_;
    CComPtr<IDirectDrawSurface7> back_;  // full screen: the flip chain's back buffer
    CComPtr<IDirectDrawSurface7> frame_; // window: the off-screen copy of the frame
    CComPtr<IDirectDrawClipper> clipper_;
    SPixelFormatDescription targetFormat_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    ESurfaceFormat format_ = ESurfaceFormat::Bgrx32;
    ESurfacePlacement placement_ = ESurfacePlacement::Video;
    bool exclusive_ = false;
    bool modeSet_ = false;
    std::uint32_t losses_ = 0;
    bool lossReported_ = false;
    bool rebuildNeeded_ = false;
    // What each surface that takes frames lacks of the newest one: the flip chain's two
    // buffers in full screen, the one off-screen copy in a window.
    CFlipChainDamage damage_{1, 0, 0};
};
