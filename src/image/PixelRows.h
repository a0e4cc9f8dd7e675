#pragma once
// The inner loops that every large picture runs through, with vector versions where the
// processor has them. Each works on whole pixels and never reads or writes past them.
#include <cstddef>
#include <cstdint>

namespace pixel_rows {

// Blue, green, red bytes into blue, green, red, 0.
void widenBgrToBgrx(const std::uint8_t* source, std::uint8_t* dest, std::size_t pixels);
// Four-byte pixels copied with their fourth byte set to 0.
void clearFourthBytes(const std::uint8_t* source, std::uint8_t* dest, std::size_t pixels);
// Colour indexes through a table of 256 finished 32-bit pixels.
void lookupIndexes32(const std::uint8_t* source, std::uint8_t* dest, std::size_t pixels,
                     const std::uint32_t* table);
// Separate red, green, blue and alpha planes into blue, green, red, alpha pixels; a null
// alpha plane gives 255.
void interleavePlanes(const std::uint8_t* red, const std::uint8_t* green, const std::uint8_t* blue,
                      const std::uint8_t* alpha, std::uint8_t* dest, std::size_t pixels);

} // namespace pixel_rows
