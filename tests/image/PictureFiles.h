#pragma once
// Builds picture files in memory, byte by byte, for the image tests and benchmarks: each
// maker writes exactly the fields it is given, so a test can also build broken files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// JPEG files are made with libjpeg where the tests have it (not in the browser build).
#if __has_include(<jpeglib.h>)
#include <jpeglib.h>
#define PICTURES_CAN_ENCODE_JPEG 1
#endif

namespace pictures {

using Bytes = std::vector<std::uint8_t>;

inline void putLe16(Bytes& b, std::uint32_t v) { b.push_back(std::uint8_t(v)); b.push_back(std::uint8_t(v >> 8)); }
inline void putLe32(Bytes& b, std::uint32_t v) { putLe16(b, v & 0xFFFF); putLe16(b, v >> 16); }
inline void putBe16(Bytes& b, std::uint32_t v) { b.push_back(std::uint8_t(v >> 8)); b.push_back(std::uint8_t(v)); }
inline void putBe32(Bytes& b, std::uint32_t v) { putBe16(b, v >> 16); putBe16(b, v & 0xFFFF); }
inline void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// Rows of a device-independent bitmap from a pixel function (x, y from the top left),
// `bytesPerPixel` little-endian bytes each, bottom row first, rows padded to 4 bytes with
// 0xEE so that a reader that shears shows it.
inline Bytes dibRows(int width, int height, int bytesPerPixel, const std::function<std::uint32_t(int, int)>& pixel)
{
    Bytes rows;
    const int rowBytes = width * bytesPerPixel;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            for (int i = 0; i < bytesPerPixel; ++i)
                rows.push_back(std::uint8_t(v >> (8 * i)));
        }
        for (int i = rowBytes; i % 4 != 0; ++i)
            rows.push_back(0xEE);
    }
    return rows;
}

struct SBmpLayout {
    std::int32_t width = 1, height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0, clrUsed = 0;
    std::vector<std::uint32_t> colors; // 0x00RRGGBB each, written as blue, green, red, 0
    Bytes pixelData;
    std::uint32_t infoSize = 40; // longer headers get zeros after the 40-byte fields
};

inline Bytes makeBmp(const SBmpLayout& s)
{
    const std::uint32_t offBits = 14 + s.infoSize + 4 * std::uint32_t(s.colors.size());
    const auto dataSize = std::uint32_t(s.pixelData.size());
    Bytes b{'B', 'M'};
    // One plane; 2835 dots a metre is 72 dpi.
    for (std::uint32_t v :
         {offBits + dataSize, 0u, offBits, s.infoSize, std::uint32_t(s.width), std::uint32_t(s.height),
          1u | std::uint32_t(s.bitCount) << 16, s.compression, dataSize, 2835u, 2835u, s.clrUsed, 0u})
        putLe32(b, v);
    b.resize(14 + std::max<std::uint32_t>(s.infoSize, 40), 0);
    for (std::uint32_t c : s.colors)
        putLe32(b, c & 0xFFFFFF);
    append(b, s.pixelData);
    return b;
}

// Cuts `count` items into runs of equal neighbours (two or more) and literal stretches
// between them, each at most `most` long, for the run-length codes below.
template <class Same, class Emit>
void cutRuns(std::size_t count, std::size_t most, Same same, Emit emit)
{
    for (std::size_t i = 0; i < count;) {
        std::size_t n = 1;
        while (i + n < count && n < most && same(i, i + n))
            ++n;
        const bool run = n >= 2;
        while (!run && i + n < count && n < most && !(i + n + 1 < count && same(i + n, i + n + 1)))
            ++n;
        emit(i, n, run);
        i += n;
    }
}

// Run-length 8-bit data for indexes given top row first: runs, absolute runs for stretches of
// three or more different bytes (padded to even length), a line end after each row, a bitmap end.
inline Bytes encodeRle8(const Bytes& indexes, int width, int height)
{
    Bytes out;
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = indexes.data() + std::size_t(y) * width;
        cutRuns(std::size_t(width), 255, [&](std::size_t a, std::size_t b) { return row[a] == row[b]; },
                [&](std::size_t at, std::size_t n, bool run) {
                    if (run || n < 3) {
                        for (std::size_t i = at; i < at + n; i += run ? n : 1)
                            append(out, {std::uint8_t(run ? n : 1), row[i]});
                        return;
                    }
                    append(out, {0, std::uint8_t(n)});
                    out.insert(out.end(), row + at, row + at + n);
                    if (n & 1)
                        out.push_back(0);
                });
        append(out, {0, 0});
    }
    append(out, {0, 1});
    return out;
}

struct STgaLayout {
    Bytes id;
    std::uint8_t colorMapType = 0, imageType = 2;
    std::uint16_t colorMapFirst = 0, colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    std::uint16_t width = 1, height = 1;
    std::uint8_t pixelDepth = 24, descriptor = 0;
    Bytes colorMap, pixelData;
    bool footer = true;
};

