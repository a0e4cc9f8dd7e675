#include "image/JpegStructure.h"

#include "FixtureFiles.h"
#include "TestSupport.h"

using namespace pictures;

namespace {

Bytes colourPicture(int width, int height)
{
    return encodeJpeg(scenePixels(width, height), width, height, 3);
}

// A 16 × 16 picture whose frame header claims another size.
Bytes claimingSize(int width, int height)
{
    Bytes file = colourPicture(16, 16);
    for (std::size_t at = 2; at + 9 < file.size(); ++at) {
        if (file[at] == 0xFF && file[at + 1] == 0xC0) {
            const Bytes size{std::uint8_t(height >> 8), std::uint8_t(height), std::uint8_t(width >> 8),
                             std::uint8_t(width)};
            std::copy(size.begin(), size.end(), file.begin() + std::ptrdiff_t(at) + 5);
            return file;
        }
    }
    ADD_FAILURE() << "no frame header";
    return file;
}

TEST(JpegDecoder, RefusesSizesBeyondTheLimitOrBeyondWhatTheFileCanHold)
{
    SDecodeResult result = load(claimingSize(16, 16384 + 16));
    EXPECT_NE(result.reason.find("16384"), std::string::npos) << result.reason;
    // Far more blocks than the file has bits: refused before decoding.
    result = load(claimingSize(12304, 12304));
    EXPECT_NE(result.reason.find("too short"), std::string::npos) << result.reason;
    result = load(makeBmp({.width = 1, .height = 1, .pixelData = {1, 2, 3, 0}}), EImageType::JPEG);
    EXPECT_EQ(result.reason.rfind("JPEG: ", 0), 0u) << result.reason;
}

// The pixels are the decoding library's own, checked against the fixtures' references; the
// structure check finds the frame size it decodes.
TEST(JpegStructure, FindsTheFrameSizeAndRefusesWhatCannotBeAPicture)
{
    for (const char* name : {"jpeg.jpg", "jpeg-progressive.jpg", "jpeg-grey.jpg"}) {
        const SJpegStructure found = checkJpegStructure(readBytes(fixturePath(name)));
        EXPECT_EQ(found.refusal + " " + std::to_string(found.width) + " x " + std::to_string(found.height),
                  " 23 x 17")
            << name;
    }
    EXPECT_EQ(checkJpegStructure(claimingSize(16384, 16384)).refusal, "JPEG: file too short for its picture");
    EXPECT_EQ(checkJpegStructure(claimingSize(0, 16)).refusal, "JPEG: empty picture");
    EXPECT_EQ(checkJpegStructure(makeBmp({.width = 1, .height = 1, .pixelData = {1, 2, 3, 0}})).refusal,
              "JPEG: not a JPEG file");

    Bytes longSegment = colourPicture(16, 16);
    longSegment[4] = 0xFF; // the first segment's length now runs past the end
    EXPECT_EQ(checkJpegStructure(longSegment).refusal, "JPEG: segment runs past the end of the file");
    const Bytes noScan = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_EQ(checkJpegStructure(noScan).refusal, "JPEG: no picture data in the file");

    // An end marker inside an application segment (as an embedded thumbnail would be) does not
    // count; the picture cut in its scan data is refused.
    const Bytes file = colourPicture(64, 48);
    Bytes withThumbnail = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0xFF, 0xD9};
    withThumbnail.insert(withThumbnail.end(), file.begin() + 2, file.end());
    EXPECT_EQ(checkJpegStructure(withThumbnail).refusal, "");
    const Bytes cut(withThumbnail.begin(),
                    withThumbnail.begin() + std::ptrdiff_t(withThumbnail.size() * 3 / 4));
    EXPECT_EQ(checkJpegStructure(cut).refusal, "JPEG: file ends before its end marker");
}

} // namespace
