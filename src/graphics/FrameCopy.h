#pragma once
#include "graphics/PixelFormat.h"

#include <cstdint>

// A frame in one of the surfaces' formats, as the shell hands it to the display.
struct SFrameView {
    const std::uint8_t* pixels = nullptr;
    std::int32_t pitch = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    ESurfaceFormat format = ESurfaceFormat::Bgrx32;
};

// Whether memory of the described format holds pixels exactly as `format` does, so that a
// frame can be copied row by row.
bool sameLayout(ESurfaceFormat format, const SPixelFormatDescription& description);

// Copies the frame into memory of the described format (a display's own buffer, which need
// not be the format the frame was drawn in): rows unchanged where the layouts agree, else each
// pixel's channels re-encoded for the destination's masks, 5-bit channels widened by repeating
// their top bits. False, touching nothing, for a palette or non-RGB destination, or a pitch
// too short for one row.
bool copyFrame(const SFrameView& frame, std::uint8_t* dest, std::int32_t destPitch,
               const SPixelFormatDescription& description);
