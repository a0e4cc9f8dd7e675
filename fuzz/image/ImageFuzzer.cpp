// Feeds arbitrary bytes to detection, every decoder and the conversion into each surface
// format. The first byte picks the forced type (0: detect) and the surface format.
#include "image/CDXImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr SurfaceFormat kFormats[] = {SurfaceFormat::Bgrx32, SurfaceFormat::Bgr24, SurfaceFormat::Rgb565,
                                      SurfaceFormat::Rgb555};

void convert(const CDib& dib, SurfaceFormat format)
{
    const std::size_t pitch = std::size_t(dib.width()) * bytesPerPixel(format) + 4;
    std::vector<std::uint8_t> surface(pitch * std::size_t(dib.height()));
    if (!ConvertDib(dib, format, surface, pitch))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t selector = data[0];
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    const auto forced = static_cast<ImageType>(selector % 6);
    const CDecodeResult result = CDXImage{}.LoadFromMemory(file, forced);
    if (result)
        convert(*result.dib, kFormats[(selector / 6) % 4]);
    else if (result.reason.empty())
        __builtin_trap(); // every refusal says why
    CDXImage::DetectType(file);
    return 0;
}
