#include "platform/web/HintedWidths.h"

#include <charconv>

namespace {

// Reads a number and the blanks after it; false when none is there.
bool readNumber(std::string_view& text, std::int32_t& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || number < 0 || number > 4096) {
        return false;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return true;
}

} // namespace

std::optional<CHintedWidths> CHintedWidths::parse(std::string_view text)
{
    CHintedWidths widths;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty()) {
            continue;
        }
        std::int32_t size = 0;
        if (!readNumber(line, size) || line.empty() || line.front() != ':') {
            return std::nullopt;
        }
        line.remove_prefix(1);
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        Row row{};
        for (std::int32_t& advance : row) {
            if (!readNumber(line, advance)) {
                return std::nullopt;
            }
        }
        if (!line.empty()) {
            return std::nullopt;
        }
        widths.rows_[size] = row;
    }
    return widths;
}

std::string CHintedWidths::write() const
{
    std::string text;
    for (const auto& [size, row] : rows_) {
        text += std::to_string(size) + ":";
        for (const std::int32_t advance : row) {
            text += " " + std::to_string(advance);
        }
        text += "\n";
    }
    return text;
}

std::optional<std::int32_t> CHintedWidths::advance(std::int32_t pixelsPerEm, unsigned char byte) const
{
    const auto row = rows_.find(pixelsPerEm);
    if (row == rows_.end()) {
        return std::nullopt;
    }
    return row->second[byte];
}
