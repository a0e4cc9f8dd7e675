// Every picture the program loads is there, in the format and size it expects, and the
// program's own loader reads each one.
#include "PictureFile.h"
#include "Pixels.h"

#include <gtest/gtest.h>

#include <set>

namespace assettest {
namespace {

TEST(PictureFiles, EveryPictureHasItsFormatAndSize)
{
    std::set<int> bmpVariants;
    for (const Expected& e : expectedPictures()) {
        SCOPED_TRACE(e.name);
        const std::vector<uint8_t> bytes = readBytes(gfxDir() / e.name);
        ASSERT_FALSE(bytes.empty()) << "missing or empty";
        std::string why;
        if (e.format == Format::Jpeg) {
            const auto facts = readJpeg(bytes, why);
            ASSERT_TRUE(facts) << why;
            EXPECT_EQ(facts->width, e.width);
            EXPECT_EQ(facts->height, e.height);
            EXPECT_EQ(facts->components, 3);
            continue;
        }
        const auto facts = readBmp(bytes, why);
        ASSERT_TRUE(facts) << why;
        EXPECT_EQ(facts->width, e.width);
        EXPECT_EQ(facts->height, e.height);
        const bool eightBit = e.format != Format::Bmp24;
        EXPECT_EQ(facts->bits, eightBit ? 8 : 24);
        EXPECT_EQ(facts->compression, e.format == Format::Bmp8Rle ? 1 : 0);
        if (eightBit) {
            EXPECT_GE(facts->colours, 2u);
            EXPECT_LE(facts->colours, 256u);
        }
        if (e.format == Format::Bmp8Rle) {
            EXPECT_TRUE(decodeRle8(bytes, *facts, why)) << why;
        }
        bmpVariants.insert(static_cast<int>(e.format));
    }
    // The loader's three BMP paths all meet real pictures.
    EXPECT_EQ(bmpVariants.size(), 3u);
}

TEST(PictureFiles, NothingElseLiesInTheFolder)
{
    std::set<std::string> expected;
    for (const Expected& e : expectedPictures())
        expected.insert(e.name);
    for (const auto& entry : std::filesystem::directory_iterator(gfxDir()))
        EXPECT_TRUE(expected.count(entry.path().filename().string())) << entry.path();
}

TEST(PictureFiles, TheProgramsLoaderReadsEveryPicture)
{
    if (!haveProgramLoader())
        GTEST_SKIP() << "minnespiegel-image is not part of this build";
    for (const Expected& e : expectedPictures()) {
        SCOPED_TRACE(e.name);
        for (const int depth : {16, 32}) {
            const auto picture = loadWithProgram(gfxDir() / e.name, depth);
            ASSERT_TRUE(picture) << "refused at depth " << depth;
            EXPECT_EQ(picture->width, e.width);
            EXPECT_EQ(picture->height, e.height);
        }
    }
}

// A keyed picture must keep its key colour to itself at every display depth, or parts of the
// picture would turn transparent on a 15- or 16-bit display.
TEST(PictureFiles, KeyColoursStayUniqueAtFifteenAndSixteenBits)
{
    if (!haveProgramLoader())
        GTEST_SKIP() << "minnespiegel-image is not part of this build";
    std::vector<std::pair<std::string, std::pair<int, int>>> keyed{
        {"tor.bmp", {15, 55}}, {"eingabe.bmp", {0, 0}}, {"mb_back.bmp", {0, 0}},
        {"mb_music.bmp", {0, 0}}, {"cursor.bmp", {0, 0}}};
    for (int k = 0; k < 67; ++k)
        keyed.push_back({"m1_" + std::to_string(k) + ".bmp", {0, 0}});
    for (const auto& [name, keyAt] : keyed) {
        SCOPED_TRACE(name);
        const auto full = loadWithProgram(gfxDir() / name, 32);
        ASSERT_TRUE(full);
        EXPECT_EQ(full->at(keyAt.first, keyAt.second), kMagenta);
        for (const int depth : {15, 16}) {
            const auto low = loadWithProgram(gfxDir() / name, depth);
            ASSERT_TRUE(low);
            const Colour key = low->at(keyAt.first, keyAt.second);
            int collisions = 0;
            for (int y = 0; y < full->height; ++y)
                for (int x = 0; x < full->width; ++x)
                    collisions += full->at(x, y) != kMagenta && low->at(x, y) == key;
            EXPECT_EQ(collisions, 0) << "at depth " << depth;
        }
    }
}

} // namespace
} // namespace assettest
