#include "pictures/Encode.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <unordered_map>

#include <jpeglib.h>

namespace assetgen {

std::array<uint8_t, 3> SImage8::pixel(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

void SImage8::setPixel(int x, int y, std::array<uint8_t, 3> colour)
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    rgb[i] = colour[0];
    rgb[i + 1] = colour[1];
    rgb[i + 2] = colour[2];
}

namespace {

constexpr float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint8_t toByte(float v, float dither)
{
    return static_cast<uint8_t>(std::clamp(v * 255.0f + dither, 0.0f, 255.0f));
}

std::array<uint8_t, 3> toBytes(SRgb c, int x, int y)
{
    const float d = (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
    return {toByte(c.r, d), toByte(c.g, d), toByte(c.b, d)};
}

// At 5 bits per channel magenta's neighbours collapse onto it; a little green keeps them apart.
std::array<uint8_t, 3> clearOfKey(std::array<uint8_t, 3> c)
{
    if (c[0] >= 248 && c[2] >= 248 && c[1] < 8)
        c[1] = 8;
    return c;
}

} // namespace

SImage8 toImage8(const CCanvas& canvas)
{
    SImage8 out{canvas.width(), canvas.height(), {}};
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.setPixel(x, y, toBytes(canvas.at(x, y), x, y));
    return out;
}

SImage8 toKeyedImage8(const CCanvas& canvas, const CMask& alpha)
{
    SImage8 out = toImage8(canvas);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.setPixel(x, y, alpha.at(x, y) < 0.5f ? kKeyColour : clearOfKey(out.pixel(x, y)));
    return out;
}

CCanvas toCanvas(const SImage8& image)
{
    CCanvas out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const auto p = image.pixel(x, y);
            out.at(x, y) = rgb8(p[0], p[1], p[2]);
        }
    return out;
}

namespace {

uint32_t pack(std::array<uint8_t, 3> c)
{
    return static_cast<uint32_t>(c[0]) << 16 | static_cast<uint32_t>(c[1]) << 8 | c[2];
}

int channel(uint32_t packed, int ch)
{
    return static_cast<int>(packed >> (16 - 8 * ch) & 0xFF);
}

struct SColourCount {
    uint32_t colour;
    uint32_t count;
};

struct SBox {
    size_t begin, end;
};

int widestChannel(const std::vector<SColourCount>& colours, SBox box, int& extent)
{
    int best = 0;
    extent = -1;
    for (int ch = 0; ch < 3; ++ch) {
        int lo = 255, hi = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            lo = std::min(lo, channel(colours[i].colour, ch));
            hi = std::max(hi, channel(colours[i].colour, ch));
        }
        // Green counts most for the eye, blue least.
        const int weighted = (hi - lo) * (ch == 1 ? 4 : ch == 0 ? 3 : 2);
        if (weighted > extent) {
            extent = weighted;
            best = ch;
        }
    }
    return best;
}

std::vector<SBox> medianCut(std::vector<SColourCount>& colours, int boxes)
{
    std::vector<SBox> out{{0, colours.size()}};
    while (static_cast<int>(out.size()) < boxes) {
        size_t pick = out.size();
        int pickExtent = 0, pickChannel = 0;
        for (size_t b = 0; b < out.size(); ++b) {
            if (out[b].end - out[b].begin < 2)
                continue;
            int extent = 0;
            const int ch = widestChannel(colours, out[b], extent);
            if (extent > pickExtent) {
                pick = b;
                pickExtent = extent;
                pickChannel = ch;
            }
        }
        if (pick == out.size())
            break;
        SBox& box = out[pick];
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [pickChannel](const SColourCount& a, const SColourCount& b) {
                      const int ca = channel(a.colour, pickChannel), cb = channel(b.colour, pickChannel);
                      return ca != cb ? ca < cb : a.colour < b.colour;
                  });
        uint64_t total = 0;
        for (size_t i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        uint64_t acc = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            acc += colours[i].count;
            split = i + 1;
            if (acc * 2 >= total)
                break;
        }
        const SBox upper{split, box.end};
        box.end = split;
        out.push_back(upper);
    }
    return out;
}

std::array<uint8_t, 3> meanColour(const std::vector<SColourCount>& colours, SBox box)
{
    uint64_t sum[3] = {0, 0, 0};
    uint64_t total = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int ch = 0; ch < 3; ++ch)
            sum[ch] += static_cast<uint64_t>(channel(colours[i].colour, ch)) * colours[i].count;
        total += colours[i].count;
    }
    std::array<uint8_t, 3> c{};
    for (int ch = 0; ch < 3; ++ch)
        c[ch] = static_cast<uint8_t>((sum[ch] + total / 2) / total);
    return clearOfKey(c);
}

