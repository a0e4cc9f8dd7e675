#include "platform/web/StbJpegDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The same picture decoded by another JPEG decoder may differ a little in rounding.
constexpr int kChannelTolerance = 3;

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SPpm {
    int width = 0;
    int height = 0;
    Bytes rgb;
};

// A binary PPM with 255 as its largest value, as the Linux build's picture tool writes it.
SPpm readPpm(const std::filesystem::path& path)
{
    const Bytes file = readFile(path);
    std::istringstream header(std::string(file.begin(), file.begin() + std::min<std::size_t>(file.size(), 64)));
    std::string magic;
    int maxValue = 0;
    SPpm ppm;
    header >> magic >> ppm.width >> ppm.height >> maxValue;
    const std::size_t start = std::size_t(header.tellg()) + 1;
    if (magic != "P6" || maxValue != 255 || file.size() != start + std::size_t(ppm.width) * ppm.height * 3) {
        ADD_FAILURE() << path << " is no picture tool PPM";
        return {};
    }
    ppm.rgb.assign(file.begin() + std::ptrdiff_t(start), file.end());
    return ppm;
}

std::vector<std::filesystem::path> programJpegs()
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(MINNE_DATA_DIR) / "gfx")) {
        if (entry.path().extension() == ".jpg") {
            found.push_back(entry.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

int largestDifference(const CDib& dib, const SPpm& reference)
{
    int largest = 0;
    for (int y = 0; y < reference.height; ++y) {
        const std::uint8_t* row = dib.row(y);
        for (int x = 0; x < reference.width; ++x) {
            const std::uint8_t* want = &reference.rgb[(std::size_t(y) * reference.width + x) * 3];
            const int got[3] = {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
            for (int c = 0; c < 3; ++c) {
                largest = std::max(largest, std::abs(got[c] - want[c]));
            }
        }
    }
    return largest;
}

TEST(StbJpegDecoder, DecodesTheProgramsPicturesAsTheLinuxBuildDoes)
{
    const std::vector<std::filesystem::path> pictures = programJpegs();
    ASSERT_FALSE(pictures.empty());
    for (const std::filesystem::path& picture : pictures) {
        const SPpm reference = readPpm(std::filesystem::path(MINNE_JPEG_REFERENCE_DIR) / picture.stem().concat(".ppm"));
        const SDecodeResult decoded = decodeJpegWithStb(readFile(picture));
        ASSERT_TRUE(decoded) << picture << ": " << decoded.reason;
        EXPECT_EQ(decoded.dib->width(), reference.width) << picture;
        ASSERT_EQ(decoded.dib->height(), reference.height) << picture;
        EXPECT_TRUE(decoded.dib->topDown());
        EXPECT_LE(largestDifference(*decoded.dib, reference), kChannelTolerance) << picture;
    }
}

TEST(StbJpegDecoder, RefusesTruncatedDamagedAndForeignFiles)
{
    const Bytes file = readFile(programJpegs().front());
    for (std::size_t size : {file.size() / 2, file.size() - 2, file.size() - 1, std::size_t(20), std::size_t(1), std::size_t(0)}) {
        const SDecodeResult cut = decodeJpegWithStb({file.data(), size});
        EXPECT_FALSE(cut) << size;
        EXPECT_EQ(cut.reason.rfind("JPEG: ", 0), 0u) << cut.reason;
    }
    Bytes noise = file;
    for (std::size_t i = 0; i < 200; ++i) {
        noise[(i * 7919) % noise.size()] ^= std::uint8_t(i | 1);
    }
    decodeJpegWithStb(noise); // whatever it decides, it must come back

    for (const auto& [side, why] : {std::pair(16384 + 16, "16384"), std::pair(16000, "too short")}) {
        Bytes claiming = file;
        std::size_t at = 2;
        while (at + 9 < claiming.size() && !(claiming[at] == 0xFF && (claiming[at + 1] & 0xF0) == 0xC0 &&
                                             claiming[at + 1] != 0xC4)) {
            ++at;
        }
        ASSERT_LT(at + 9, claiming.size()) << "no frame header";
        claiming[at + 5] = claiming[at + 7] = std::uint8_t(side >> 8);
        claiming[at + 6] = claiming[at + 8] = std::uint8_t(side);
        const SDecodeResult refused = decodeJpegWithStb(claiming);
        EXPECT_FALSE(refused);
        EXPECT_NE(refused.reason.find(why), std::string::npos) << refused.reason;
    }

    Bytes bitmap = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    bitmap.resize(62, 0);
    const SDecodeResult foreign = decodeJpegWithStb(bitmap);
    EXPECT_FALSE(foreign);
    EXPECT_EQ(foreign.reason, "JPEG: not a JPEG file");
}

} // namespace
