#include "PictureFile.h"

#include <fstream>
#include <iterator>

namespace assettest {

std::vector<Expected> expectedPictures()
{
    std::vector<Expected> list;
    for (int n = 1; n <= 4; ++n)
        list.push_back({"landschaft" + std::to_string(n) + ".jpg", Format::Jpeg, 800, 600});
    for (const char* name : {"mi_titel2.jpg", "mi_einstellungen.jpg", "mi_help.jpg"})
        list.push_back({name, Format::Jpeg, 800, 600});
    list.push_back({"tor.bmp", Format::Bmp24, 69, 104});
    for (int k = 0; k < 10; ++k) {
        list.push_back({"f1_" + std::to_string(k) + ".bmp", Format::Bmp24, 28, 64});
        list.push_back({"f2_" + std::to_string(k) + ".bmp", Format::Bmp24, 28, 64});
    }
    for (int k = 0; k < 67; ++k)
        list.push_back({"m1_" + std::to_string(k) + ".bmp", Format::Bmp8Rle, 140, 180});
    list.push_back({"eingabe.bmp", Format::Bmp24, 500, 100});
    for (int k = 0; k < 6; ++k)
        list.push_back({"menu_" + std::to_string(k) + ".bmp", Format::Bmp24, 400, 340});
    list.push_back({"mb_back.bmp", Format::Bmp8, 290, 58});
    list.push_back({"mb_music.bmp", Format::Bmp8Rle, 116, 58});
    list.push_back({"mb_gender.bmp", Format::Bmp8, 116, 58});
    list.push_back({"mb_zurueck.bmp", Format::Bmp24, 77, 32});
    list.push_back({"mb_einstellungen.bmp", Format::Bmp24, 178, 32});
    list.push_back({"mb_internet.bmp", Format::Bmp24, 178, 32});
    for (const char* name : {"mb_hilfe.bmp", "mb_start.bmp", "mb_ende.bmp"})
        list.push_back({name, Format::Bmp24, 77, 32});
    list.push_back({"cursor.bmp", Format::Bmp8Rle, 20, 23});
    for (int k = 0; k < 6; ++k)
        list.push_back({"Wait_" + std::to_string(k) + ".bmp", Format::Bmp8, 320, 240});
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

namespace {

std::nullopt_t refuse(std::string& why, const char* reason)
{
    why = reason;
    return std::nullopt;
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | b[at + i];
    return v;
}

} // namespace

std::optional<BmpFacts> readBmp(const std::vector<uint8_t>& b, std::string& why)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return refuse(why, "no BMP signature");
    BmpFacts f;
    f.fileSize = le(b, 2, 4);
    f.offBits = le(b, 10, 4);
    f.width = static_cast<int32_t>(le(b, 18, 4));
    f.height = static_cast<int32_t>(le(b, 22, 4));
    f.bits = static_cast<int>(le(b, 28, 2));
    f.compression = static_cast<int>(le(b, 30, 4));
    f.colours = le(b, 46, 4);
    if (le(b, 14, 4) != 40 || le(b, 26, 2) != 1)
        return refuse(why, "not a 40-byte information header with one plane");
    if (f.fileSize != b.size())
        return refuse(why, "file size field disagrees with the file");
    if (f.width <= 0 || f.height <= 0)
        return refuse(why, "not a bottom-up picture of positive size");
    const uint32_t table = f.bits == 8 ? (f.colours ? f.colours : 256) : 0;
    if (f.bits == 8 && table > 256)
        return refuse(why, "colour table larger than 256");
    if (f.offBits != 54 + 4 * table)
        return refuse(why, "pixel data does not follow the colour table");
    if (f.compression == 0) {
        const size_t stride = (static_cast<size_t>(f.width) * f.bits / 8 + 3) & ~size_t{3};
        if (f.offBits + stride * f.height != b.size())
            return refuse(why, "pixel rows do not fill the file exactly");
    }
    return f;
}

std::optional<std::vector<uint8_t>> decodeRle8(const std::vector<uint8_t>& b, const BmpFacts& f, std::string& why)
{
    std::vector<uint8_t> out;
    std::vector<uint8_t> row;
    const uint32_t table = f.colours ? f.colours : 256;
    size_t at = f.offBits;
    auto take = [&]() -> int { return at < b.size() ? b[at++] : -1; };
    while (true) {
        const int n = take(), v = take();
        if (n < 0 || v < 0)
            return refuse(why, "stream ends without the end-of-bitmap code");
        if (n > 0) {
            row.insert(row.end(), n, static_cast<uint8_t>(v));
        } else if (v == 0 || v == 1) {
            if (static_cast<int>(row.size()) != f.width)
                return refuse(why, "a row is not exactly one picture width");
            out.insert(out.end(), row.begin(), row.end());
            row.clear();
            if (v == 1)
                break;
        } else if (v == 2) {
            return refuse(why, "delta codes are not expected here");
        } else {
            for (int i = 0; i < v; ++i) {
                const int p = take();
                if (p < 0)
                    return refuse(why, "absolute run past the end");
                row.push_back(static_cast<uint8_t>(p));
            }
            if (v & 1)
                take();
        }
    }
    if (at != b.size())
        return refuse(why, "bytes after the end-of-bitmap code");
    if (out.size() != static_cast<size_t>(f.width) * f.height)
        return refuse(why, "row count differs from the height");
    for (uint8_t index : out)
        if (index >= table)
            return refuse(why, "index outside the colour table");
    return out;
}

std::optional<JpegFacts> readJpeg(const std::vector<uint8_t>& b, std::string& why)
{
    // The program recognises JPEG by 0xFF at bytes 0 and 2 and "JFIF" at bytes 6 to 9.
    if (b.size() < 20 || b[0] != 0xFF || b[1] != 0xD8 || b[2] != 0xFF || b[3] != 0xE0 ||
        std::string(b.begin() + 6, b.begin() + 10) != "JFIF")
        return refuse(why, "no JFIF header right after the start marker");
    size_t at = 2;
    while (at + 9 < b.size()) {
        if (b[at] != 0xFF)
            return refuse(why, "marker expected");
        const uint8_t marker = b[at + 1];
        const size_t length = static_cast<size_t>(b[at + 2]) << 8 | b[at + 3];
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            JpegFacts f;
            f.height = b[at + 5] << 8 | b[at + 6];
            f.width = b[at + 7] << 8 | b[at + 8];
            f.components = b[at + 9];
            if (b[b.size() - 2] != 0xFF || b.back() != 0xD9)
                return refuse(why, "no end-of-image marker");
            return f;
        }
        at += 2 + length;
    }
    return refuse(why, "no frame header");
}

} // namespace assettest
