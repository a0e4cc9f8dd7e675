#include "graphics/Blitters.h"
#include "graphics/CScreen.h"
#include "graphics/CSurface.h"
#include "graphics/GraphicsResult.h"
#include "image/CDXImage.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <new>

namespace {

// The longest file name a surface keeps, as the fixed 256-byte name field held it.
constexpr std::size_t kMaxFileName = 255;

// The program's names keep the system's backslash; every file system accepts "/".
std::string platformFileName(std::string_view name)
{
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void writeDebugOutput(std::string_view text)
{
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

// Draws the picture `name` into new memory of `format`, made once its size is known, if
// `accept` agrees to that size. Nothing when the file is not a picture or memory runs out;
// `reason` then says why.
std::unique_ptr<CSurfaceMemory> loadPicture(std::string_view name, ESurfaceFormat format, std::uint32_t generation,
                                            const std::function<bool(std::int32_t, std::int32_t)>& accept,
                                            std::string& reason)
{
    std::unique_ptr<CSurfaceMemory> memory;
    const auto provide = [&](std::int32_t width, std::int32_t height) -> std::optional<SSurfaceTarget> {
        if (!CSurfaceMemory::validSize(width, height) || !accept(width, height)) {
            return std::nullopt;
        }
        try {
            memory = std::make_unique<CSurfaceMemory>(width, height, format, generation);
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        const auto pitch = static_cast<std::size_t>(memory->pitch());
        return SSurfaceTarget{std::span<std::uint8_t>(memory->pixels(), pitch * static_cast<std::size_t>(height)),
                             pitch, format};
    };
    const CDXImage loader(writeDebugOutput);
    SDrawResult drawn = loader.LoadFileIntoSurface(platformFileName(name), provide);
    if (!drawn) {
        reason = std::move(drawn.reason);
        return nullptr;
    }
    return memory;
}

} // namespace

std::int32_t CSurface::LoadImage(CScreen& screen, std::string_view name, std::uint32_t memory)
{
    if (name.empty()) {
        return -1;
    }
    // A picture that cannot be had leaves the surface without memory, whatever it held.
    memory_.reset();
    contentsChanged();
    IDisplay* display = screen.display();
    const auto format = screen.surfaceFormat();
    if (!display || !format) {
        screen.reportPictureFailure(name, "no display mode is set");
        return -2;
    }
    const ESurfacePlacement placement = placementFromMemory(memory);
    std::string reason;
    std::unique_ptr<CSurfaceMemory> loaded = loadPicture(
        name, *format, display->lossCount(),
        [display, placement](std::int32_t width, std::int32_t height) {
            return display->createSurface(width, height, placement) >= 0;
        },
        reason);
    if (!loaded) {
        screen.reportPictureFailure(name, reason);
        return -2;
    }
    adopt(screen, std::move(loaded));
    fileName_ = std::string(name.substr(0, kMaxFileName));
    return 1;
}

std::int32_t CSurface::ReloadImage(std::string_view name)
{
    const std::string fileName(name.empty() ? std::string_view(fileName_) : name);
    if (fileName.empty()) {
        return -2;
    }
    // The picture goes into memory of its own first, as a copy from it must not leave a
    // half-drawn picture behind when the file turns out damaged.
    const ESurfaceFormat format = memory_ ? memory_->format() : ESurfaceFormat::Bgrx32;
    std::string reason;
    const std::unique_ptr<CSurfaceMemory> loaded =
        loadPicture(fileName, format, 0, [](std::int32_t, std::int32_t) { return true; }, reason);
    if (!loaded) {
        return -2;
    }
    if (!memory_) {
        return -1;
    }
    if (isLost()) {
        return GraphicsResult::kSurfaceLost;
    }
    if (loaded->width() < width_ || loaded->height() < height_) {
        return GraphicsResult::kInvalidRect;
    }
    Blitters::copy(*loaded, SRect{0, 0, width_, height_}, *memory_, 0, 0);
    contentsChanged();
    return GraphicsResult::kOk;
}
