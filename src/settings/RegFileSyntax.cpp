#include "settings/RegFileSyntax.h"

#include <cstdio>

#include "settings/RegistryTypes.h"

namespace {

constexpr std::string_view kDword = "dword:";
constexpr std::string_view kHex = "hex";
constexpr std::size_t kBytesPerLine = 24;

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = foldCase(c);
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

std::string_view trimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view trimLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

// A quoted text with \\ and \" escapes at the front of `text`; consumes it.
std::optional<std::string> takeQuoted(std::string_view& text)
{
    if (text.empty() || text.front() != '"') {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                return std::nullopt;
            }
            out += text[++i];
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::string quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

std::optional<std::string> takeName(std::string_view& text)
{
    if (!text.empty() && text.front() == '@') {
        text.remove_prefix(1);
        return std::string();
    }
    return takeQuoted(text);
}

std::optional<std::uint32_t> parseHexNumber(std::string_view digits, std::size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    if (text.empty()) {
        return bytes;
    }
    while (true) {
        if (text.size() < 2 || hexDigit(text[0]) < 0 || hexDigit(text[1]) < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(hexDigit(text[0]) * 16 + hexDigit(text[1])));
        text.remove_prefix(2);
        if (text.empty()) {
            return bytes;
        }
        if (text.front() != ',' || text.size() == 1) {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
}

// hex:... or hex(N):... with the continuations already joined.
std::optional<SRegValueData> parseHexData(std::string_view text)
{
    text.remove_prefix(kHex.size());
    SRegValueData value;
    value.type = RegType::Binary;
    if (!text.empty() && text.front() == '(') {
        const std::size_t close = text.find(')');
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        const auto type = parseHexNumber(text.substr(1, close - 1), 8);
        if (!type) {
            return std::nullopt;
        }
        value.type = *type;
        text.remove_prefix(close + 1);
    }
    if (text.empty() || text.front() != ':') {
        return std::nullopt;
    }
    auto bytes = parseHexBytes(text.substr(1));
    if (!bytes) {
        return std::nullopt;
    }
    value.data = std::move(*bytes);
    return value;
}

std::optional<SRegValueData> parseData(std::string_view text)
{
    if (text.starts_with(kDword)) {
        text.remove_prefix(kDword.size());
        // Exactly eight digits, as the editor writes them: a cut-off number is no number.
        const auto number = text.size() == 8 ? parseHexNumber(text, 8) : std::nullopt;
        if (!number) {
            return std::nullopt;
        }
        return SRegValueData{{}, RegType::Dword,
                            {static_cast<std::uint8_t>(*number), static_cast<std::uint8_t>(*number >> 8),
                             static_cast<std::uint8_t>(*number >> 16),
                             static_cast<std::uint8_t>(*number >> 24)}};
    }
    if (text.starts_with(kHex)) {
        return parseHexData(text);
    }
    auto string = takeQuoted(text);
    if (!string || !text.empty()) {
        return std::nullopt;
    }
    SRegValueData value{{}, RegType::String, {string->begin(), string->end()}};
    value.data.push_back(0);
    return value;
}

bool isPlainString(const SRegValueData& value)
{
    if (value.type != RegType::String || value.data.empty() || value.data.back() != 0) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        const std::uint8_t c = value.data[i];
        if (c == 0 || c == '\r' || c == '\n') {
            return false;
        }
    }
    return true;
}

std::string hexPrefix(std::uint32_t type)
{
    if (type == RegType::Binary) {
        return "hex:";
    }
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(type));
    return buffer;
}

std::vector<std::string> formatHexLines(std::string head, const std::vector<std::uint8_t>& data)
{
    std::vector<std::string> lines;
    std::string line = std::move(head);
    for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[3];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned>(data[i]));
        line += byte;
        if (i + 1 < data.size()) {
            line += ',';
            if ((i + 1) % kBytesPerLine == 0) {
                lines.push_back(line + '\\');
                line = "  ";
            }
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

std::optional<std::string> parseKeyLine(std::string_view line)
{
    line = trimRight(line);
    if (line.size() < 3 || line.front() != '[' || line.back() != ']' || line[1] == '-') {
        return std::nullopt;
    }
    const std::string_view path = line.substr(1, line.size() - 2);
    // Every part of the path must have a name: no empty parts, no leading or trailing \.
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(path);
}

bool startsContinuedValue(std::string_view line)
{
    auto name = takeName(line);
    return name && line.starts_with("=hex") && trimRight(line).ends_with('\\');
}

std::optional<SRegValueData> parseValueLines(const std::vector<std::string>& lines)
{
    if (lines.empty()) {
        return std::nullopt;
    }
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view piece = trimRight(lines[i]);
        if (i > 0) {
            piece = trimLeft(piece);
        }
        const bool continues = i + 1 < lines.size();
        if (continues != piece.ends_with('\\')) {
            return std::nullopt;
        }
        joined += continues ? piece.substr(0, piece.size() - 1) : piece;
    }
    std::string_view text = joined;
    auto name = takeName(text);
    if (!name || text.empty() || text.front() != '=') {
        return std::nullopt;
    }
    auto value = parseData(text.substr(1));
    if (!value) {
        return std::nullopt;
    }
    value->name = std::move(*name);
    return value;
}

std::optional<std::string> valueLineName(std::string_view line)
{
    auto name = takeName(line);
    if (!name || line.empty() || line.front() != '=') {
        return std::nullopt;
    }
    return name;
}

std::vector<std::string> formatValueLines(const SRegValueData& value)
{
    const std::string name = value.name.empty() ? "@" : quote(value.name);
    if (value.type == RegType::Dword && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                     static_cast<std::uint32_t>(value.data[3]) << 24;
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
        return {name + "=dword:" + digits};
    }
    if (isPlainString(value)) {
        return {name + "=" + quote(std::string(value.data.begin(), value.data.end() - 1))};
    }
    return formatHexLines(name + "=" + hexPrefix(value.type), value.data);
}

std::string formatKeyLine(std::string_view path)
{
    return "[" + std::string(path) + "]";
}

bool sameRegistryName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return false;
        }
    }
    return true;
}
