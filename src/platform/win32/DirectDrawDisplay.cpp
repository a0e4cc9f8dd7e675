#include "platform/win32/DirectDrawDisplay.h"

#include "platform/win32/Win32Window.h"

#include "graphics/FrameCopy.h"
#include "graphics/GraphicsResult.h"
#include "graphics/Letterbox.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr DWORD kExclusiveLevel = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT;

void sleepFor(std::int64_t nanoseconds) { std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds)); }

DWORD depthOf(ESurfaceFormat format) { return static_cast<DWORD>(format); }

DWORD memoryCaps(ESurfacePlacement placement)
{
    return placement == ESurfacePlacement::System ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY;
}

SPixelFormatDescription describeSurface(IDirectDrawSurface7* surface)
{
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    if (FAILED(surface->GetPixelFormat(&format))) {
        return {};
    }
    return {format.dwRGBBitCount, (format.dwFlags & DDPF_RGB) != 0, format.dwRBitMask, format.dwGBitMask,
            format.dwBBitMask};
}

RECT toRect(const SLetterbox& box) { return RECT{box.x, box.y, box.x + box.width, box.y + box.height}; }

SLetterbox desktopBounds()
{
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::int32_t asResult(HRESULT result) { return FAILED(result) ? static_cast<std::int32_t>(result) : 0; }

} // namespace

CDirectDrawDisplay::CDirectDrawDisplay(CWin32Window& window, const IClock& clock)
    : window_(window), pacer_(clock, sleepFor)
{
    if (FAILED(DirectDrawCreateEx(nullptr, device_.putVoid(), IID_IDirectDraw7, nullptr))) {
        device_.reset();
    }
}

CDirectDrawDisplay::~CDirectDrawDisplay()
{
    releasePrimary();
    leaveFullScreen();
}

HRESULT CDirectDrawDisplay::takeExclusive()
{
    window_.applyStyle(true);
    const HRESULT result = device_->SetCooperativeLevel(window_.handle(), kExclusiveLevel);
    exclusive_ = SUCCEEDED(result);
    return result;
}

void CDirectDrawDisplay::giveBackExclusive()
{
    if (modeSet_) {
        device_->RestoreDisplayMode();
        modeSet_ = false;
    }
    device_->SetCooperativeLevel(window_.handle(), DDSCL_NORMAL);
    exclusive_ = false;
}

std::int32_t CDirectDrawDisplay::enterFullScreen()
{
    if (!device_) {
        return GraphicsResult::kNotInitialized;
    }
    // The user may have asked for a window; then the window is what the program draws into.
    if (!window_.wantsFullScreen()) {
        giveBackExclusive();
        return asResult(device_->SetCooperativeLevel(window_.handle(), DDSCL_NORMAL));
    }
    return asResult(takeExclusive());
}

void CDirectDrawDisplay::leaveFullScreen()
{
    if (device_ && (exclusive_ || modeSet_)) {
        giveBackExclusive();
    }
}

std::int32_t CDirectDrawDisplay::setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format)
{
    if (!device_) {
        return GraphicsResult::kNotInitialized;
    }
    if (width <= 0 || height <= 0) {
        return GraphicsResult::kInvalidParams;
    }
    width_ = width;
    height_ = height;
    format_ = format;
    if (!exclusive_) {
        return 0;
    }
    const HRESULT result = device_->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height), depthOf(format), 0, 0);
    modeSet_ = modeSet_ || SUCCEEDED(result);
    return asResult(result);
}

std::int32_t CDirectDrawDisplay::createPrimary(ESurfacePlacement placement)
{
    releasePrimary();
    if (!device_) {
        return GraphicsResult::kNotInitialized;
    }
    placement_ = placement;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (exclusive_) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | memoryCaps(placement);
    }
    HRESULT result = device_->CreateSurface(&desc, primary_.put(), nullptr);
    if (FAILED(result)) {
        primary_.reset();
        return asResult(result);
    }
    if (!exclusive_) {
        // The primary is the whole desktop; the clipper keeps the frame inside the window.
        result = device_->CreateClipper(0, clipper_.put(), nullptr);
        if (SUCCEEDED(result)) {
            result = clipper_->SetHWnd(0, window_.handle());
        }
        if (SUCCEEDED(result)) {
            result = primary_->SetClipper(clipper_.get());
        }
        if (FAILED(result)) {
            releasePrimary();
        }
    }
    return asResult(result);
}

