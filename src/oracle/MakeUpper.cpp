#include "oracle/MakeUpper.h"

namespace {

char foldByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
        return static_cast<char>(byte - 0x20);
    }
    switch (byte) {
    case 0xE4: return static_cast<char>(0xC4);  // ä -> Ä
    case 0xF6: return static_cast<char>(0xD6);  // ö -> Ö
    case 0xFC: return static_cast<char>(0xDC);  // ü -> Ü
    default: return c;
    }
}

} // namespace

void makeUpper(std::string& text)
{
    for (char& c : text) {
        c = foldByte(c);
    }
}

std::string upperCopy(std::string text)
{
    makeUpper(text);
    return text;
}
