#include "image/JpegStructure.h"

#include "TestSupport.h"

using namespace pictures;

namespace {

Bytes colourPicture(int width, int height, bool progressive = false)
{
    return encodeJpeg(scenePixels(width, height), width, height, 3, 90, progressive);
}

// A 16 × 16 picture whose frame header claims another size.
Bytes claimingSize(int width, int height)
{
    Bytes file = colourPicture(16, 16);
    for (std::size_t at = 2; at + 9 < file.size(); ++at) {
        if (file[at] == 0xFF && file[at + 1] == 0xC0) {
            file[at + 5] = std::uint8_t(height >> 8);
            file[at + 6] = std::uint8_t(height);
            file[at + 7] = std::uint8_t(width >> 8);
            file[at + 8] = std::uint8_t(width);
            return file;
        }
    }
    ADD_FAILURE() << "no frame header";
    return file;
}

TEST(JpegStructure, WholeFilesGiveTheirFrameSize)
{
    for (bool progressive : {false, true}) {
        const SJpegStructure found = checkJpegStructure(colourPicture(37, 21, progressive));
        EXPECT_EQ(found.refusal, "") << "progressive " << progressive;
        EXPECT_EQ(found.width, 37);
        EXPECT_EQ(found.height, 21);
    }
    const Bytes grey(13 * 9, 0x80);
    const SJpegStructure found = checkJpegStructure(encodeJpeg(grey, 13, 9, 1));
    EXPECT_EQ(found.refusal, "");
    EXPECT_EQ(found.width, 13);
}

TEST(JpegStructure, EveryTruncationIsRefused)
{
    for (bool progressive : {false, true}) {
        const Bytes file = colourPicture(24, 16, progressive);
        for (std::size_t size = 0; size < file.size(); ++size) {
            const SJpegStructure found = checkJpegStructure({file.data(), size});
            EXPECT_EQ(found.refusal.rfind("JPEG: ", 0), 0u) << size << " of " << file.size();
        }
    }
}

TEST(JpegStructure, AnEndMarkerInsideASegmentDoesNotCount)
{
    // An application segment (as an embedded thumbnail would be) holding FF D9, then the
    // picture cut in its scan data.
    const Bytes file = colourPicture(64, 48);
    Bytes withThumbnail = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0xFF, 0xD9};
    withThumbnail.insert(withThumbnail.end(), file.begin() + 2, file.end());
    EXPECT_EQ(checkJpegStructure(withThumbnail).refusal, "");
    const Bytes cut(withThumbnail.begin(), withThumbnail.begin() + std::ptrdiff_t(withThumbnail.size() * 3 / 4));
    EXPECT_EQ(checkJpegStructure(cut).refusal, "JPEG: file ends before its end marker");
}

TEST(JpegStructure, RefusesWhatCannotBeAPicture)
{
    EXPECT_NE(checkJpegStructure(claimingSize(16, 16384 + 16)).refusal.find("16384"), std::string::npos);
    EXPECT_EQ(checkJpegStructure(claimingSize(16384, 16384)).refusal, "JPEG: file too short for its picture");
    EXPECT_EQ(checkJpegStructure(claimingSize(0, 16)).refusal, "JPEG: empty picture");
    EXPECT_EQ(checkJpegStructure(makeBmp({.width = 1, .height = 1, .pixelData = {1, 2, 3, 0}})).refusal,
              "JPEG: not a JPEG file");

    Bytes longSegment = colourPicture(16, 16);
    longSegment[4] = 0xFF; // the first segment's length now runs past the end
    EXPECT_EQ(checkJpegStructure(longSegment).refusal, "JPEG: segment runs past the end of the file");
    const Bytes noScan = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_EQ(checkJpegStructure(noScan).refusal, "JPEG: no picture data in the file");
}

} // namespace
