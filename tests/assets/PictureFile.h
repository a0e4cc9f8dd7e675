// What the program expects in its gfx folder, and readers for the headers of the files there.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace assettest {

enum class Format { Jpeg, Bmp24, Bmp8, Bmp8Rle };

struct Expected {
    std::string name;
    Format format;
    int width;
    int height;
};

// Every picture the program loads, in its format and size.
std::vector<Expected> expectedPictures();
std::filesystem::path gfxDir();
std::vector<uint8_t> readBytes(const std::filesystem::path& path);

struct BmpFacts {
    int width = 0, height = 0, bits = 0, compression = 0;
    uint32_t offBits = 0, fileSize = 0, colours = 0;
};
// Reads and checks the headers; the reason for a refusal goes to why.
std::optional<BmpFacts> readBmp(const std::vector<uint8_t>& bytes, std::string& why);
// Decodes an RLE8 stream strictly: every row filled exactly, every index inside the table, the
// end-of-bitmap code last. Rows come out bottom first.
std::optional<std::vector<uint8_t>> decodeRle8(const std::vector<uint8_t>& bytes, const BmpFacts& facts,
                                               std::string& why);

struct JpegFacts {
    int width = 0, height = 0, components = 0;
};
std::optional<JpegFacts> readJpeg(const std::vector<uint8_t>& bytes, std::string& why);

} // namespace assettest
