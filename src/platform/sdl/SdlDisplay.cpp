#include "platform/sdl/SdlDisplay.h"

#include "graphics/GraphicsResult.h"
#include "platform/sdl/SdlWindow.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

Uint32 textureFormat(ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: return SDL_PIXELFORMAT_RGB555;
    case ESurfaceFormat::Rgb565: return SDL_PIXELFORMAT_RGB565;
    case ESurfaceFormat::Bgr24: return SDL_PIXELFORMAT_BGR24;
    case ESurfaceFormat::Bgrx32: return SDL_PIXELFORMAT_RGB888;
    }
    return SDL_PIXELFORMAT_UNKNOWN;
}

void sleepFor(std::int64_t nanoseconds) { std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds)); }

} // namespace

CSdlDisplay::CSdlDisplay(CSdlWindow& window, const IClock& clock) : window_(window), pacer_(clock, sleepFor) {}

CSdlDisplay::~CSdlDisplay() { releasePrimary(); }

bool CSdlDisplay::hasDevice() const { return window_.sdlWindow() != nullptr; }

std::int32_t CSdlDisplay::enterFullScreen()
{
    // The user may have asked for a window; then the window is what the program takes over.
    if (window_.requestedMode() == EWindowMode::Windowed) {
        return 0;
    }
    return window_.setFullScreen(true) ? 0 : GraphicsResult::kGeneric;
}

void CSdlDisplay::leaveFullScreen()
{
    // The desktop was never switched to another mode, so there is nothing to give back; the
    // window itself belongs to the shell, which closes it.
}

std::int32_t CSdlDisplay::setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format)
{
    if (width <= 0 || height <= 0 || textureFormat(format) == SDL_PIXELFORMAT_UNKNOWN) {
        return GraphicsResult::kInvalidParams;
    }
    width_ = width;
    height_ = height;
    format_ = format;
    return 0;
}

std::int32_t CSdlDisplay::createPrimary(ESurfacePlacement placement)
{
    releasePrimary();
    const Uint32 flags = placement == ESurfacePlacement::Video ? SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC
                                                               : SDL_RENDERER_SOFTWARE;
    renderer_ = SDL_CreateRenderer(window_.sdlWindow(), -1, flags);
    if (!renderer_) {
        return GraphicsResult::kGeneric;
    }
    if (SDL_RenderSetLogicalSize(renderer_, width_, height_) != 0) {
        releasePrimary();
        return GraphicsResult::kGeneric;
    }
    accelerated_ = placement == ESurfacePlacement::Video;
    SDL_RendererInfo info;
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool virtualDisplay = driver && (SDL_strcmp(driver, "dummy") == 0 || SDL_strcmp(driver, "offscreen") == 0);
    vsync_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 && !virtualDisplay;
    return 0;
}

std::int32_t CSdlDisplay::createBackBuffer()
{
    if (!renderer_) {
        return GraphicsResult::kNotInitialized;
    }
    texture_ = SDL_CreateTexture(renderer_, textureFormat(format_), SDL_TEXTUREACCESS_STREAMING, width_, height_);
    smoothScaling_.reset();
    shownOutput_.reset();
    return texture_ ? 0 : GraphicsResult::kGeneric;
}

void CSdlDisplay::releasePrimary()
{
    if (texture_) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    if (renderer_) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    vsync_ = false;
}

// At a whole multiple every pixel becomes a square block and stays sharp; at any other scale
// the nearest pixel makes rows and columns of uneven width, which tears the text's strokes
// apart, so the picture is filtered instead. The window's size may change at any time.
void CSdlDisplay::chooseScaling()
{
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetScale(renderer_, &scaleX, &scaleY);
    const bool smooth = scaleX != std::floor(scaleX) || scaleY != std::floor(scaleY);
    if (smoothScaling_ != smooth) {
        SDL_SetTextureScaleMode(texture_, smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        smoothScaling_ = smooth;
    }
}

bool CSdlDisplay::drawFrame()
{
    chooseScaling();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    return SDL_RenderClear(renderer_) == 0 && SDL_RenderCopy(renderer_, texture_, nullptr, nullptr) == 0;
}

std::int32_t CSdlDisplay::present(const std::uint8_t* pixels, std::int32_t pitch)
{
    return presentRegion(pixels, pitch, SRect{0, 0, width_, height_});
}

// Whether the window still shows the last frame at the size it was drawn for. A window that
// changed size (full screen and back) needs the whole frame drawn again.
bool CSdlDisplay::outputUnchanged()
{
    std::pair<int, int> output{0, 0};
    SDL_GetRendererOutputSize(renderer_, &output.first, &output.second);
    const bool same = shownOutput_ == output;
    shownOutput_ = output;
    return same;
}

std::int32_t CSdlDisplay::presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed)
{
    if (!texture_) {
        return GraphicsResult::kNotInitialized;
    }
    const bool sameOutput = outputUnchanged();
    if (changed == SRect{} && sameOutput) {
        // The window keeps showing the last frame; only the loop's pace is kept.
        pacer_.beforePresent();
        return 0;
    }
    if (changed != SRect{}) {
        const SDL_Rect area{changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top};
        const std::uint8_t* first = pixels + static_cast<std::ptrdiff_t>(changed.top) * pitch +
                                    static_cast<std::ptrdiff_t>(changed.left) * pixelBytes(format_);
        if (SDL_UpdateTexture(texture_, &area, first, pitch) != 0) {
            shownOutput_.reset();
            return GraphicsResult::kGeneric;
        }
    }
    if (!drawFrame()) {
        shownOutput_.reset();
        return GraphicsResult::kGeneric;
    }
    pacer_.beforePresent();
    SDL_RenderPresent(renderer_);
    return 0;
}

std::int32_t CSdlDisplay::createSurface(std::int32_t, std::int32_t, ESurfacePlacement)
{
    // Surfaces are plain memory; the renderer never sees them.
    return 0;
}

std::optional<CSdlDisplay::SCapture> CSdlDisplay::readBack()
{
    if (!texture_ || !drawFrame()) {
        return std::nullopt;
    }
    SDL_Rect viewport;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetViewport(renderer_, &viewport);
    SDL_RenderGetScale(renderer_, &scaleX, &scaleY);
    SCapture capture;
    capture.width = static_cast<std::int32_t>(static_cast<float>(viewport.w) * scaleX + 0.5f);
    capture.height = static_cast<std::int32_t>(static_cast<float>(viewport.h) * scaleY + 0.5f);
    capture.pixels.resize(static_cast<std::size_t>(capture.width) * static_cast<std::size_t>(capture.height));
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, capture.pixels.data(), capture.width * 4) != 0) {
        return std::nullopt;
    }
    return capture;
}
