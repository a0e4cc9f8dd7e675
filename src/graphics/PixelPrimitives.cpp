#include "graphics/PixelPrimitives.h"

#include "graphics/PixelAccess.h"

#include <cstddef>

namespace {

template <int Bytes>
void putPixel(std::uint8_t* pixels, std::int32_t pitch, std::int32_t x, std::int32_t y, std::uint32_t pixel)
{
    PixelAccess::store(pixels + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * Bytes, Bytes,
                       pixel);
}

template <int Bytes>
std::uint32_t getPixel(const std::uint8_t* pixels, std::int32_t pitch, std::int32_t x, std::int32_t y)
{
    return PixelAccess::load(pixels + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * Bytes,
                             Bytes);
}

template <int Bytes>
constexpr SPixelPrimitives primitives()
{
    return SPixelPrimitives{&putPixel<Bytes>, &getPixel<Bytes>};
}

} // namespace

SPixelPrimitives primitivesForDepth(std::uint32_t depth)
{
    switch (depth) {
    case 8: return primitives<1>();
    case 15:
    case 16: return primitives<2>();
    case 24: return primitives<3>();
    case 32: return primitives<4>();
    default: return {};
    }
}
