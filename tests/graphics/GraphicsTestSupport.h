#pragma once
#include "TempFolder.h"
#include "graphics/CScreen.h"
#include "graphics/NullDisplay.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

// A screen over the null display, opened at one depth.
struct TestScreen {
    CNullDisplay* display = nullptr;
    std::unique_ptr<CScreen> screen;
};
TestScreen openTestScreen(std::uint32_t depth, std::int32_t width = 800, std::int32_t height = 600,
                          CNullDisplay::SRefusals refusals = {});

// The pixels of a surface, `width` values per row, read and written under a lock.
std::vector<std::uint32_t> readPixels(CSurface& surface);
void writePixels(CSurface& surface, const std::vector<std::uint32_t>& pixels);
std::uint32_t readPixel(CSurface& surface, std::int32_t x, std::int32_t y);

// A blank surface of the screen's format filled with random pixels, about `keyShare` of them
// equal to `key` (in runs, as pictures have them). All bits of a pixel are random, the
// fourth byte of 32 bits and the top bit of 5-5-5 included.
std::unique_ptr<CSurface> randomSurface(CScreen& screen, std::int32_t width, std::int32_t height, std::uint32_t key,
                                        double keyShare, std::mt19937& random);

// Writes an uncompressed 24-bit BMP file; `pixels` are 0x00RRGGBB, top row first.
void writeBmp24(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                const std::vector<std::uint32_t>& pixels);

// The bounding box of the pixels other than `ground`; (width, height, 0, 0) when there are none.
SRect inkBox(CSurface& surface, std::uint32_t ground = 0);

