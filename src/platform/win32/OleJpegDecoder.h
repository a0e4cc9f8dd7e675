#pragma once
#include "image/CDXImage.h"

#include <span>

// A JPEG file decoded by the system's picture service: loaded from a stream over the file's
// bytes and rendered at its pixel size into a 32-bit device-independent bitmap, top row first.
// Only files whose markers promise a whole picture reach the service.
SDecodeResult decodeJpegWithOle(std::span<const std::uint8_t> data);
