#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The knowledge files are read as Windows reads a text file: CR LF becomes LF, a Ctrl-Z
// (0x1A) ends the file, and every other byte, a lone CR included, comes through unchanged.
std::string decodeTextMode(std::string_view fileBytes);

// The raw bytes of a knowledge file. A missing file is created empty, as opening it for
// input does on the original platform, so a first start leaves both files behind. Anything
// that cannot be read (no permission, not a regular file) reads as empty; nothing is reported.
std::string readKnowledgeFileBytes(const std::filesystem::path& path);
