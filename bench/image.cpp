// Picture decoding from memory into a 32-bit buffer, each case beside its anchors:
// SDL2_image (decode, then blit into the buffer), stb_image (decode to four channels),
// libjpeg-turbo alone (straight into the buffer), and the limit: a memcpy of the output bytes.
#include "image/CDXImage.h"

#include "../tests/image/PictureFiles.h"

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using pictures::Bytes;

struct Case {
    std::string name;
    int width;
    int height;
    Bytes file;
    const char* sdlType; // SDL2_image's type name, or null where it has no loader
    bool stb;
    bool libjpeg;
};

Bytes quantized(const Bytes& rgb)
{
    Bytes indexes(rgb.size() / 3);
    for (std::size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = std::uint8_t((rgb[3 * i] >> 5) << 5 | (rgb[3 * i + 1] >> 5) << 2 | rgb[3 * i + 2] >> 6);
    return indexes;
}

std::vector<std::uint32_t> quantizedTable()
{
    std::vector<std::uint32_t> table;
    for (std::uint32_t i = 0; i < 256; ++i)
        table.push_back((i >> 5) * 36 << 16 | ((i >> 2) & 7) * 36 << 8 | (i & 3) * 85);
    return table;
}

Bytes bgrRowsBottomUp(const Bytes& rgb, int width, int height, bool pad)
{
    Bytes rows;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
            rows.insert(rows.end(), {p[2], p[1], p[0]});
        }
        while (pad && rows.size() % 4 != 0)
            rows.push_back(0);
    }
    return rows;
}

Bytes bmp24(int w, int h)
{
    return pictures::makeBmp({.width = w, .height = h, .bitCount = 24,
                              .pixelData = bgrRowsBottomUp(pictures::scenePixels(w, h), w, h, true)});
}

Bytes bmp8(int w, int h, bool runLength)
{
    const Bytes indexes = quantized(pictures::scenePixels(w, h));
    Bytes data;
    if (runLength) {
        data = pictures::encodeRle8(indexes, w, h);
    } else {
        data = pictures::dibRows(w, h, 1, [&](int x, int y) { return indexes[std::size_t(y) * w + x]; });
    }
    return pictures::makeBmp({.width = w, .height = h, .bitCount = 8, .compression = runLength ? 1u : 0u,
                              .colors = quantizedTable(), .pixelData = data});
}

Bytes tga24(int w, int h, bool runLength)
{
    const Bytes rows = bgrRowsBottomUp(pictures::scenePixels(w, h), w, h, false);
    return pictures::makeTga({.imageType = std::uint8_t(runLength ? 10 : 2), .width = std::uint16_t(w),
                              .height = std::uint16_t(h), .pixelDepth = 24,
                              .pixelData = runLength ? pictures::encodeTgaRle(rows, 3) : rows});
}

Bytes psd(int w, int h, bool runLength)
{
    const Bytes rgb = pictures::scenePixels(w, h);
    std::vector<Bytes> planes(3, Bytes(std::size_t(w) * h));
    for (std::size_t i = 0; i < planes[0].size(); ++i)
        for (int c = 0; c < 3; ++c)
            planes[c][i] = rgb[3 * i + c];
    return pictures::makePsd({.channels = 3, .width = std::uint32_t(w), .height = std::uint32_t(h),
                              .compression = std::uint16_t(runLength ? 1 : 0), .planes = planes});
}

