#include "image/CDXImageFormat.h"
#include "platform/web/StbJpegDecoder.h"

// JPEG decoding in the browser: stb_image. Recognising a file is shared (JpegFormat.cpp);
// drawing into a surface converts the whole bitmap, as for the other types.
SDecodeResult CDXImageFormatJPEG::Decode(std::span<const std::uint8_t> data) const
{
    return decodeJpegWithStb(data);
}

SDrawResult CDXImageFormatJPEG::DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const
{
    return CDXImageFormat::DecodeInto(data, provide);
}
