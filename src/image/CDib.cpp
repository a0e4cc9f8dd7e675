#include "image/CDib.h"

#include <cassert>
#include <new>

namespace {

bool isDibDepth(std::uint8_t bitsPerPixel)
{
    return bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

bool isAcceptedSide(std::int32_t side)
{
    return side >= 1 && side <= kMaxImageSide;
}

} // namespace

std::size_t CDib::stride(std::int32_t width, std::uint8_t bitsPerPixel)
{
    return (std::size_t(bitsPerPixel) * std::size_t(width) + 31) / 32 * 4;
}

std::optional<CDib> CDib::allocate(std::int32_t width, std::int32_t height,
                                   std::uint8_t bitsPerPixel, bool topDown)
{
    if (!isAcceptedSide(width) || !isAcceptedSide(height) || !isDibDepth(bitsPerPixel))
        return std::nullopt;
    CDib dib;
    dib.width_ = width;
    dib.height_ = height;
    dib.bitsPerPixel_ = bitsPerPixel;
    dib.topDown_ = topDown;
    dib.stride_ = stride(width, bitsPerPixel);
    // Left uncleared: every decoder writes each byte it shows, and clearing would cost as much
    // as the decoding of an uncompressed file.
    dib.storage_.reset(new (std::nothrow) std::uint8_t[dib.stride_ * std::size_t(height)]);
    if (!dib.storage_)
        return std::nullopt;
    dib.rows_ = dib.storage_.get();
    return dib;
}

CDib CDib::borrow(std::int32_t width, std::int32_t height, std::uint8_t bitsPerPixel,
                  bool topDown, std::span<const std::uint8_t> rows, std::size_t rowStride)
{
    assert(isAcceptedSide(width) && isAcceptedSide(height) && isDibDepth(bitsPerPixel));
    CDib dib;
    dib.width_ = width;
    dib.height_ = height;
    dib.bitsPerPixel_ = bitsPerPixel;
    dib.topDown_ = topDown;
    dib.stride_ = rowStride == 0 ? stride(width, bitsPerPixel) : rowStride;
    assert(dib.stride_ >= stride(width, bitsPerPixel) && dib.stride_ % 4 == 0);
    assert(rows.size() >= dib.stride_ * std::size_t(height - 1) + stride(width, bitsPerPixel));
    dib.rows_ = rows.data();
    return dib;
}