Bytes pcx(int w, int h, int planes)
{
    const Bytes rgb = pictures::scenePixels(w, h);
    const Bytes indexes = quantized(rgb);
    pictures::SPcxLayout layout{.planes = std::uint8_t(planes), .xMax = std::int16_t(w - 1), .yMax = std::int16_t(h - 1),
                           .bytesPerLine = std::int16_t(w + (w & 1))};
    Bytes line(std::size_t(layout.bytesPerLine), 0);
    for (int y = 0; y < h; ++y) {
        for (int p = 0; p < planes; ++p) {
            for (int x = 0; x < w; ++x) {
                const std::size_t i = std::size_t(y) * w + x;
                line[x] = planes == 1 ? indexes[i] : rgb[3 * i + p];
            }
            pictures::encodePcxLine(line.data(), line.size(), layout.pixelData);
        }
    }
    if (planes == 1) {
        for (std::uint32_t c : quantizedTable())
            layout.palette.insert(layout.palette.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
    return pictures::makePcx(layout);
}

std::vector<Case> makeCases()
{
    const Bytes jpegFile = pictures::encodeJpeg(pictures::scenePixels(800, 600), 800, 600, 3, 90);
    return {
        {"BMP24_800x600", 800, 600, bmp24(800, 600), "BMP", true, false},
        {"BMP8_200x250", 200, 250, bmp8(200, 250, false), "BMP", true, false},
        {"BMP8RLE_200x250", 200, 250, bmp8(200, 250, true), "BMP", false, false},
        {"TGA24_200x250", 200, 250, tga24(200, 250, false), "TGA", true, false},
        {"TGA24RLE_200x250", 200, 250, tga24(200, 250, true), "TGA", true, false},
        {"PSD_400x300", 400, 300, psd(400, 300, false), nullptr, true, false},
        {"PSDRLE_400x300", 400, 300, psd(400, 300, true), nullptr, true, false},
        {"PCX8_400x300", 400, 300, pcx(400, 300, 1), "PCX", false, false},
        {"PCX24_400x300", 400, 300, pcx(400, 300, 3), "PCX", false, false},
        {"JPEG_800x600", 800, 600, jpegFile, nullptr, true, true},
    };
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = makeCases();
    return all;
}

// The way a surface is filled: the loader asks for the pixels and draws straight into them.
void decodeOurs(benchmark::State& state, const Case& c)
{
    const CDXImage loader;
    const std::size_t pitch = std::size_t(c.width) * 4;
    std::vector<std::uint8_t> surface(pitch * c.height);
    const SurfaceProvider provide = [&](std::int32_t, std::int32_t) {
        return std::optional<SSurfaceTarget>(SSurfaceTarget{surface, pitch, ESurfaceFormat::Bgrx32});
    };
    for (auto _ : state) {
        const SDrawResult result = loader.LoadIntoSurface(c.file, provide);
        if (!result) {
            state.SkipWithError(("refused: " + result.reason).c_str());
            break;
        }
        benchmark::DoNotOptimize(surface.data());
    }
}

void decodeSdlImage(benchmark::State& state, const Case& c)
{
    std::vector<std::uint8_t> pixels(std::size_t(c.width) * c.height * 4);
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), c.width, c.height, 32, c.width * 4,
                                                              SDL_PIXELFORMAT_XRGB8888);
    for (auto _ : state) {
        SDL_Surface* decoded = IMG_LoadTyped_RW(SDL_RWFromConstMem(c.file.data(), int(c.file.size())), 1, c.sdlType);
        if (!decoded) {
            state.SkipWithError(IMG_GetError());
            break;
        }
        SDL_BlitSurface(decoded, nullptr, target, nullptr);
        SDL_FreeSurface(decoded);
        benchmark::DoNotOptimize(pixels.data());
    }
    SDL_FreeSurface(target);
}

void decodeStb(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        stbi_uc* pixels = stbi_load_from_memory(c.file.data(), int(c.file.size()), &w, &h, &n, 4);
        if (!pixels) {
            state.SkipWithError(stbi_failure_reason());
            break;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

void decodeLibjpeg(benchmark::State& state, const Case& c)
{
    const std::size_t pitch = std::size_t(c.width) * 4;
    std::vector<std::uint8_t> surface(pitch * c.height);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr errors{};
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, c.file.data(), static_cast<unsigned long>(c.file.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGRX;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = surface.data() + pitch * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(surface.data());
    }
}

void copyLimit(benchmark::State& state, const Case& c)
{
    const std::size_t bytes = std::size_t(c.width) * c.height * 4;
    std::vector<std::uint8_t> source(bytes, 0x5A), surface(bytes);
    for (auto _ : state) {
        std::memcpy(surface.data(), source.data(), bytes);
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
    }
}

void addBenchmark(const Case& c, const char* anchor, void (*run)(benchmark::State&, const Case&))
{
    benchmark::RegisterBenchmark(("Decode/" + c.name + "/" + anchor).c_str(),
                                 [run, &c](benchmark::State& state) { run(state, c); })
        ->Unit(benchmark::kMicrosecond);
}

// Registered in this order so each case's figures print together.
const bool imageBenchmarksRegistered = [] {
    for (const Case& c : cases()) {
        addBenchmark(c, "ours", decodeOurs);
        if (c.libjpeg)
            addBenchmark(c, "libjpeg", decodeLibjpeg);
        if (c.sdlType)
            addBenchmark(c, "sdlimage", decodeSdlImage);
        if (c.stb)
            addBenchmark(c, "stb", decodeStb);
        addBenchmark(c, "limit", copyLimit);
    }
    return true;
}();

} // namespace
