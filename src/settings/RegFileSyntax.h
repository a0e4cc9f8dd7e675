#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The registry editor's export format, one line (or one continued value) at a time:
//   [HKEY_CURRENT_USER\Software\Velmora\Minnespiegel\2004]
//   "back"=dword:00000004
//   "text"="a \"quoted\" word"
//   "bytes"=hex:01,02,03   or   hex(7):..., continued over lines ending in a backslash

struct SRegValueData {
    std::string name; // empty for the key's default value, written @
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;

    bool operator==(const SRegValueData&) const = default;
};

// The path of a key line, or nothing when the line is not one.
std::optional<std::string> parseKeyLine(std::string_view line);

// Whether the line starts a value whose data may go on over the next lines.
bool startsContinuedValue(std::string_view line);

// A value from its lines (one, or several joined by a trailing backslash), or nothing when
// they are not exactly one well-formed value.
std::optional<SRegValueData> parseValueLines(const std::vector<std::string>& lines);

// The name of a value line, even one whose data cannot be read ("music"=dword:zzzz), or
// nothing when the line does not start with a name and "=".
std::optional<std::string> valueLineName(std::string_view line);

// The lines that write `value` so that parseValueLines gives it back unchanged.
std::vector<std::string> formatValueLines(const SRegValueData& value);
std::string formatKeyLine(std::string_view path);

// Whether two key paths or value names are the same, ignoring the case of ASCII letters.
bool sameRegistryName(std::string_view a, std::string_view b);