std::int32_t CDirectDrawDisplay::createBackBuffer()
{
    if (!primary_) {
        return GraphicsResult::kNotInitialized;
    }
    HRESULT result = S_OK;
    IDirectDrawSurface7* target = nullptr;
    if (exclusive_) {
        DDSCAPS2 caps{};
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        result = primary_->GetAttachedSurface(&caps, back_.put());
        target = back_.get();
    } else {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = static_cast<DWORD>(width_);
        desc.dwHeight = static_cast<DWORD>(height_);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memoryCaps(placement_);
        result = device_->CreateSurface(&desc, frame_.put(), nullptr);
        if (FAILED(result) && placement_ != ESurfacePlacement::System) {
            // The primary is the desktop's and may sit in video memory where no room is left.
            desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
            result = device_->CreateSurface(&desc, frame_.put(), nullptr);
        }
        target = frame_.get();
    }
    if (FAILED(result)) {
        back_.reset();
        frame_.reset();
        return asResult(result);
    }
    targetFormat_ = describeSurface(target);
    damage_ = CFlipChainDamage(exclusive_ ? 2 : 1, width_, height_);
    // A palette display cannot show the frame; the shell then tries its next depth.
    if (!targetFormat_.rgb || targetFormat_.bitCount < 16) {
        back_.reset();
        frame_.reset();
        return GraphicsResult::kInvalidPixelFormat;
    }
    return 0;
}

void CDirectDrawDisplay::releasePrimary()
{
    frame_.reset();
    back_.reset();
    if (primary_) {
        primary_->SetClipper(nullptr);
    }
    clipper_.reset();
    primary_.reset();
}

HRESULT CDirectDrawDisplay::buildSurfaces()
{
    std::int32_t result = createPrimary(ESurfacePlacement::Video);
    if (result < 0) {
        result = createPrimary(ESurfacePlacement::System);
    }
    if (result >= 0) {
        result = createBackBuffer();
    }
    if (result < 0) {
        releasePrimary();
    }
    return static_cast<HRESULT>(result);
}

// Alt+Enter changes what the window wants; the display follows before the next frame.
HRESULT CDirectDrawDisplay::followWindowMode()
{
    if (window_.wantsFullScreen() == exclusive_) {
        return S_OK;
    }
    releasePrimary();
    if (window_.wantsFullScreen()) {
        HRESULT result = takeExclusive();
        if (SUCCEEDED(result)) {
            result = setMode(width_, height_, format_);
        }
        if (SUCCEEDED(result)) {
            result = buildSurfaces();
        }
        if (SUCCEEDED(result)) {
            return result;
        }
        // The full-screen mode went away since the start: stay in the window.
        window_.setWanted(false);
        releasePrimary();
    }
    giveBackExclusive();
    window_.applyStyle(false);
    return buildSurfaces();
}

std::int32_t CDirectDrawDisplay::reportLoss()
{
    // One loss, however many calls report it until the restore: the shell reloads once.
    if (!lossReported_) {
        ++losses_;
        lossReported_ = true;
    }
    return GraphicsResult::kSurfaceLost;
}

HRESULT CDirectDrawDisplay::copyIntoTarget(const std::uint8_t* pixels, std::int32_t pitch, const SRect& part)
{
    IDirectDrawSurface7* target = exclusive_ ? back_.get() : frame_.get();
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    HRESULT result = target->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR, nullptr);
    if (FAILED(result)) {
        return result;
    }
    const std::ptrdiff_t sourceOffset = static_cast<std::ptrdiff_t>(part.top) * pitch + part.left * pixelBytes(format_);
    const std::ptrdiff_t destOffset = static_cast<std::ptrdiff_t>(part.top) * desc.lPitch +
                                      static_cast<std::ptrdiff_t>(part.left) * (targetFormat_.bitCount / 8);
    const SFrameView frame{pixels + sourceOffset, pitch, part.right - part.left, part.bottom - part.top, format_};
    const bool copied = copyFrame(frame, static_cast<std::uint8_t*>(desc.lpSurface) + destOffset,
                                  static_cast<std::int32_t>(desc.lPitch), targetFormat_);
    result = target->Unlock(nullptr);
    return copied ? result : DDERR_INVALIDPIXELFORMAT;
}

