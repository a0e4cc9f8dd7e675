#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Byte-by-byte reading of a knowledge file's decoded text, with the line of every byte, so
// that the data check can name where a record stands.
class CTextCursor {
public:
    static constexpr int kEnd = -1;

    explicit CTextCursor(std::string_view text) : text_(text) {}

    // The next byte (0..255), or kEnd at and after the end.
    int get();
    // The line (from 1) of the byte that get() returned last.
    int line() const { return line_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
    bool lastWasLineEnd_ = false;
};

// One quoted text as read, and what went wrong while reading it.
struct SQuotedText {
    std::string text;       // up to its first NUL byte
    int line = 0;           // line of the opening quote
    bool cut = false;       // longer than the 299 bytes kept; its 300th byte was lost
    bool unclosed = false;  // the file ended inside it
    bool hadNul = false;    // a NUL byte cut it short
};

// The longest text kept; the byte after it is taken as the closing quote whatever it is.
constexpr std::size_t kMaxQuotedText = 299;

// Reads the text after an opening quote that `in` has just returned, and consumes its
// closing quote (or, for an over-long text, the byte in the closing quote's place).
SQuotedText readQuotedText(CTextCursor& in);
