#include "TestSupport.h"

using namespace pictures;

namespace {

struct Sample {
    std::string name;
    Bytes file;
    EImageType type;
};

// One picture of every variant, each ending right after its last needed byte.
std::vector<Sample> samples()
{
    const int w = 7, h = 5;
    const Bytes rgb = scenePixels(w, h);
    Bytes indexes(w * h);
    for (int i = 0; i < w * h; ++i)
        indexes[i] = std::uint8_t(i / 3);
    std::vector<std::uint32_t> table(256, 0x123456);
    std::vector<Sample> all;
    all.push_back({"bmp8", makeBmp({.width = w, .height = h, .bitCount = 8, .colors = table, .pixelData = dibRows(w, h, 1, patternColor)}), EImageType::BMP});
    all.push_back({"bmp16", makeBmp({.width = w, .height = h, .bitCount = 16, .pixelData = dibRows(w, h, 2, patternColor)}), EImageType::BMP});
    all.push_back({"bmp24", makeBmp({.width = w, .height = h, .bitCount = 24, .pixelData = dibRows(w, h, 3, patternColor)}), EImageType::BMP});
    all.push_back({"bmp32", makeBmp({.width = w, .height = h, .bitCount = 32, .pixelData = dibRows(w, h, 4, patternColor)}), EImageType::BMP});
    Bytes rle = encodeRle8(indexes, w, h);
    rle.resize(rle.size() - 2); // the last line end already finishes the picture
    all.push_back({"bmp8rle", makeBmp({.width = w, .height = h, .bitCount = 8, .compression = 1, .colors = table, .pixelData = rle}), EImageType::BMP});
    for (std::uint8_t depth : {8, 16, 24, 32}) {
        Bytes pixels;
        for (int i = 0; i < w * h * depth / 8; ++i)
            pixels.push_back(std::uint8_t(i / 5));
        const std::uint8_t rawType = depth == 8 ? 1 : 2;
        const Bytes map = depth == 8 ? Bytes(256 * 3, 0x42) : Bytes{};
        STgaLayout layout{.colorMapType = std::uint8_t(depth == 8), .imageType = rawType, .colorMapLength = std::uint16_t(depth == 8 ? 256 : 0),
                     .colorMapEntryBits = std::uint8_t(depth == 8 ? 24 : 0), .width = w, .height = h, .pixelDepth = depth,
                     .colorMap = map, .pixelData = pixels, .footer = false};
        all.push_back({"tga" + std::to_string(depth), makeTga(layout), EImageType::TGA});
        layout.imageType = std::uint8_t(rawType + 8);
        layout.pixelData = encodeTgaRle(pixels, depth / 8);
        all.push_back({"tga" + std::to_string(depth) + "rle", makeTga(layout), EImageType::TGA});
    }
    SPcxLayout pcx8{.xMax = w - 1, .yMax = h - 1, .bytesPerLine = 8};
    SPcxLayout pcx24{.planes = 3, .xMax = w - 1, .yMax = h - 1, .bytesPerLine = 8};
    for (int y = 0; y < h; ++y) {
        Bytes line(&indexes[y * w], &indexes[y * w] + w);
        line.push_back(0xC7); // filler up to the even line length
        encodePcxLine(line.data(), 8, pcx8.pixelData);
        for (int p = 0; p < 3; ++p)
            encodePcxLine(line.data(), 8, pcx24.pixelData);
    }
    all.push_back({"pcx8", makePcx(pcx8), EImageType::PCX});
    all.push_back({"pcx24", makePcx(pcx24), EImageType::PCX});
    std::vector<Bytes> planes(4, Bytes(indexes.begin(), indexes.end()));
    all.push_back({"psd", makePsd({.channels = 4, .width = w, .height = h, .planes = planes}), EImageType::PSD});
    all.push_back({"psdrle", makePsd({.channels = 4, .width = w, .height = h, .compression = 1, .planes = planes}), EImageType::PSD});
    all.push_back({"jpeg", encodeJpeg(rgb, w, h, 3), EImageType::JPEG});
    all.push_back({"jpegprogressive", encodeJpeg(rgb, w, h, 3, 80, true), EImageType::JPEG});
    return all;
}

// Whether the file is accepted. Whatever a decoder accepts must convert into every surface
// format; a refusal must say why.
bool handled(const Bytes& file, EImageType type)
{
    const SDecodeResult result = load(file, type);
    EXPECT_TRUE(result || !result.reason.empty());
    if (!result)
        return false;
    for (ESurfaceFormat format : {ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565, ESurfaceFormat::Bgr24, ESurfaceFormat::Bgrx32}) {
        const std::size_t pitch = std::size_t(result.dib->width()) * bytesPerPixel(format);
        std::vector<std::uint8_t> surface(pitch * std::size_t(result.dib->height()));
        EXPECT_TRUE(ConvertDib(*result.dib, format, surface, pitch));
    }
    return true;
}

// Run under the sanitizers, this finds any read or write outside the data or the buffers.
TEST(Robustness, EverySampleDecodesWholeAndEveryTruncationAndDamagedHeaderIsHandled)
{
    for (const Sample& s : samples()) {
        ASSERT_TRUE(handled(s.file, s.type)) << s.name;
        for (std::size_t size = 0; size < s.file.size(); ++size)
            EXPECT_FALSE(handled(Bytes(s.file.begin(), s.file.begin() + size), s.type) &&
                         size + 1 == s.file.size())
                << s.name << " one byte short";
        for (std::size_t at = 0; at < std::min<std::size_t>(s.file.size(), 160); ++at) {
            for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                Bytes damaged = s.file;
                damaged[at] = value;
                handled(damaged, s.type);
                handled(damaged, EImageType::None);
            }
        }
    }
}

} // namespace
