#pragma once
#include "song/PeResourceWriter.h"
#include "TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Song packages for tests, made by the asset generator's module writer (which the Windows
// tests check against the system's own loader), and helpers to damage them at known places.
namespace testpackages {

std::vector<std::uint8_t> bytesOf(std::string_view text);
// "OggS" and some bytes: enough for the fake audio device to take it for a song.
std::vector<std::uint8_t> fakeSong(std::size_t size = 300);

std::vector<std::uint8_t> songPackage(const std::vector<std::uint8_t>& song);
// Resources under named, numbered and umlaut types and names, and lookups in them: names and
// types are found whatever their case, and only whole.
const std::vector<SResourceItem>& severalResources();
struct SLookup {
    const char* name;
    const char* type;
    std::optional<std::vector<std::uint8_t>> found;
};
const std::vector<SLookup>& severalLookups();
// The song the build packed into the data folder's resource.dat, taken out as the program does.
std::vector<std::uint8_t> builtSong();

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at);
void write16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value);
void write32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

// Offsets within a module made by the writer, found through its own headers.
std::size_t peHeaderOffset(const std::vector<std::uint8_t>& bytes);
std::size_t optionalHeaderOffset(const std::vector<std::uint8_t>& bytes);
std::size_t sectionTableOffset(const std::vector<std::uint8_t>& bytes);
std::size_t resourceDirectoryOffset(const std::vector<std::uint8_t>& bytes); // in the file
// The same module with a 64-bit (PE32+) optional header.
std::vector<std::uint8_t> toPe32Plus(const std::vector<std::uint8_t>& pe32);

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace testpackages
