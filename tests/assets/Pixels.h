// The generated pictures as the program sees them: decoded by its own loader at a display depth.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace assettest {

using Colour = std::array<uint8_t, 3>;
constexpr Colour kMagenta{255, 0, 255};

// How the program's loader must meet each file: JPEG, or BMP at 24 bits, 8 bits, 8 bits RLE.
enum class EFormat { Jpeg, Bmp24, Bmp8, Bmp8Rle };

struct SExpected {
    std::string name;
    EFormat format;
    int width;
    int height;
};

std::vector<SExpected> expectedPictures();
std::filesystem::path gfxDir();
std::vector<uint8_t> readBytes(const std::filesystem::path& path);

struct SPicture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The picture as the loader draws it into a surface of this depth, each pixel read back as
// 8-bit channels (narrow channels shifted up), or nothing when the loader refuses it.
std::optional<SPicture> loadPicture(const std::filesystem::path& file, int depth = 32);

} // namespace assettest
