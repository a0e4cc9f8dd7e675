// PNG files for the desktop's icons: 8-bit RGBA, stored (uncompressed) deflate blocks, which
// every PNG reader accepts and which need no compression library.
#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

struct SRgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // top row first, red, green, blue, alpha
};

std::vector<uint8_t> encodePng(const SRgbaImage& image);

} // namespace assetgen
