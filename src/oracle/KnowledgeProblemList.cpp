#include "oracle/KnowledgeProblemList.h"

#include <algorithm>
#include <cstdio>

// A text in double quotes for a message; control bytes spelled out, long texts shortened.
std::string shown(std::string_view text)
{
    constexpr std::size_t kShownBytes = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShownBytes; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            out += "\\n";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += text.size() > kShownBytes ? "...\"" : "\"";
    return out;
}

std::string atLine(int line)
{
    return " (line " + std::to_string(line) + ")";
}

void checkText(const SQuotedText& text, const std::string& what, int line, CProblemList& problems)
{
    const std::string where = text.line == line ? "" : atLine(text.line);
    if (text.cut) {
        problems.add(line, what + where + " is longer than 299 bytes: its 300th byte is lost and "
                                          "the rest is read as if outside quotes");
    }
    if (text.unclosed) {
        problems.add(line, what + where + " has no closing quote before the end of the file");
    }
    if (text.hadNul) {
        problems.add(line, what + where + " holds a NUL byte: everything after it is lost");
    }
}

std::string recordName(const CKeywordRecord& record)
{
    std::string name = "record";
    for (const std::string& keyword : record.keywords()) {
        name += ' ';
        name += shown(keyword);
    }
    return name;
}

void checkBoxLength(const std::string& answer, const std::string& what, int line,
                    const AnswerLineCount& lines, CProblemList& problems)
{
    if (!lines) {
        return;
    }
    // An echo's "*" becomes the rest of the question; without it the answer is at its shortest.
    std::string shortest = answer;
    shortest.erase(std::remove(shortest.begin(), shortest.end(), '*'), shortest.end());
    const int count = lines(shortest);
    if (count > 2) {
        problems.add(line, what + " needs " + std::to_string(count) +
                               " lines of the answer box: more than the two the box is made for");
    }
}
