#include "platform/web/TrueTypeTables.h"

#include <string_view>

namespace {

std::optional<std::uint32_t> readU16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at + 2 > bytes.size()) {
        return std::nullopt;
    }
    return std::uint32_t{bytes[at]} << 8 | bytes[at + 1];
}

std::optional<std::uint32_t> readU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    const auto high = readU16(bytes, at);
    const auto low = readU16(bytes, at + 2);
    if (!high || !low) {
        return std::nullopt;
    }
    return *high << 16 | *low;
}

// The table with this tag, within the file.
std::optional<std::span<const std::uint8_t>> findTable(std::span<const std::uint8_t> font, std::string_view tag)
{
    const auto count = readU16(font, 4);
    if (!count) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < *count; ++index) {
        const std::size_t record = 12 + 16 * index;
        if (record + 16 > font.size()) {
            return std::nullopt;
        }
        if (std::string_view(reinterpret_cast<const char*>(font.data() + record), 4) != tag) {
            continue;
        }
        const auto offset = readU32(font, record + 8);
        const auto length = readU32(font, record + 12);
        if (!offset || !length || *offset > font.size() || *length > font.size() - *offset) {
            return std::nullopt;
        }
        return font.subspan(*offset, *length);
    }
    return std::nullopt;
}

} // namespace

std::optional<STrueTypeMetrics> readTrueTypeMetrics(std::span<const std::uint8_t> font)
{
    const auto head = findTable(font, "head");
    const auto os2 = findTable(font, "OS/2");
    if (!head || !os2) {
        return std::nullopt;
    }
    const auto unitsPerEm = readU16(*head, 18);
    const auto ascent = readU16(*os2, 74);
    const auto descent = readU16(*os2, 76);
    if (!unitsPerEm || !ascent || !descent || *unitsPerEm == 0 || *ascent + *descent == 0) {
        return std::nullopt;
    }
    const auto average = readU16(*os2, 2);
    return STrueTypeMetrics{static_cast<std::int32_t>(*unitsPerEm), static_cast<std::int32_t>(*ascent),
                            static_cast<std::int32_t>(*descent),
                            average && *average < 0x8000 ? static_cast<std::int32_t>(*average) : 0};
}
