#pragma once
#include <optional>
#include <string>
#include <string_view>

// Inside the program every text is Windows-1252 bytes; these convert at the edges only.

// The Windows-1252 byte for a Unicode code point, or nothing when the code page lacks it.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

// The Unicode code point of a Windows-1252 byte (the five unused bytes map to U+FFFD).
char32_t cp1252ToUnicode(unsigned char byte);

// UTF-8 to Windows-1252. Characters the code page lacks, and malformed sequences, become
// `replacement` when it is given and are dropped when it is not.
std::string utf8ToCp1252(std::string_view utf8, std::optional<char> replacement = std::nullopt);

// Windows-1252 to UTF-8.
std::string cp1252ToUtf8(std::string_view cp1252);

// Decodes the UTF-8 sequence at the front of `utf8`; returns the code point and consumes it,
// or nothing (consuming one byte) when the sequence is malformed.
std::optional<char32_t> takeUtf8CodePoint(std::string_view& utf8);
