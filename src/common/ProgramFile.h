#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// The program opens its files (knowledge, help, pictures, the song package, logs) by name
// through the C library's narrow calls, as it always did. Its names are single bytes: on a
// system whose own paths are wide (Windows) they are Windows-1252, the code page of every
// text inside the program; elsewhere they are the path's own bytes.

// The name as the narrow calls take it. A character Windows-1252 lacks becomes '?', which no
// file name holds, so such a file is not found rather than another one opened.
std::string narrowFileName(const std::filesystem::path& path);

// The path a narrow name stands for: names the program is given as bytes (its command line).
std::filesystem::path pathFromNarrowName(const std::string& name);

struct SFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, SFileCloser>;

// fopen through the narrow name; empty when the file cannot be opened.
FilePtr openProgramFile(const std::filesystem::path& path, const char* mode);

// The whole of a regular file, or nothing when it is not one, cannot be read or holds more
// than `limit` bytes (so a huge file is never read into memory).
std::optional<std::string> readProgramFile(const std::filesystem::path& path, std::uintmax_t limit);
