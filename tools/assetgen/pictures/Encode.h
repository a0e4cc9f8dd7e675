// Turning painted canvases into files: 8-bit pixels, colour keys that survive any display depth,
// BMP (24-bit, 8-bit with a colour table, RLE8) and JPEG with a JFIF header.
#pragma once
#include "pictures/Canvas.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen {

struct SImage8 {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first, red, green, blue

    std::array<uint8_t, 3> pixel(int x, int y) const;
    void setPixel(int x, int y, std::array<uint8_t, 3> colour);
};

struct SIndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> index;                  // top row first
    std::vector<std::array<uint8_t, 3>> palette; // red, green, blue
};

// The key colour of every keyed picture. No painted pixel may look like it at 15 bits per pixel.
constexpr std::array<uint8_t, 3> kKeyColour{255, 0, 255};

// Rounds to 8 bits with a faint ordered dither, so slow gradients do not band.
SImage8 toImage8(const CCanvas& canvas);
// Pixels whose alpha is below one half become the key colour; painted pixels are kept clear of it.
SImage8 toKeyedImage8(const CCanvas& canvas, const CMask& alpha);
CCanvas toCanvas(const SImage8& image);

// Median-cut reduction to at most maxColours entries; the key colour, when present, keeps an
// exact entry of its own at index 0.
SIndexedImage quantize(const SImage8& image, int maxColours);

std::vector<uint8_t> encodeBmp24(const SImage8& image);
std::vector<uint8_t> encodeBmp8(const SIndexedImage& image, bool runLength);
std::vector<uint8_t> encodeJpeg(const SImage8& image, int quality);
// The same decoding the program uses for JPEG (libjpeg-turbo defaults), so picture parts that
// must match a JPEG background pixel for pixel can be cut from what the program will show.
SImage8 decodeJpeg(const std::vector<uint8_t>& bytes);

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

} // namespace assetgen
