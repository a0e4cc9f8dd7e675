#include "image/JpegStructure.h"

#include "TestSupport.h"

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

// What libjpeg-turbo itself makes of the file, as 0x00RRGGBB.
Pixels referenceDecode(const Bytes& file)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Pixels out;
    Bytes row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&cinfo, &r, 1);
        for (std::size_t x = 0; x < cinfo.output_width; ++x)
            out.push_back(std::uint32_t(row[3 * x]) << 16 | std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x + 2]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

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

// The structure check finds the frame size libjpeg decodes; the pixels are libjpeg's own.
TEST(JpegDecoder, MatchesLibjpegForColourGreyAndProgressive)
{
    Bytes grey(13 * 9);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = std::uint8_t(i * 2);
    for (const Bytes& file : {colourPicture(37, 21), colourPicture(37, 21, true), encodeJpeg(grey, 13, 9, 1)}) {
        ASSERT_EQ(CDXImage::DetectType(file), EImageType::JPEG);
        const SJpegStructure found = checkJpegStructure(file);
        EXPECT_EQ(found.refusal, "");
        const SDecodeResult result = load(file);
        ASSERT_TRUE(result) << result.reason;
        EXPECT_EQ(result.dib->width(), found.width);
        EXPECT_EQ(result.dib->height(), found.height);
        EXPECT_TRUE(result.dib->topDown());
        EXPECT_EQ(render(*result.dib), referenceDecode(file));
    }
    EXPECT_EQ(checkJpegStructure(colourPicture(37, 21)).width, 37);
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
