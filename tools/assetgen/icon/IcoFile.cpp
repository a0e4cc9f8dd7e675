#include "icon/IcoFile.h"

#include <stdexcept>

namespace assetgen {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Mask rows are padded to whole 32-bit words.
uint32_t maskStride(int size) { return static_cast<uint32_t>((size + 31) / 32 * 4); }

uint32_t imageBytes(int size)
{
    const auto side = static_cast<uint32_t>(size);
    return 40 + side * side * 4 + maskStride(size) * side;
}

// A bitmap entry: the header claims twice the height (colour and mask stacked), rows bottom-up.
void putImage(std::vector<uint8_t>& out, const SIconImage& image)
{
    const int size = image.size;
    put32(out, 40);
    put32(out, static_cast<uint32_t>(size));
    put32(out, static_cast<uint32_t>(size * 2));
    put16(out, 1);
    put16(out, 32);
    for (int i = 0; i < 6; ++i) {
        put32(out, 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            put32(out, image.bgra[static_cast<size_t>(y * size + x)]);
        }
    }
    // A set mask bit is a transparent pixel where the alpha channel is not understood.
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride(size), 0);
        for (int x = 0; x < size; ++x) {
            if ((image.bgra[static_cast<size_t>(y * size + x)] >> 24) < 128) {
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

std::vector<uint8_t> encodeIco(const std::vector<SIconImage>& images)
{
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const SIconImage& image : images) {
        if (image.size < 1 || image.size > 256 || image.bgra.size() != static_cast<size_t>(image.size * image.size)) {
            throw std::invalid_argument("icon image of a wrong size");
        }
        // 256 does not fit the byte: 0 stands for it.
        out.push_back(static_cast<uint8_t>(image.size % 256));
        out.push_back(static_cast<uint8_t>(image.size % 256));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, imageBytes(image.size));
        put32(out, offset);
        offset += imageBytes(image.size);
    }
    for (const SIconImage& image : images) {
        putImage(out, image);
    }
    return out;
}

} // namespace assetgen
