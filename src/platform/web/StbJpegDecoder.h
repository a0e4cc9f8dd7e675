#pragma once
#include "image/CDXImage.h"

#include <span>

// A JPEG file decoded by stb_image into a 32-bit device-independent bitmap, top row first.
// stb_image shows what it can of a damaged file, so only files whose markers promise a whole
// picture reach it, and it refuses the same files as the other systems' decoders.
SDecodeResult decodeJpegWithStb(std::span<const std::uint8_t> data);
