#pragma once
// The pictures under fixtures/, written by ImageMagick, and its own reading of each as PPM.
#include "PictureFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace pictures {

inline constexpr const char* kFixtureNames[] = {
    "bmp24.bmp", "bmp8.bmp", "bmp8rle.bmp", "bmp8v4.bmp", "bmp8v5.bmp", "bmp8v5rle.bmp", "bmp8os2v2.bmp",
    "pcx24.pcx", "pcx8.pcx", "psd-raw.psd", "psd-rle.psd", "jpeg.jpg", "jpeg-progressive.jpg", "jpeg-grey.jpg",
    "tga24.tga", "tga24rle.tga", "tga8.tga"};

inline std::filesystem::path fixturePath(const std::string& name)
{
    return std::filesystem::path(MINNE_SOURCE_DIR) / "tests" / "image" / "fixtures" / name;
}

inline Bytes readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct PpmPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first
};

// A binary PPM with maxval 255 and single-space or newline separated header fields.
inline std::optional<PpmPicture> parsePpm(const Bytes& file)
{
    std::string text(file.begin(), file.end());
    std::istringstream header(text);
    std::string magic;
    int maxval = 0;
    PpmPicture ppm;
    if (!(header >> magic >> ppm.width >> ppm.height >> maxval) || magic != "P6" || maxval != 255)
        return std::nullopt;
    const std::size_t start = std::size_t(header.tellg()) + 1;
    const std::size_t count = std::size_t(ppm.width) * ppm.height;
    if (file.size() != start + count * 3)
        return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &file[start + 3 * i];
        ppm.pixels.push_back(std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]);
    }
    return ppm;
}

} // namespace pictures
