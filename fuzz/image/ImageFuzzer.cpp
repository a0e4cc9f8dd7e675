// Feeds arbitrary bytes to detection, every decoder and the conversion into each surface
// format, both ways a picture can reach a surface: decoded then converted, and drawn straight
// in. The two must agree. The first byte picks the forced type (0: detect) and the format.
#include "image/CDXImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kMaxSurfacePixels = 4 << 20;

constexpr ESurfaceFormat kFormats[] = {ESurfaceFormat::Bgrx32, ESurfaceFormat::Bgr24, ESurfaceFormat::Rgb565,
                                      ESurfaceFormat::Rgb555};

// A surface with spare bytes after every row, as pitches often have.
struct Surface {
    std::vector<std::uint8_t> pixels;

    std::optional<SSurfaceTarget> make(std::int32_t width, std::int32_t height, ESurfaceFormat format)
    {
        // A few bytes can describe a legal picture of 16384 × 16384 (run-length data that ends
        // at once); drawing such giants would only slow the search down.
        if (std::int64_t(width) * height > kMaxSurfacePixels)
            return std::nullopt;
        const std::size_t pitch = std::size_t(width) * bytesPerPixel(format) + 4;
        pixels.assign(pitch * std::size_t(height), 0);
        return SSurfaceTarget{pixels, pitch, format};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t selector = data[0];
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    const auto forced = static_cast<EImageType>(selector % 6);
    const ESurfaceFormat format = kFormats[(selector / 6) % 4];
    const CDXImage loader;

    Surface converted;
    const SDecodeResult decoded = loader.LoadFromMemory(file, forced);
    const SDrawResult viaDib = decoded ? DrawDib(*decoded.dib, [&](std::int32_t w, std::int32_t h) {
        return converted.make(w, h, format);
    }) : SDrawResult::refused(decoded.reason);
    Surface direct;
    const SDrawResult drawn = loader.LoadIntoSurface(file, [&](std::int32_t w, std::int32_t h) {
        return direct.make(w, h, format);
    }, forced);

    if (decoded && !viaDib && std::int64_t(decoded.dib->width()) * decoded.dib->height() <= kMaxSurfacePixels)
        __builtin_trap(); // a decoded bitmap always converts
    if (bool(drawn) != bool(viaDib) || (drawn && direct.pixels != converted.pixels))
        __builtin_trap();
    if ((!drawn && drawn.reason.empty()) || (!decoded && decoded.reason.empty()))
        __builtin_trap(); // every refusal says why
    CDXImage::DetectType(file);
    return 0;
}
