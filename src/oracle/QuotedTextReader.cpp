#include "oracle/QuotedTextReader.h"

int CTextCursor::get()
{
    if (lastWasLineEnd_) {
        ++line_;
        lastWasLineEnd_ = false;
    }
    if (position_ >= text_.size()) {
        return kEnd;
    }
    const auto byte = static_cast<unsigned char>(text_[position_++]);
    lastWasLineEnd_ = byte == '\n';
    return byte;
}

SQuotedText readQuotedText(CTextCursor& in)
{
    SQuotedText quoted;
    quoted.line = in.line();
    bool closed = false;
    while (quoted.text.size() < kMaxQuotedText) {
        const int c = in.get();
        if (c == CTextCursor::kEnd) {
            quoted.unclosed = true;
            break;
        }
        if (c == '"') {
            closed = true;
            break;
        }
        quoted.text += static_cast<char>(c);
    }
    if (!closed && !quoted.unclosed) {
        // The buffer is full: the next byte is consumed as if it were the closing quote.
        const int c = in.get();
        quoted.unclosed = c == CTextCursor::kEnd;
        quoted.cut = c != CTextCursor::kEnd && c != '"';
    }
    const std::size_t nul = quoted.text.find('\0');
    if (nul != std::string::npos) {
        quoted.text.resize(nul);
        quoted.hadNul = true;
    }
    return quoted;
}
