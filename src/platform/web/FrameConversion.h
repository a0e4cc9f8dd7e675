#pragma once
#include <cstdint>

// Rows of the back buffer (blue, green, red, unused) as the canvas takes them: red, green,
// blue, opaque. `pitch` and `rgbaPitch` are the bytes from one row to the next.
void bgrxToRgba(const std::uint8_t* pixels, std::int32_t pitch, std::uint8_t* rgba, std::int32_t rgbaPitch,
                std::int32_t width, std::int32_t height);
