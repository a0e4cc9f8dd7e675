// The Windows icon file: several square pictures of one icon, each a 32-bit bitmap with its
// alpha channel and the one-bit mask older systems draw with.
#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

struct SIconImage {
    int size = 0;                // width and height in pixels, 1 to 256
    std::vector<uint32_t> bgra;  // size × size pixels, top row first, 0xAARRGGBB
};

// The bytes of an .ico file holding the images in the order given.
std::vector<uint8_t> encodeIco(const std::vector<SIconImage>& images);

} // namespace assetgen
