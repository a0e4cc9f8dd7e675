#include "TestSupport.h"

#include <cstdlib>

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

// The offset of the SOF0/SOF2 frame header's height field.
std::size_t frameSizeOffset(const Bytes& file)
{
    for (std::size_t i = 2; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2))
            return i + 5;
    return 0;
}

TEST(JpegDecoder, MatchesLibjpegForColourGreyAndProgressive)
{
    for (bool progressive : {false, true}) {
        const Bytes file = colourPicture(37, 21, progressive);
        ASSERT_EQ(CDXImage::DetectType(file), ImageType::JPEG);
        const CDecodeResult result = load(file);
        ASSERT_TRUE(result) << result.reason;
        EXPECT_EQ(result.dib->width(), 37);
        EXPECT_EQ(result.dib->height(), 21);
        EXPECT_TRUE(result.dib->topDown());
        EXPECT_EQ(render(*result.dib), referenceDecode(file)) << "progressive " << progressive;
    }
    Bytes grey(13 * 9);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = std::uint8_t(i * 2);
    const Bytes greyFile = encodeJpeg(grey, 13, 9, 1);
    EXPECT_EQ(decodeAndRender(greyFile), referenceDecode(greyFile));
}

TEST(JpegDecoder, RefusesTruncatedAndDamagedFiles)
{
    const Bytes file = colourPicture(64, 48);
    EXPECT_FALSE(load(Bytes(file.begin(), file.begin() + file.size() / 2)));
    EXPECT_FALSE(load(Bytes(file.begin(), file.end() - 2))) << "without the end marker";
    EXPECT_FALSE(load(Bytes(file.begin(), file.begin() + 20)));
    EXPECT_FALSE(load(Bytes(file.begin(), file.begin() + 1), ImageType::JPEG));
    EXPECT_FALSE(load({}, ImageType::JPEG));
    Bytes noise = file;
    for (std::size_t i = 0; i < 200; ++i)
        noise[(i * 7919) % noise.size()] ^= std::uint8_t(i | 1);
    load(noise); // whatever it decides, it must come back
}

TEST(JpegDecoder, RefusesPicturesLargerThanTheLimit)
{
    Bytes file = colourPicture(16, 16);
    const std::size_t at = frameSizeOffset(file);
    ASSERT_NE(at, 0u);
    file[at] = 0x40; // height 16384 + 16
    file[at + 1] = 0x10;
    const CDecodeResult result = load(file);
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("16384"), std::string::npos) << result.reason;
}

TEST(JpegDecoder, RefusesFilesTheLibraryCannotConvert)
{
    const Bytes notJpeg = makeBmp({.width = 1, .height = 1, .pixelData = {1, 2, 3, 0}});
    const CDecodeResult result = load(notJpeg, ImageType::JPEG);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason.rfind("JPEG: ", 0), 0u) << result.reason;
}

} // namespace

namespace {

// A header that claims far more blocks than the file has bits is refused before decoding.
TEST(JpegDecoder, RefusesHeadersClaimingMoreThanTheFileCanHold)
{
    Bytes file = colourPicture(16, 16);
    const std::size_t at = frameSizeOffset(file);
    file[at] = 0x30; // height 12304
    file[at + 1] = 0x10;
    file[at + 2] = 0x30; // width 12304
    file[at + 3] = 0x10;
    const CDecodeResult result = load(file);
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("too short"), std::string::npos) << result.reason;
}

} // namespace
