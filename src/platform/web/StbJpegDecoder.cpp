#include "platform/web/StbJpegDecoder.h"

#include "image/JpegStructure.h"

#include <stb_image.h>

#include <climits>
#include <memory>

namespace {

struct SStbFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

} // namespace

SDecodeResult decodeJpegWithStb(std::span<const std::uint8_t> data)
{
    const SJpegStructure structure = checkJpegStructure(data);
    if (!structure.refusal.empty()) {
        return SDecodeResult::refused(structure.refusal);
    }
    if (data.size() > static_cast<std::size_t>(INT_MAX)) {
        return SDecodeResult::refused("JPEG: file too large");
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<unsigned char, SStbFree> pixels(
        stbi_load_from_memory(data.data(), static_cast<int>(data.size()), &width, &height, &channels, 4));
    if (!pixels) {
        return SDecodeResult::refused(std::string("JPEG: ") + stbi_failure_reason());
    }
    if (width != structure.width || height != structure.height) {
        return SDecodeResult::refused("JPEG: unexpected output size");
    }
    std::optional<CDib> dib = CDib::allocate(width, height, 32, true);
    if (!dib) {
        return SDecodeResult::refused("JPEG: out of memory");
    }
    // stb gives R, G, B, A; the bitmap holds B, G, R and an unused byte.
    for (int y = 0; y < height; ++y) {
        const unsigned char* from = pixels.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        std::uint8_t* to = dib->writableRow(y);
        for (int x = 0; x < width; ++x, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = 0;
        }
    }
    return {std::move(dib), {}};
}
