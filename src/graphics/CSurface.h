#pragma once
#include "graphics/CDeviceContext.h"
#include "graphics/CSurfaceMemory.h"
#include "graphics/PixelFormat.h"
#include "graphics/PixelPrimitives.h"
#include "graphics/Rect.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CFont;
class CKeySpans;
class CScreen;

// The numbered drawing modes; from 100 up the source's colour key is honoured.
enum class EBlitMode : std::uint32_t { Opaque = 0, Keyed = 100, KeyedBlend = 101, KeyedScaled = 103 };

// The size of a text in the selected font: the sum of its glyph advances and the cell height.
struct STextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// One picture, the back buffer or the front buffer: pixels in plain memory in the screen's
// format, with a clip rectangle, a colour key, counted locks and drawing contexts, a font and
// per-depth pixel primitives. Results: 0 or more is success, negative a failure (see
// GraphicsResult.h); LoadImage reports success as 1.
// A surface must be destroyed before the screen it was made on.
class CSurface {
public:
    CSurface();
    virtual ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    // A blank surface of the screen's format. `memory` is a SurfaceMemory value.
    std::int32_t Create(CScreen& screen, std::int32_t width, std::int32_t height, std::uint32_t memory);
    // A surface holding the picture in the file `name`: 1 on success, -1 for an empty name,
    // -2 when the picture cannot be loaded.
    std::int32_t LoadImage(CScreen& screen, std::string_view name, std::uint32_t memory);

    // Counted: only the first Lock and the last Unlock reach the platform. Lock returns the
    // new count, Unlock the remaining one. While locked, pixels() and pitch() are valid.
    std::int32_t Lock();
    std::int32_t Unlock();
    // Counted likewise; GetDC returns nullptr on failure, ReleaseDC 0 or -1.
    CDeviceContext* GetDC();
    std::int32_t ReleaseDC();

    std::int32_t SetColorKey(std::uint32_t value);
    // The key becomes the top-left pixel: 0, -1 (no surface or no lock), -2 (key refused).
    std::int32_t SetColorKeyFromCorner();
    // Fills the whole surface with a raw pixel value.
    std::int32_t Fill(std::uint32_t color);
    // Clamped to the surface.
    void SetClipRect(const SRect& rectangle);
    // Gives a lost surface its memory back and reloads its picture (if it came from a file).
    std::int32_t Restore();
    // Loads the picture `name` (empty: the file the surface came from) into this surface.
    std::int32_t ReloadImage(std::string_view name = {});

    // Per-depth primitives on locked memory; both do nothing (0) when the surface is not
    // locked or its depth has none. putPixel clips against the clip rectangle; getPixel
    // reads any pixel of the surface and gives 0 outside it.
    std::int32_t putPixel(std::int32_t x, std::int32_t y, std::uint32_t pixel);
    std::uint32_t getPixel(std::int32_t x, std::int32_t y) const;

    // The drawing modes, as operations of the source: the rectangle `source` (default: the
    // whole surface) lands with its top-left corner at (x, y) of `destination`.
    std::int32_t Opaque(CSurface& destination, std::int32_t x, std::int32_t y,
                        std::optional<SRect> source = std::nullopt);
    std::int32_t Keyed(CSurface& destination, std::int32_t x, std::int32_t y,
                       std::optional<SRect> source = std::nullopt);
    // alpha 0 shows the source, 256 (or more) leaves the destination as it was.
    std::int32_t KeyedBlend(CSurface& destination, std::int32_t x, std::int32_t y,
                            std::optional<SRect> source, std::uint32_t alpha);
    // Scaled about the centre of where the unscaled rectangle would land; scale <= 0 draws nothing.
    std::int32_t KeyedScaled(CSurface& destination, std::int32_t x, std::int32_t y,
                             std::optional<SRect> source, float scale);

    // Text. Calling order: SetFont; GetDC; SelectFont; WriteText and GetTextExtent as often
    // as needed; ReleaseDC. SetFont returns 0 or -2 (no such font); SelectFont 0 or -1 (no
    // font made); WriteText 0 (also for empty text) or -1. color is 0x00BBGGRR.
    std::int32_t SetFont(std::string_view faceName, std::int32_t width, std::int32_t height, std::int32_t weight);
    std::int32_t SelectFont();
    std::int32_t WriteText(std::int32_t x, std::int32_t y, std::uint32_t color, std::string_view text);
    // The width WriteText covers with the same text in the context's font, and the cell height.
    STextExtent GetTextExtent(std::string_view text);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    CScreen* owner() const { return owner_; }
    const SPixelFormatInfo& format() const { return format_; }
    std::uint32_t colorKey() const { return colorKey_; }
    const SRect& clipRect() const { return clip_; }
    std::uint32_t lockCount() const { return lockCount_; }
    std::uint32_t dcCount() const { return dcCount_; }
    const std::string& fileName() const { return fileName_; }
    bool hasSurface() const { return memory_ != nullptr; }
    bool isLost() const;
    std::optional<ESurfaceFormat> surfaceFormat() const;
    // Valid while locked: the first pixel and the bytes per row.
    std::uint8_t* pixels() { return lockCount_ > 0 ? memory_->pixels() : nullptr; }
    std::int32_t pitch() const { return lockCount_ > 0 ? memory_->pitch() : 0; }

    // For the screen: gives this surface memory that it made, as front or back buffer.
    void attachMemory(CScreen& owner, std::unique_ptr<CSurfaceMemory> memory);
    // For the screen: the memory of the front or back buffer, to present or to flip.
    CSurfaceMemory* memory() { return memory_.get(); }
    // The platform half of Restore: asks the display for the memory back (the picture is gone).
    std::int32_t restorePlatformSurface();
    // For the screen, once the display gave the flip chain's memory back.
    void markRestored();
    // For the screen's page flip: the two surfaces trade their pixels.
    void exchangeMemory(CSurface& other);
    // Whether keyed draws and blends now read from a table of runs instead of every pixel.
    bool holdsRunTable() const { return keySpans_ != nullptr; }

private:
    // How often a lock or draw restores a lost surface before it gives up; the platform
    // refusing the restore every time must not hang the program.
    static constexpr int kRestoreAttempts = 3;

    void adopt(CScreen& screen, std::unique_ptr<CSurfaceMemory> memory);
    void detectFormat();
    void selectPrimitives();
    // Everything that may change the pixels calls this, so no stale keyed-span table is used.
    void contentsChanged();
    // The table of runs for the key compared under `keyBits`, once the picture was drawn
    // keyed unchanged before; null while it may change or when there is no memory for one.
    // A table for the blend is split for it, in the target's phase (see CKeySpans), where the
    // processor runs its widest loop.
    const CKeySpans* keySpans(std::uint32_t keyBits, std::optional<std::int32_t> blendPhase);
    CKeySpans* runTable(std::uint32_t keyBits);
    CFont* contextFont();

    std::int32_t platformCopy(CSurface& destination, std::int32_t x, std::int32_t y,
                              std::optional<SRect> source, bool keyed);

    std::unique_ptr<CSurfaceMemory> memory_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::string fileName_;
    std::unique_ptr<CDeviceContext> dc_;
    std::uint32_t colorKey_ = 0;
    CFont* font_ = nullptr;
    CScreen* owner_ = nullptr;
    SRect clip_;
    SPixelFormatInfo format_;
    std::uint32_t lockCount_ = 0;
    std::uint32_t dcCount_ = 0;
    SPixelPrimitives primitives_;
    std::unique_ptr<CKeySpans> keySpans_;
    std::uint32_t keyedDraws_ = 0;
};
