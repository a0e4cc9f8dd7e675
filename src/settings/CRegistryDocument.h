#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegFileSyntax.h"

// The registry file as lines: key lines, value lines and everything else, which is kept
// exactly as it was so that a save never throws away what it does not understand.
class CRegistryDocument {
public:
    static CRegistryDocument parse(std::string_view text);
    // The file's text: the header line first, every line ended by CR LF.
    std::string serialize() const;

    // A key exists when a key line names it or anything below it.
    bool hasKey(std::string_view path) const;
    // The value as the editor would import it: the last one of that name in the key wins.
    const SRegValueData* findValue(std::string_view keyPath, std::string_view name) const;

    // Adds a key line for `path` unless one exists.
    void addKey(std::string_view path);
    // Writes the value in place of every line of that name in the key, readable or not, so
    // the name is left once.
    void setValue(std::string_view keyPath, const SRegValueData& value);

private:
    // Damaged: a value line of a key whose data cannot be read; kept, but never a value.
    enum class EEntryKind { Key, Value, Damaged, Other };
    struct SEntry {
        EEntryKind kind = EEntryKind::Other;
        std::vector<std::string> lines;
        std::string keyPath; // the key line's path, or for a value the key it belongs to
        SRegValueData value;
    };

    void appendLines(std::vector<std::string> lines, const std::string& currentKey);
    std::size_t lastKeyLine(std::string_view path) const;
    std::size_t lastValue(std::string_view keyPath, std::string_view name) const;
    std::vector<std::size_t> linesNamed(std::string_view keyPath, std::string_view name) const;

    std::vector<SEntry> entries_;
};
