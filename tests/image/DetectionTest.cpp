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

TEST(DetectType, RecognisesEachTypeByContentAndRejectsNearMisses)
{
    const auto with = [](Bytes file, std::size_t at, std::uint8_t value) {
        file[at] = value;
        return file;
    };
    Bytes bmpWithFooter = smallBmp();
    const Bytes tga = smallTga();
    bmpWithFooter.insert(bmpWithFooter.end(), tga.end() - 26, tga.end()); // the Targa footer
    bmpWithFooter[16] = 24;                                              // read as the Targa depth
    Bytes footerOnly(18, 0); // header and footer overlap in the smallest detectable file
    std::memcpy(footerOnly.data(), "TRUEVISION-XFILE", 16);
    footerOnly[16] = 8;
    const Bytes bmp18 = with(with(Bytes(18, 0), 0, 'B'), 1, 'M');
    const Bytes pcx = makePcx({.pixelData = Bytes(20, 1)});
    const std::pair<Bytes, EImageType> cases[] = {
        {smallBmp(), EImageType::BMP},
        {tga, EImageType::TGA},
        {makePsd({.planes = {{1}, {2}, {3}}}), EImageType::PSD},
        {pcx, EImageType::PCX},
        {encodeJpeg(Bytes(3, 0), 1, 1, 3), EImageType::JPEG},
        {bmpWithFooter, EImageType::TGA},
        {with(bmpWithFooter, 16, 15), EImageType::BMP}, // no valid Targa depth: the bitmap test decides
        {footerOnly, EImageType::TGA},
        {with(footerOnly, 16, 7), EImageType::None},
        {bmp18, EImageType::BMP},
        {Bytes(bmp18.begin(), bmp18.end() - 1), EImageType::None},
        {{}, EImageType::None},
        {smallTga(false), EImageType::None},
        {exifJpeg(), EImageType::None},
        {makePsd({.version = 0x100, .planes = {{1}, {2}, {3}}}), EImageType::None}, // the high byte only
        {makePsd({.version = 2, .planes = {{1}, {2}, {3}}}), EImageType::PSD},
        {with(pcx, 2, 0), EImageType::None}, // not run-length coded
        {with(pcx, 1, 3), EImageType::None}, // version 3
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(CDXImage::DetectType(cases[i].first), cases[i].second) << "case " << i;
    }
    EXPECT_FALSE(load(makePsd({.version = 2, .planes = {{1}, {2}, {3}}}))) << "version 2 is not decoded";
    EXPECT_FALSE(load(footerOnly)) << "image type 'T'";
}

// Only data of no type writes the debugger text; a forced type skips detection.
TEST(CDXImage, UnrecognisedDataWritesTheDebuggerTextAndAForcedTypeSkipsDetection)
{
    std::vector<std::string> debug;
    const CDXImage loader([&](std::string_view text) { debug.emplace_back(text); });
    const SDecodeResult tga = loader.LoadFromMemory(smallTga(false), EImageType::TGA);
    ASSERT_TRUE(tga) << tga.reason;
    EXPECT_EQ(render(*tga.dib), (std::vector<std::uint32_t>{0x404040, 0x404040}));
    for (const EImageType type : {EImageType(6), EImageType(-1), EImageType::PCX})
        EXPECT_FALSE(loader.LoadFromMemory(smallBmp(), type));
    EXPECT_TRUE(debug.empty());
    const SDecodeResult result = loader.LoadFromMemory(smallTga(false));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(debug, std::vector<std::string>{"Error: CDXImage - Unsupported Image type."});
    EXPECT_FALSE(loader.LoadFromMemory({}));
    EXPECT_EQ(debug.size(), 2u) << "an empty file is of no type";
}

// An uncompressed bitmap is used in place; the loaded file's bytes must live as long as it.
TEST(LoadFromFile, KeepsTheBytesABorrowingBitmapUsesAndRefusesWhatCannotBeRead)
{
    const CTempFolder folder{"image"};
    const Bytes file = smallBmp();
    SDecodeResult result =
        CDXImage{}.LoadFromFile(folder.write("a.bmp", std::string(file.begin(), file.end())));
    ASSERT_TRUE(result) << result.reason;
    EXPECT_TRUE(result.dib->borrowsRows());
    std::optional<CDib> moved = std::move(result.dib);
    result = {};
    EXPECT_EQ(render(*moved), expectedPixels(2, 2, patternColor));

    EXPECT_FALSE(CDXImage{}.LoadFromFile(folder / "missing.bmp"));
    EXPECT_FALSE(CDXImage{}.LoadFromFile(folder.path()));
    EXPECT_FALSE(CDXImage{}.LoadFromFile(folder.write("empty.bmp", "")));
    CDXFileReader reader;
    EXPECT_EQ(reader.Open(folder / "missing.bmp"), -1);
    EXPECT_EQ(reader.Size(), 0u);
    ASSERT_EQ(reader.Open(folder.write("b.bin", "\7\7\7\7\7")), 0);
    EXPECT_EQ(reader.Size(), 5u);
    Bytes buffer(8);
    EXPECT_EQ(reader.Read(buffer), 5u);
    reader.Close();
    EXPECT_EQ(reader.Size(), 0u);
}

} // namespace
