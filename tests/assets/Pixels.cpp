#include "Pixels.h"

#include "image/CDXImage.h"

#include <fstream>
#include <iterator>

namespace assettest {

std::vector<SExpected> expectedPictures()
{
    std::vector<SExpected> list;
    for (int n = 1; n <= 4; ++n)
        list.push_back({"landschaft" + std::to_string(n) + ".jpg", EFormat::Jpeg, 800, 600});
    for (const char* name : {"mi_titel2.jpg", "mi_einstellungen.jpg", "mi_help.jpg"})
        list.push_back({name, EFormat::Jpeg, 800, 600});
    list.push_back({"tor.bmp", EFormat::Bmp24, 69, 104});
    for (int k = 0; k < 10; ++k) {
        list.push_back({"f1_" + std::to_string(k) + ".bmp", EFormat::Bmp24, 28, 64});
        list.push_back({"f2_" + std::to_string(k) + ".bmp", EFormat::Bmp24, 28, 64});
    }
    for (int k = 0; k < 67; ++k)
        list.push_back({"m1_" + std::to_string(k) + ".bmp", EFormat::Bmp8Rle, 140, 180});
    list.push_back({"eingabe.bmp", EFormat::Bmp24, 500, 100});
    for (int k = 0; k < 6; ++k)
        list.push_back({"menu_" + std::to_string(k) + ".bmp", EFormat::Bmp24, 400, 340});
    list.push_back({"mb_back.bmp", EFormat::Bmp8, 290, 58});
    list.push_back({"mb_music.bmp", EFormat::Bmp8Rle, 116, 58});
    list.push_back({"mb_gender.bmp", EFormat::Bmp8, 116, 58});
    list.push_back({"mb_zurueck.bmp", EFormat::Bmp24, 77, 32});
    list.push_back({"mb_einstellungen.bmp", EFormat::Bmp24, 178, 32});
    list.push_back({"mb_internet.bmp", EFormat::Bmp24, 178, 32});
    for (const char* name : {"mb_hilfe.bmp", "mb_start.bmp", "mb_ende.bmp"})
        list.push_back({name, EFormat::Bmp24, 77, 32});
    list.push_back({"cursor.bmp", EFormat::Bmp8Rle, 20, 23});
    for (int k = 0; k < 6; ++k)
        list.push_back({"Wait_" + std::to_string(k) + ".bmp", EFormat::Bmp8, 320, 240});
    return list;
}

std::filesystem::path gfxDir()
{
    return std::filesystem::path(MINNE_DATA_DIR) / "gfx";
}

std::vector<uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<SPicture> loadPicture(const std::filesystem::path& file, int depth)
{
    const SDecodeResult decoded = CDXImage{}.LoadFromFile(file);
    const std::optional<ESurfaceFormat> format = surfaceFormatForDepth(static_cast<std::uint32_t>(depth));
    if (!decoded || !format)
        return std::nullopt;
    const CDib& dib = *decoded.dib;
    const size_t bytes = bytesPerPixel(*format);
    std::vector<uint8_t> surface(static_cast<size_t>(dib.width()) * dib.height() * bytes);
    if (!ConvertDib(dib, *format, surface, static_cast<size_t>(dib.width()) * bytes))
        return std::nullopt;
    SPicture picture{dib.width(), dib.height(), {}};
    for (size_t i = 0; i < surface.size(); i += bytes) {
        const unsigned word = surface[i] | surface[i + 1] << 8;
        switch (*format) {
        case ESurfaceFormat::Rgb555:
            picture.pixels.push_back({uint8_t(word >> 7 & 0xF8), uint8_t(word >> 2 & 0xF8), uint8_t(word << 3)});
            break;
        case ESurfaceFormat::Rgb565:
            picture.pixels.push_back({uint8_t(word >> 8 & 0xF8), uint8_t(word >> 3 & 0xFC), uint8_t(word << 3)});
            break;
        default: picture.pixels.push_back({surface[i + 2], surface[i + 1], surface[i]});
        }
    }
    return picture;
}

} // namespace assettest