HRESULT CDirectDrawDisplay::stretchIntoWindow()
{
    RECT client{};
    GetClientRect(window_.handle(), &client);
    const SLetterbox box = fitPicture(client.right, client.bottom, width_, height_);
    if (box.width <= 0 || box.height <= 0) {
        return S_OK; // minimised: nothing to show
    }
    POINT origin{0, 0};
    ClientToScreen(window_.handle(), &origin);
    // The clipper keeps the copy inside the window, but the rectangles must also lie on the
    // desktop: a window may reach past its edges.
    const SLetterbox desktop = desktopBounds();
    if (box.width < client.right || box.height < client.bottom) {
        const SStretchCut whole = cutStretch({origin.x, origin.y, client.right, client.bottom}, desktop, 1, 1);
        DDBLTFX fill{};
        fill.dwSize = sizeof(fill);
        RECT bars = toRect(whole.target);
        primary_->Blt(&bars, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
    }
    const SStretchCut cut = cutStretch({origin.x + box.x, origin.y + box.y, box.width, box.height}, desktop, width_, height_);
    if (cut.target.width <= 0) {
        return S_OK;
    }
    RECT target = toRect(cut.target);
    RECT source = toRect(cut.source);
    return primary_->Blt(&target, frame_.get(), &source, DDBLT_WAIT, nullptr);
}

HRESULT CDirectDrawDisplay::showTarget()
{
    pacer_.beforePresent();
    return exclusive_ ? primary_->Flip(nullptr, DDFLIP_WAIT) : stretchIntoWindow();
}

std::int32_t CDirectDrawDisplay::present(const std::uint8_t* pixels, std::int32_t pitch)
{
    return presentRegion(pixels, pitch, SRect{0, 0, width_, height_});
}

std::int32_t CDirectDrawDisplay::presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed)
{
    if (rebuildNeeded_) {
        return reportLoss();
    }
    if (!primary_ && window_.wantsFullScreen() == exclusive_) {
        return GraphicsResult::kNotInitialized;
    }
    HRESULT result = followWindowMode();
    // A lost flip chain may answer a lock with other failures than the loss itself.
    if (SUCCEEDED(result) && primary_ && primary_->IsLost() == DDERR_SURFACELOST) {
        result = DDERR_SURFACELOST;
    }
    if (FAILED(result) || !primary_) {
        return finishPresent(result);
    }
    // After a flip the back buffer holds the frame of two flips ago, so it takes every change
    // since then, not only this frame's.
    damage_.frameChanged(changed);
    if (damage_.frontIsCurrent()) {
        pacer_.beforePresent();
        return 0;
    }
    if (const std::optional<SRect> part = damage_.backBufferStale()) {
        result = copyIntoTarget(pixels, pitch, *part);
    }
    if (SUCCEEDED(result)) {
        result = showTarget();
    }
    if (SUCCEEDED(result)) {
        damage_.drawnAndFlipped();
    }
    return finishPresent(result);
}

std::int32_t CDirectDrawDisplay::finishPresent(HRESULT result)
{
    if (result == DDERR_SURFACELOST) {
        return reportLoss();
    }
    return asResult(result);
}

std::int32_t CDirectDrawDisplay::createSurface(std::int32_t, std::int32_t, ESurfacePlacement)
{
    // The pictures are plain memory; DirectDraw only ever sees the frame.
    return 0;
}

// The display mode changed under the surfaces (the desktop's came back while the program was
// away): only new ones fit it. Until they can be made the surfaces count as lost.
HRESULT CDirectDrawDisplay::rebuildSurfaces()
{
    releasePrimary();
    rebuildNeeded_ = true;
    HRESULT result = exclusive_ ? static_cast<HRESULT>(setMode(width_, height_, format_)) : S_OK;
    if (SUCCEEDED(result)) {
        result = buildSurfaces();
    }
    if (FAILED(result)) {
        releasePrimary();
        return DDERR_SURFACELOST;
    }
    rebuildNeeded_ = false;
    return result;
}

std::int32_t CDirectDrawDisplay::restoreSurface()
{
    if (!primary_ && !rebuildNeeded_) {
        return GraphicsResult::kNotInitialized;
    }
    HRESULT result = DDERR_WRONGMODE;
    if (primary_) {
        // The primary restores its whole flip chain; a window's frame copy is restored on its own.
        result = primary_->Restore();
        if (SUCCEEDED(result) && frame_) {
            result = frame_->Restore();
        }
    }
    if (result == DDERR_WRONGMODE) {
        // Not while another program has the display: its mode is not ours to change.
        if (GetForegroundWindow() != window_.handle()) {
            return GraphicsResult::kSurfaceLost;
        }
        result = rebuildSurfaces();
    }
    if (SUCCEEDED(result)) {
        lossReported_ = false;
        damage_.forgetAll(); // a restored surface keeps no picture
    }
    return asResult(result);
}
