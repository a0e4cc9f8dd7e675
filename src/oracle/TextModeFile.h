#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The knowledge files are read as Windows reads a text file: CR LF becomes LF, a Ctrl-Z
// (0x1A) ends the file, and every other byte, a lone CR included, comes through unchanged.
std::string decodeTextMode(std::string_view fileBytes);

// What became of reading a knowledge file; the caller decides what to tell the user.
enum class EKnowledgeFile { Read, Missing, Unreadable };

struct SKnowledgeFileBytes {
    std::string bytes;
    EKnowledgeFile state = EKnowledgeFile::Read;
};

// The raw bytes of a knowledge file. A missing file is never created: an empty file left
// behind would hide the loss on every later start. Anything that cannot be read (no
// permission, not a regular file) reads as empty.
SKnowledgeFileBytes readKnowledgeFileBytes(const std::filesystem::path& path);
