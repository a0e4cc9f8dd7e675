#include "TestSupport.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>

using namespace pictures;

namespace {

Bytes smallBmp()
{
    return makeBmp({.width = 2, .height = 2, .bitCount = 24, .pixelData = dibRows(2, 2, 3, patternColor)});
}

Bytes smallTga(bool footer = true)
{
    return makeTga({.width = 2, .height = 1, .pixelDepth = 24, .pixelData = Bytes(6, 0x40), .footer = footer});
}

// A JPEG whose first segment after the start marker is Exif instead of JFIF.
Bytes exifJpeg()
{
    Bytes jfif = encodeJpeg(Bytes(8 * 8 * 3, 0x80), 8, 8, 3);
    Bytes exif{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x08, 'E', 'x', 'i', 'f', 0, 0};
    exif.insert(exif.end(), jfif.begin() + 2, jfif.end());
    return exif;
}

TEST(DetectType, RecognisesEachTypeByContent)
{
    EXPECT_EQ(CDXImage::DetectType(smallBmp()), EImageType::BMP);
    EXPECT_EQ(CDXImage::DetectType(smallTga()), EImageType::TGA);
    EXPECT_EQ(CDXImage::DetectType(makePsd({.planes = {{1}, {2}, {3}}})), EImageType::PSD);
    EXPECT_EQ(CDXImage::DetectType(makePcx({.pixelData = {1, 2}})), EImageType::PCX);
    EXPECT_EQ(CDXImage::DetectType(encodeJpeg(Bytes(3, 0), 1, 1, 3)), EImageType::JPEG);
}

TEST(DetectType, TargaFooterWinsOverABitmapSignature)
{
    Bytes file = smallBmp();
    Bytes tga = smallTga();
    file.insert(file.end(), tga.end() - 26, tga.end()); // the footer
    file[16] = 24;                                       // header byte 16 read as the Targa depth
    EXPECT_EQ(CDXImage::DetectType(file), EImageType::TGA);
    file[16] = 15; // no valid Targa depth: the bitmap test decides
    EXPECT_EQ(CDXImage::DetectType(file), EImageType::BMP);
}

TEST(DetectType, RejectsNearMisses)
{
    EXPECT_EQ(CDXImage::DetectType(smallTga(false)), EImageType::None) << "Targa without footer";
    EXPECT_EQ(CDXImage::DetectType(exifJpeg()), EImageType::None);
    // Only the version's high byte is part of the signature.
    EXPECT_EQ(CDXImage::DetectType(makePsd({.version = 0x100, .planes = {{1}, {2}, {3}}})), EImageType::None);
    const Bytes psd2 = makePsd({.version = 2, .planes = {{1}, {2}, {3}}});
    EXPECT_EQ(CDXImage::DetectType(psd2), EImageType::PSD);
    EXPECT_FALSE(load(psd2)) << "but version 2 is not decoded";
    Bytes pcx = makePcx({.pixelData = Bytes(20, 1)});
    pcx[2] = 0; // not run-length encoded
    EXPECT_EQ(CDXImage::DetectType(pcx), EImageType::None);
    pcx[2] = 1;
    pcx[1] = 3;
    EXPECT_EQ(CDXImage::DetectType(pcx), EImageType::None);
}

TEST(DetectType, ShortDataIsOfNoTypeAndNeverReadOutside)
{
    EXPECT_EQ(CDXImage::DetectType({}), EImageType::None);
    const Bytes bm{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(CDXImage::DetectType(bm), EImageType::None) << "17 bytes";
    Bytes footerOnly(18, 0);
    std::memcpy(footerOnly.data(), "TRUEVISION-XFILE", 16);
    footerOnly[16] = 8; // header and footer overlap in the smallest detectable file
    EXPECT_EQ(CDXImage::DetectType(footerOnly), EImageType::TGA);
    EXPECT_FALSE(load(footerOnly)) << "image type 'T'";
    footerOnly[16] = 7;
    EXPECT_EQ(CDXImage::DetectType(footerOnly), EImageType::None);
    Bytes exact(18, 0);
    exact[0] = 'B';
    exact[1] = 'M';
    EXPECT_EQ(CDXImage::DetectType(exact), EImageType::BMP);
}

TEST(CDXImage, UnrecognisedDataWritesTheDebuggerTextAndRefuses)
{
    std::vector<std::string> debug;
    const CDXImage loader([&](std::string_view text) { debug.emplace_back(text); });
    const SDecodeResult result = loader.LoadFromMemory(smallTga(false));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(debug, std::vector<std::string>{"Error: CDXImage - Unsupported Image type."});
    EXPECT_FALSE(loader.LoadFromMemory({}));
    EXPECT_EQ(debug.size(), 2u) << "an empty file is of no type";
}

TEST(CDXImage, ForcedTypeSkipsDetectionAndUnknownTypesWriteNothing)
{
    std::vector<std::string> debug;
    const CDXImage loader([&](std::string_view text) { debug.emplace_back(text); });
    const SDecodeResult tga = loader.LoadFromMemory(smallTga(false), EImageType::TGA);
    ASSERT_TRUE(tga) << tga.reason;
    EXPECT_EQ(render(*tga.dib), (std::vector<std::uint32_t>{0x404040, 0x404040}));
    EXPECT_FALSE(loader.LoadFromMemory(smallBmp(), EImageType(6)));
    EXPECT_FALSE(loader.LoadFromMemory(smallBmp(), EImageType(-1)));
    EXPECT_FALSE(loader.LoadFromMemory(smallBmp(), EImageType::PCX));
    EXPECT_TRUE(debug.empty());
}

class LoadFromFile : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& name, const Bytes& bytes)
    {
        return folder_.write(name, std::string(bytes.begin(), bytes.end()));
    }

    CTempFolder folder_{"image"};
};

// An uncompressed bitmap is used in place; the loaded file's bytes must live as long as it.
TEST_F(LoadFromFile, KeepsTheBytesThatABorrowingBitmapUses)
{
    const Bytes file = smallBmp();
    SDecodeResult result = CDXImage{}.LoadFromFile(write("a.bmp", file));
    ASSERT_TRUE(result) << result.reason;
    EXPECT_TRUE(result.dib->borrowsRows());
    std::optional<CDib> moved = std::move(result.dib);
    result = {};
    EXPECT_EQ(render(*moved), expectedPixels(2, 2, patternColor));
}

TEST_F(LoadFromFile, MissingAndUnreadableFilesAreRefused)
{
    EXPECT_FALSE(CDXImage{}.LoadFromFile(folder_ / "missing.bmp"));
    EXPECT_FALSE(CDXImage{}.LoadFromFile(folder_.path()));
    EXPECT_FALSE(CDXImage{}.LoadFromFile(write("empty.bmp", {})));
    CDXFileReader reader;
    EXPECT_EQ(reader.Open(folder_ / "missing.bmp"), -1);
    EXPECT_EQ(reader.Size(), 0u);
    ASSERT_EQ(reader.Open(write("b.bin", Bytes(5, 7))), 0);
    EXPECT_EQ(reader.Size(), 5u);
    Bytes buffer(8);
    EXPECT_EQ(reader.Read(buffer), 5u);
    reader.Close();
    EXPECT_EQ(reader.Size(), 0u);
}

} // namespace
