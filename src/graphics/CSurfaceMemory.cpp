#include "graphics/CSurfaceMemory.h"

#include <algorithm>

CSurfaceMemory::CSurfaceMemory(std::int32_t width, std::int32_t height, ESurfaceFormat format,
                               std::uint32_t generation)
    : width_(width), height_(height), pitch_((width * pixelBytes(format) + 3) & ~3),
      format_(format), generation_(generation),
      bytes_(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height))
{
}

void CSurfaceMemory::restored(std::uint32_t generation)
{
    generation_ = generation;
    std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0});
}

bool CSurfaceMemory::validSize(std::int32_t width, std::int32_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}
