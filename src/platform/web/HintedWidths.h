#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// A font's advances per Windows-1252 byte as a hinting rasteriser gives them, for each em size
// in pixels: what a font's hdmx table holds, for a font that has none. As text, one size a
// line: the size, a colon, and 256 advances.
class CHintedWidths {
public:
    using Row = std::array<std::int32_t, 256>;

    // Nothing when a line is malformed.
    static std::optional<CHintedWidths> parse(std::string_view text);
    std::string write() const;

    void set(std::int32_t pixelsPerEm, const Row& advances) { rows_[pixelsPerEm] = advances; }
    std::optional<std::int32_t> advance(std::int32_t pixelsPerEm, unsigned char byte) const;

private:
    std::map<std::int32_t, Row> rows_;
};
