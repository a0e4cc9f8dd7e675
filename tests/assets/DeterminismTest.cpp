// The generator paints the same bytes every time: a second run here matches what the build
// wrote, file for file.
#include "PictureFile.h"
#include "pictures/Pictures.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace assettest {
namespace {

TEST(PictureGenerator, TwoRunsWriteIdenticalFiles)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("minne-pictures-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    generatePictures(dir);
    for (const Expected& e : expectedPictures()) {
        const std::vector<uint8_t> again = readBytes(dir / e.name);
        EXPECT_FALSE(again.empty()) << e.name;
        EXPECT_TRUE(again == readBytes(gfxDir() / e.name)) << e.name << " differs between runs";
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace assettest