uint8_t nearestEntry(const std::vector<std::array<uint8_t, 3>>& palette, size_t first, uint32_t colour)
{
    size_t best = first;
    int bestDistance = 1 << 30;
    for (size_t i = first; i < palette.size(); ++i) {
        const int dr = palette[i][0] - channel(colour, 0);
        const int dg = palette[i][1] - channel(colour, 1);
        const int db = palette[i][2] - channel(colour, 2);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

} // namespace

SIndexedImage quantize(const SImage8& image, int maxColours)
{
    const uint32_t key = pack(kKeyColour);
    std::vector<uint32_t> all;
    bool hasKey = false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = pack(image.pixel(x, y));
            if (c == key)
                hasKey = true;
            else
                all.push_back(c);
        }
    std::sort(all.begin(), all.end());
    std::vector<SColourCount> colours;
    for (uint32_t c : all) {
        if (colours.empty() || colours.back().colour != c)
            colours.push_back({c, 0});
        ++colours.back().count;
    }
    SIndexedImage out{image.width, image.height, {}, {}};
    if (hasKey)
        out.palette.push_back(kKeyColour);
    const size_t first = out.palette.size();
    if (!colours.empty())
        for (const SBox& box : medianCut(colours, maxColours - static_cast<int>(first)))
            out.palette.push_back(meanColour(colours, box));
    std::unordered_map<uint32_t, uint8_t> cache;
    out.index.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = pack(image.pixel(x, y));
            uint8_t idx = 0;
            if (c != key || !hasKey) {
                const auto found = cache.find(c);
                idx = found != cache.end() ? found->second : (cache[c] = nearestEntry(out.palette, first, c));
            }
            out.index[static_cast<size_t>(y) * image.width + x] = idx;
        }
    return out;
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<uint8_t> bmpHeaders(int width, int height, int bits, int compression, size_t colours,
                                size_t pixelBytes)
{
    std::vector<uint8_t> out;
    const auto offset = static_cast<uint32_t>(54 + 4 * colours);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + static_cast<uint32_t>(pixelBytes));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bits));
    put32(out, static_cast<uint32_t>(compression));
    put32(out, static_cast<uint32_t>(pixelBytes));
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, static_cast<uint32_t>(colours));
    put32(out, 0);
    return out;
}

std::vector<uint8_t> rawRows(const SIndexedImage& image)
{
    const int stride = (image.width + 3) & ~3;
    std::vector<uint8_t> out(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(&image.index[static_cast<size_t>(image.height - 1 - y) * image.width], image.width,
                    &out[static_cast<size_t>(y) * stride]);
    return out;
}

void encodeRleRow(const uint8_t* row, int width, std::vector<uint8_t>& out)
{
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < 255 && row[i + run] == row[i])
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        // A literal stretch ends where a run of three begins, which codes shorter as a run.
        int j = i;
        while (j < width && j - i < 255 && !(j + 2 < width && row[j] == row[j + 1] && row[j] == row[j + 2]))
            ++j;
        const int n = j - i;
        if (n < 3) {
            for (int k = 0; k < n; ++k) {
                out.push_back(1);
                out.push_back(row[i + k]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(n));
            out.insert(out.end(), row + i, row + j);
            if (n & 1)
                out.push_back(0);
        }
        i = j;
    }
}

std::vector<uint8_t> rleRows(const SIndexedImage& image)
{
    std::vector<uint8_t> out;
    for (int y = image.height - 1; y >= 0; --y) {
        encodeRleRow(&image.index[static_cast<size_t>(y) * image.width], image.width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0); // end of line, and end of bitmap after the top row
    }
    return out;
}

} // namespace

std::vector<uint8_t> encodeBmp24(const SImage8& image)
{
    const int stride = (image.width * 3 + 3) & ~3;
    std::vector<uint8_t> out = bmpHeaders(image.width, image.height, 24, 0, 0,
                                          static_cast<size_t>(stride) * image.height);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const auto p = image.pixel(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (int pad = image.width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> encodeBmp8(const SIndexedImage& image, bool runLength)
{
    const std::vector<uint8_t> pixels = runLength ? rleRows(image) : rawRows(image);
    std::vector<uint8_t> out = bmpHeaders(image.width, image.height, 8, runLength ? 1 : 0,
                                          image.palette.size(), pixels.size());
    for (const auto& c : image.palette) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> encodeJpeg(const SImage8& image, int quality)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr); // a failure here is a bug in the tool: libjpeg exits
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = TRUE;
    cinfo.optimize_coding = TRUE;
    // Full-resolution colour keeps thin gold lettering crisp.
    for (int c = 0; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(&image.rgb[static_cast<size_t>(cinfo.next_scanline) * image.width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

SImage8 decodeJpeg(const std::vector<uint8_t>& bytes)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    SImage8 out{static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), {}};
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPLE* row = &out.rgb[static_cast<size_t>(cinfo.output_scanline) * out.width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace assetgen
