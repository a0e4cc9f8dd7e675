#pragma once
#include "graphics/CFontCache.h"
#include "graphics/CSurface.h"
#include "graphics/IDisplay.h"
#include "graphics/IFontRasterizer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

// The display device: opens the full-screen mode, owns the front and back buffer and presents
// each frame composed on the back buffer. It also makes the fonts of its surfaces.
class CScreen {
public:
    // Without a display (nullptr, or one without a device) the screen never opens. Without a
    // font service every SetFont fails.
    CScreen(std::unique_ptr<IDisplay> display, std::unique_ptr<IFontRasterizer> fonts);
    ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // 0 on success; -1 no device or already open, -2 full screen refused, -4 mode refused,
    // -8 no primary in video nor in system memory, -32 no back buffer. May be tried again
    // with another depth after any failure.
    std::int32_t OpenFullScreen(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
    // Shows the back buffer; the back buffer then holds the frame before (a page flip). A lost
    // primary is restored and the restore's result returned; a locked buffer cannot flip.
    // Only what changed since the last frame reaches the display; a frame identical to it
    // does not flip, and the display only keeps the pace.
    std::int32_t Present();
    // For a frame not composed because it could not differ from the one on show: only the
    // display's pace is kept. Refused unless showsLastFrame().
    std::int32_t PresentUnchanged();
    // Whether the frame on show is still there to be kept: presented, and nothing lost since.
    bool showsLastFrame() const;
    // Shows the last presented frame once more, for a window that was uncovered.
    std::int32_t PresentAgain();
    // 0 when nothing was lost, else the result of restoring the primary with its back buffer.
    std::int32_t RestoreLostSurfaces();
    // A colour 0x00BBGGRR as a pixel of `surface` (default: the back buffer).
    std::uint32_t ColorToPixel(std::uint32_t color, const CSurface* surface = nullptr) const;

    CSurface* front() { return front_.get(); }
    CSurface* back() { return back_.get(); }
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    std::uint32_t bitsPerPixel() const { return bitsPerPixel_; }
    // The format off-screen surfaces are made in: the open mode's.
    std::optional<ESurfaceFormat> surfaceFormat() const { return format_; }

    // For surfaces: the device and the fonts.
    IDisplay* display() { return hasDevice() ? display_.get() : nullptr; }
    const IDisplay* display() const { return hasDevice() ? display_.get() : nullptr; }
    CFontCache& fonts() { return fonts_; }

    // Told of every picture a surface of this screen could not load, with the loader's reason,
    // so the owner can log it; the surfaces themselves write nowhere.
    using PictureFailureListener = std::function<void(std::string_view fileName, std::string_view reason)>;
    void setPictureFailureListener(PictureFailureListener listener) { pictureFailures_ = std::move(listener); }
    void reportPictureFailure(std::string_view fileName, std::string_view reason) const
    {
        if (pictureFailures_) {
            pictureFailures_(fileName, reason);
        }
    }

private:
    bool hasDevice() const { return display_ != nullptr && display_->hasDevice(); }
    std::int32_t createPrimary();
    void closeSurfaces();
    std::int32_t attachBuffers();
    SRect changedSinceShown() const;

    std::unique_ptr<IDisplay> display_;
    std::unique_ptr<CSurface> front_;
    std::unique_ptr<CSurface> back_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint32_t bitsPerPixel_ = 0;
    std::optional<ESurfaceFormat> format_;
    // Whether the front buffer holds what the display shows, so frames can be compared with it.
    bool frontShown_ = false;
    CFontCache fonts_;
    PictureFailureListener pictureFailures_;
};
