#pragma once
// The checks every system's own JPEG decoder must pass: the program's pictures decoded as the
// Linux build decodes them with libjpeg (its picture tool's PPM files), within a little
// rounding, and damaged or foreign files refused with a reason.
#include "image/CDXImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

namespace jpegchecks {

using Bytes = std::vector<std::uint8_t>;
using Decoder = std::function<SDecodeResult(std::span<const std::uint8_t>)>;

inline Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::filesystem::path> programJpegs()
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(MINNE_DATA_DIR) / "gfx"))
        if (entry.path().extension() == ".jpg")
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

// The largest difference of one channel from the picture tool's binary PPM (largest value 255).
inline int largestDifference(const CDib& dib, const std::filesystem::path& ppmFile)
{
    const Bytes file = readFile(ppmFile);
    std::istringstream header(std::string(file.begin(), file.begin() + std::min<std::size_t>(file.size(), 64)));
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    header >> magic >> width >> height >> maxValue;
    const std::size_t start = std::size_t(header.tellg()) + 1;
    if (magic != "P6" || maxValue != 255 || width != dib.width() || height != dib.height() ||
        file.size() != start + std::size_t(width) * height * 3)
        return 256;
    int largest = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const int want = file[start + (std::size_t(y) * width + x) * 3 + c];
                largest = std::max(largest, std::abs(dib.row(y)[4 * x + 2 - c] - want));
            }
    return largest;
}

inline void decodesTheProgramsPicturesAsTheLinuxBuildDoes(const Decoder& decode)
{
    const std::vector<std::filesystem::path> pictures = programJpegs();
    ASSERT_FALSE(pictures.empty());
    for (const std::filesystem::path& picture : pictures) {
        const SDecodeResult decoded = decode(readFile(picture));
        ASSERT_TRUE(decoded) << picture << ": " << decoded.reason;
        EXPECT_TRUE(decoded.dib->topDown());
        // Another decoder may differ a little in rounding.
        EXPECT_LE(largestDifference(*decoded.dib, std::filesystem::path(MINNE_JPEG_REFERENCE_DIR) /
                                                      picture.stem().concat(".ppm")),
                  3)
            << picture;
    }
}

inline void refusesTruncatedDamagedAndForeignFiles(const Decoder& decode)
{
    const Bytes file = readFile(programJpegs().front());
    for (std::size_t size : {file.size() / 2, file.size() - 2, file.size() - 1, std::size_t(20), std::size_t(1), std::size_t(0)}) {
        const SDecodeResult cut = decode({file.data(), size});
        EXPECT_FALSE(cut) << size;
        EXPECT_EQ(cut.reason.rfind("JPEG: ", 0), 0u) << cut.reason;
    }
    Bytes noise = file;
    for (std::size_t i = 0; i < 200; ++i)
        noise[(i * 7919) % noise.size()] ^= std::uint8_t(i | 1);
    decode(noise); // whatever it decides, it must come back

    // Frame headers claiming more than a picture may have, or more than the file holds.
    for (const auto& [side, why] : {std::pair(16384 + 16, "16384"), std::pair(16000, "too short")}) {
        Bytes claiming = file;
        std::size_t at = 2;
        while (at + 9 < claiming.size() &&
               !(claiming[at] == 0xFF && (claiming[at + 1] & 0xF0) == 0xC0 && claiming[at + 1] != 0xC4))
            ++at;
        ASSERT_LT(at + 9, claiming.size()) << "no frame header";
        claiming[at + 5] = claiming[at + 7] = std::uint8_t(side >> 8);
        claiming[at + 6] = claiming[at + 8] = std::uint8_t(side);
        const SDecodeResult refused = decode(claiming);
        EXPECT_FALSE(refused);
        EXPECT_NE(refused.reason.find(why), std::string::npos) << refused.reason;
    }

    // A bitmap, handed to the JPEG decoder.
    Bytes bitmap = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    bitmap.resize(62, 0);
    EXPECT_EQ(decode(bitmap).reason, "JPEG: not a JPEG file");
}

} // namespace jpegchecks