inline Bytes makeTga(const STgaLayout& s)
{
    Bytes b{std::uint8_t(s.id.size()), s.colorMapType, s.imageType};
    for (std::uint32_t v : {std::uint32_t(s.colorMapFirst), std::uint32_t(s.colorMapLength)})
        putLe16(b, v);
    append(b, {s.colorMapEntryBits, 0, 0, 0, 0});
    putLe16(b, s.width);
    putLe16(b, s.height);
    append(b, {s.pixelDepth, s.descriptor});
    for (const Bytes* part : {&s.id, &s.colorMap, &s.pixelData})
        append(b, *part);
    if (s.footer) {
        const char signature[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
        b.insert(b.end(), signature, signature + sizeof signature); // with the closing NUL
    }
    return b;
}

// Targa run-length packets over the whole pixel stream (packets cross row ends).
inline Bytes encodeTgaRle(const Bytes& pixels, std::size_t pixelBytes)
{
    Bytes out;
    const std::uint8_t* p = pixels.data();
    cutRuns(pixels.size() / pixelBytes, 128,
            [&](std::size_t a, std::size_t b) { return std::memcmp(p + a * pixelBytes, p + b * pixelBytes, pixelBytes) == 0; },
            [&](std::size_t at, std::size_t n, bool run) {
                out.push_back(std::uint8_t((run ? 0x80 : 0) | (n - 1)));
                out.insert(out.end(), p + at * pixelBytes, p + (at + (run ? 1 : n)) * pixelBytes);
            });
    return out;
}

struct SPcxLayout {
    std::uint8_t bitsPerPixel = 8, planes = 1;
    std::int16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::int16_t bytesPerLine = 2;
    Bytes pixelData;   // already encoded
    Bytes palette;     // 768 bytes red, green, blue; written behind the marker when not empty
    std::uint8_t paletteMarker = 0x0C;
};

inline Bytes makePcx(const SPcxLayout& s)
{
    Bytes b{0x0A, 5, 1, s.bitsPerPixel};
    for (std::int16_t v : {s.xMin, s.yMin, s.xMax, s.yMax})
        putLe16(b, std::uint16_t(v));
    b.resize(65, 0);
    b.push_back(s.planes);
    putLe16(b, std::uint16_t(s.bytesPerLine));
    b.resize(128, 0);
    append(b, s.pixelData);
    if (!s.palette.empty()) {
        b.push_back(s.paletteMarker);
        append(b, s.palette);
    }
    return b;
}

// One plane's line: runs of up to 63, and bytes with both top bits set always as a run.
inline void encodePcxLine(const std::uint8_t* line, std::size_t length, Bytes& out)
{
    std::size_t i = 0;
    while (i < length) {
        std::size_t run = 1;
        while (i + run < length && run < 63 && line[i + run] == line[i])
            ++run;
        if (run > 1 || (line[i] & 0xC0) == 0xC0)
            out.push_back(std::uint8_t(0xC0 | run));
        out.push_back(line[i]);
        i += run;
    }
}

struct SPsdLayout {
    std::uint16_t version = 1, channels = 3;
    std::uint32_t width = 1, height = 1;
    std::uint16_t depth = 8, mode = 3, compression = 0;
    Bytes colorModeData, resources, layers;
    std::vector<Bytes> planes; // width × height bytes each, rows from the top
};

// PackBits for one row: repeats of 2 to 128 bytes and literal stretches of up to 128.
inline Bytes packBits(const std::uint8_t* row, std::size_t length)
{
    Bytes out;
    cutRuns(length, 128, [&](std::size_t a, std::size_t b) { return row[a] == row[b]; },
            [&](std::size_t at, std::size_t n, bool run) {
                out.push_back(std::uint8_t(run ? 257 - n : n - 1));
                out.insert(out.end(), row + at, row + at + (run ? 1 : n));
            });
    return out;
}

inline Bytes makePsd(const SPsdLayout& s)
{
    Bytes b{'8', 'B', 'P', 'S'};
    putBe16(b, s.version);
    b.resize(12, 0);
    putBe16(b, s.channels);
    putBe32(b, s.height);
    putBe32(b, s.width);
    putBe32(b, std::uint32_t(s.depth) << 16 | s.mode);
    for (const Bytes* section : {&s.colorModeData, &s.resources, &s.layers}) {
        putBe32(b, std::uint32_t(section->size()));
        append(b, *section);
    }
    putBe16(b, s.compression);
    Bytes data; // run-length rows follow the table of their sizes
    for (const Bytes& plane : s.planes) {
        if (s.compression != 1)
            append(data, plane);
        for (std::uint32_t y = 0; s.compression == 1 && y < s.height; ++y) {
            const Bytes row = packBits(plane.data() + y * s.width, s.width);
            putBe16(b, std::uint32_t(row.size()));
            append(data, row);
        }
    }
    append(b, data);
    return b;
}

#ifdef PICTURES_CAN_ENCODE_JPEG
// A JFIF file (libjpeg writes the JFIF segment first) from rows of red, green, blue bytes,
// or of grey bytes when components is 1.
inline Bytes encodeJpeg(const Bytes& pixels, int width, int height, int components, int quality = 90,
                        bool progressive = false)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.data()) + std::size_t(cinfo.next_scanline) * width * components;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}
#endif

// A picture with what real artwork has: smooth gradients, flat areas, edges and some noise.
// Red, green, blue bytes, top row first.
inline Bytes scenePixels(int width, int height)
{
    Bytes rgb(std::size_t(width) * height * 3);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
            const int dx = x - width / 2, dy = y - height / 2;
            const bool disc = dx * dx + dy * dy < (height / 3) * (height / 3);
            const bool band = (y / 16) % 3 == 0;
            p[0] = std::uint8_t(disc ? 220 : band ? 40 : x * 255 / width);
            p[1] = std::uint8_t(disc ? 180 : band ? 40 : y * 255 / height);
            p[2] = std::uint8_t(disc ? 60 : band ? 90 : ((noise >> 16) & 7) + 100);
        }
    }
    return rgb;
}

} // namespace pictures
