#include "image/CDXImageFormat.h"
#include "platform/win32/OleJpegDecoder.h"

// JPEG decoding on Windows: the system's picture service. Recognising a file is shared
// (JpegFormat.cpp); drawing into a surface converts the whole bitmap, as for the other types.
SDecodeResult CDXImageFormatJPEG::Decode(std::span<const std::uint8_t> data) const
{
    return decodeJpegWithOle(data);
}

SDrawResult CDXImageFormatJPEG::DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const
{
    return CDXImageFormat::DecodeInto(data, provide);
}
