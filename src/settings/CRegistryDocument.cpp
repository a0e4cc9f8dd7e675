#include "settings/CRegistryDocument.h"

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool endsWithBackslash(std::string_view line)
{
    const std::size_t last = line.find_last_not_of(" \t");
    return last != std::string_view::npos && line[last] == '\\';
}

bool isBelowOrSame(std::string_view path, std::string_view key)
{
    if (sameRegistryName(path, key)) {
        return true;
    }
    return path.size() > key.size() && path[key.size()] == '\\' &&
           sameRegistryName(path.substr(0, key.size()), key);
}

} // namespace

CRegistryDocument CRegistryDocument::parse(std::string_view text)
{
    CRegistryDocument document;
    const std::vector<std::string> lines = splitLines(text);
    std::string currentKey;
    for (std::size_t i = 0; i < lines.size();) {
        std::vector<std::string> group{lines[i++]};
        // A value's data may go on over further lines; a blank line or a key line ends it.
        if (startsContinuedValue(group.front())) {
            while (endsWithBackslash(group.back()) && i < lines.size() && !isBlank(lines[i]) &&
                   !parseKeyLine(lines[i])) {
                group.push_back(lines[i++]);
            }
        }
        document.appendLines(std::move(group), currentKey);
        if (document.entries_.back().kind == EEntryKind::Key) {
            currentKey = document.entries_.back().keyPath;
        }
    }
    return document;
}

void CRegistryDocument::appendLines(std::vector<std::string> lines, const std::string& currentKey)
{
    SEntry entry;
    entry.lines = std::move(lines);
    if (auto path = parseKeyLine(entry.lines.front()); path && entry.lines.size() == 1) {
        entry.kind = EEntryKind::Key;
        entry.keyPath = *path;
    } else if (auto value = parseValueLines(entry.lines); value && !currentKey.empty()) {
        entry.kind = EEntryKind::Value;
        entry.keyPath = currentKey;
        entry.value = std::move(*value);
    } else if (auto name = valueLineName(entry.lines.front()); name && !currentKey.empty()) {
        entry.kind = EEntryKind::Damaged;
        entry.keyPath = currentKey;
        entry.value.name = std::move(*name);
    }
    entries_.push_back(std::move(entry));
}

std::string CRegistryDocument::serialize() const
{
    std::string text;
    if (entries_.empty() || entries_.front().lines.front() != kHeader) {
        text.append(kHeader).append("\r\n\r\n");
    }
    for (const SEntry& entry : entries_) {
        for (const std::string& line : entry.lines) {
            text.append(line).append("\r\n");
        }
    }
    return text;
}

bool CRegistryDocument::hasKey(std::string_view path) const
{
    for (const SEntry& entry : entries_) {
        if (entry.kind == EEntryKind::Key && isBelowOrSame(entry.keyPath, path)) {
            return true;
        }
    }
    return false;
}

const SRegValueData* CRegistryDocument::findValue(std::string_view keyPath,
                                                 std::string_view name) const
{
    const std::size_t index = lastValue(keyPath, name);
    return index == kNone ? nullptr : &entries_[index].value;
}

void CRegistryDocument::addKey(std::string_view path)
{
    if (lastKeyLine(path) != kNone) {
        return;
    }
    if (!entries_.empty() && !isBlank(entries_.back().lines.back())) {
        entries_.push_back({EEntryKind::Other, {""}, {}, {}});
    }
    entries_.push_back({EEntryKind::Key, {formatKeyLine(path)}, std::string(path), {}});
}

void CRegistryDocument::setValue(std::string_view keyPath, const SRegValueData& value)
{
    if (const std::vector<std::size_t> named = linesNamed(keyPath, value.name); !named.empty()) {
        // The last line of the name takes the value (where the editor would have read it from);
        // the others go, back to front so the indexes stay right.
        SEntry& kept = entries_[named.back()];
        kept.kind = EEntryKind::Value;
        kept.value = value;
        kept.lines = formatValueLines(value);
        for (std::size_t i = named.size() - 1; i-- > 0;) {
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(named[i]));
        }
        return;
    }
    addKey(keyPath);
    // New values go after the last value of the key's last section, or right below its line.
    const std::size_t keyLine = lastKeyLine(keyPath);
    std::size_t insertAt = keyLine + 1;
    for (std::size_t i = insertAt; i < entries_.size() && entries_[i].kind != EEntryKind::Key; ++i) {
        if (entries_[i].kind == EEntryKind::Value) {
            insertAt = i + 1;
        }
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                    SEntry{EEntryKind::Value, formatValueLines(value), entries_[keyLine].keyPath, value});
}

std::size_t CRegistryDocument::lastKeyLine(std::string_view path) const
{
    for (std::size_t i = entries_.size(); i-- > 0;) {
        if (entries_[i].kind == EEntryKind::Key && sameRegistryName(entries_[i].keyPath, path)) {
            return i;
        }
    }
    return kNone;
}

std::size_t CRegistryDocument::lastValue(std::string_view keyPath, std::string_view name) const
{
    for (std::size_t i = entries_.size(); i-- > 0;) {
        const SEntry& entry = entries_[i];
        if (entry.kind == EEntryKind::Value && sameRegistryName(entry.keyPath, keyPath) &&
            sameRegistryName(entry.value.name, name)) {
            return i;
        }
    }
    return kNone;
}

std::vector<std::size_t> CRegistryDocument::linesNamed(std::string_view keyPath, std::string_view name) const
{
    std::vector<std::size_t> named;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const SEntry& entry = entries_[i];
        if ((entry.kind == EEntryKind::Value || entry.kind == EEntryKind::Damaged) &&
            sameRegistryName(entry.keyPath, keyPath) && sameRegistryName(entry.value.name, name)) {
            named.push_back(i);
        }
    }
    return named;
}
