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

// A small picture whose frame header (SOF0) claims another size.
Bytes claimingSize(int width, int height)
{
    Bytes file = colourPicture(16, 16);
    std::size_t at = 2;
    while (at + 9 < file.size() && !(file[at] == 0xFF && file[at + 1] == 0xC0))
        ++at;
    if (at + 9 >= file.size()) {
        ADD_FAILURE() << "no frame header";
        return file;
    }
    file[at + 5] = std::uint8_t(height >> 8);
    file[at + 6] = std::uint8_t(height);
    file[at + 7] = std::uint8_t(width >> 8);
    file[at + 8] = std::uint8_t(width);
    return file;
}

TEST(JpegDecoder, MatchesLibjpegForColourGreyAndProgressive)
{
    for (bool progressive : {false, true}) {
        const Bytes file = colourPicture(37, 21, progressive);
        ASSERT_EQ(CDXImage::DetectType(file), EImageType::JPEG);
        const SDecodeResult result = load(file);
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
    EXPECT_FALSE(load(Bytes(file.begin(), file.begin() + 1), EImageType::JPEG));
    EXPECT_FALSE(load({}, EImageType::JPEG));
    Bytes noise = file;
    for (std::size_t i = 0; i < 200; ++i)
        noise[(i * 7919) % noise.size()] ^= std::uint8_t(i | 1);
    load(noise); // whatever it decides, it must come back
}

TEST(JpegDecoder, RefusesSizesBeyondTheLimitOrBeyondWhatTheFileCanHold)
{
    SDecodeResult result = load(claimingSize(16, 16384 + 16));
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("16384"), std::string::npos) << result.reason;
    // Far more blocks than the file has bits: refused before decoding.
    result = load(claimingSize(12304, 12304));
    EXPECT_FALSE(result);
    EXPECT_NE(result.reason.find("too short"), std::string::npos) << result.reason;
}

TEST(JpegDecoder, RefusesFilesTheLibraryCannotConvert)
{
    const Bytes notJpeg = makeBmp({.width = 1, .height = 1, .pixelData = {1, 2, 3, 0}});
    const SDecodeResult result = load(notJpeg, EImageType::JPEG);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason.rfind("JPEG: ", 0), 0u) << result.reason;
}

} // namespace
