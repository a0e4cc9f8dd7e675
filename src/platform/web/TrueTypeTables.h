#pragma once
#include <cstdint>
#include <optional>
#include <span>

// The few numbers of a TrueType file that stb_truetype does not give: the cell the system's
// text layout measures (OS/2's Windows ascent and descent) and the average width. Every read is
// bounds-checked; a damaged table reads as absent.
struct STrueTypeMetrics {
    std::int32_t unitsPerEm = 0;
    std::int32_t winAscent = 0;
    std::int32_t winDescent = 0;
    std::int32_t averageWidth = 0; // OS/2 xAvgCharWidth, 0 when unknown
};

std::optional<STrueTypeMetrics> readTrueTypeMetrics(std::span<const std::uint8_t> font);
