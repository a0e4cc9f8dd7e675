#include "graphics/Blitters.h"
#include "graphics/CScreen.h"
#include "graphics/CSurface.h"
#include "graphics/GraphicsResult.h"
#include "image/CDXImage.h"

#include <algorithm>
#include <cstdio>
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

std::optional<CDib> decodePicture(std::string_view name)
{
    const CDXImage loader(writeDebugOutput);
    CDecodeResult result = loader.LoadFromFile(platformFileName(name));
    return std::move(result.dib);
}

// The picture converted into new memory of the screen's format, or nothing.
std::unique_ptr<CSurfaceMemory> pictureMemory(const CDib& dib, SurfaceFormat format, std::uint32_t generation)
{
    if (!CSurfaceMemory::validSize(dib.width(), dib.height())) {
        return nullptr;
    }
    auto memory = std::make_unique<CSurfaceMemory>(dib.width(), dib.height(), format, generation);
    const std::size_t bytes = static_cast<std::size_t>(memory->pitch()) * static_cast<std::size_t>(memory->height());
    if (!ConvertDib(dib, format, std::span<std::uint8_t>(memory->pixels(), bytes),
                    static_cast<std::size_t>(memory->pitch()))) {
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
    const std::optional<CDib> picture = display && format ? decodePicture(name) : std::nullopt;
    if (!picture || display->createSurface(picture->width(), picture->height(), placementFromMemory(memory)) < 0) {
        return -2;
    }
    std::unique_ptr<CSurfaceMemory> loaded;
    try {
        loaded = pictureMemory(*picture, *format, display->lossCount());
    } catch (const std::bad_alloc&) {
        return -2;
    }
    if (!loaded) {
        return -2;
    }
    adopt(screen, std::move(loaded));
    fileName_ = std::string(name.substr(0, kMaxFileName));
    return 1;
}

std::int32_t CSurface::ReloadImage(std::string_view name)
{
    const std::string fileName(name.empty() ? std::string_view(fileName_) : name);
    const std::optional<CDib> picture = fileName.empty() ? std::nullopt : decodePicture(fileName);
    if (!picture) {
        return -2;
    }
    if (!memory_) {
        return -1;
    }
    if (isLost()) {
        return GraphicsResult::kSurfaceLost;
    }
    if (picture->width() < width_ || picture->height() < height_) {
        return GraphicsResult::kInvalidRect;
    }
    std::unique_ptr<CSurfaceMemory> loaded;
    try {
        loaded = pictureMemory(*picture, memory_->format(), memory_->generation());
    } catch (const std::bad_alloc&) {
        return GraphicsResult::kOutOfMemory;
    }
    if (!loaded) {
        return GraphicsResult::kGeneric;
    }
    Blitters::copy(*loaded, Rect{0, 0, width_, height_}, *memory_, 0, 0);
    contentsChanged();
    return GraphicsResult::kOk;
}
