#include "TestPackages.h"

#include "music/CResourceModule.h"

#include <gtest/gtest.h>

namespace testpackages {

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> fakeSong(std::size_t size)
{
    std::vector<std::uint8_t> song = bytesOf("OggS");
    for (std::size_t i = song.size(); i < size; ++i) {
        song.push_back(static_cast<std::uint8_t>(i * 7 + 3));
    }
    return song;
}

std::vector<std::uint8_t> songPackage(const std::vector<std::uint8_t>& song)
{
    return buildResourceModule({{"OGG", "MUSIC.OGG", 0x0407, song}});
}

const std::vector<SResourceItem>& severalResources()
{
    static const std::vector<SResourceItem> items{
        {"OGG", "MUSIC.OGG", 0x0407, fakeSong(100)},       {"OGG", "intro.ogg", 0x0407, bytesOf("intro")},
        {"WAVE", "MUSIC.OGG", 0x0407, bytesOf("not the song")}, {"#10", "#7", 0x0409, bytesOf("numbered")},
        {"OGG", "#3", 0x0407, bytesOf("numbered song")},   {"\xC4RGER", "\xDC" "bel", 0x0407, bytesOf("umlauts")},
    };
    return items;
}

const std::vector<SLookup>& severalLookups()
{
    static const std::vector<SLookup> lookups{
        {"music.ogg", "ogg", fakeSong(100)}, {"Music.Ogg", "oGg", fakeSong(100)}, {"INTRO.OGG", "ogg", bytesOf("intro")},
        {"music.ogg", "wave", bytesOf("not the song")}, {"#7", "#10", bytesOf("numbered")},
        {"#3", "ogg", bytesOf("numbered song")}, {"\xFC" "bel", "\xE4rger", bytesOf("umlauts")},
        {"music.og", "ogg", {}}, {"music.oggx", "ogg", {}}, {"intro.ogg", "wave", {}}, {"music.ogg", "og", {}},
        {"#8", "#10", {}}, {"7", "#10", {}}, {"", "ogg", {}},
    };
    return lookups;
}

std::vector<std::uint8_t> builtSong()
{
    CResourceModule package(std::filesystem::path(MINNE_DATA_DIR) / "resource.dat");
    const auto location = package.Load() ? package.Find("music.ogg", "ogg") : std::nullopt;
    const auto bytes = location ? package.Data(*location) : std::nullopt;
    EXPECT_TRUE(bytes.has_value()) << "no song in " << MINNE_DATA_DIR << "/resource.dat";
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>{};
}

std::uint32_t read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes.at(at) | (bytes.at(at + 1) << 8) | (bytes.at(at + 2) << 16) |
           (static_cast<std::uint32_t>(bytes.at(at + 3)) << 24);
}

void write16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes.at(at) = static_cast<std::uint8_t>(value);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void write32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    write16(bytes, at, static_cast<std::uint16_t>(value));
    write16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::size_t peHeaderOffset(const std::vector<std::uint8_t>& bytes)
{
    return read32(bytes, 0x3C);
}

std::size_t optionalHeaderOffset(const std::vector<std::uint8_t>& bytes)
{
    return peHeaderOffset(bytes) + 4 + 20;
}

std::size_t sectionTableOffset(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t coff = peHeaderOffset(bytes) + 4;
    return optionalHeaderOffset(bytes) + (bytes.at(coff + 16) | (bytes.at(coff + 17) << 8));
}

std::size_t resourceDirectoryOffset(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t section = sectionTableOffset(bytes);
    const std::uint32_t rva = read32(bytes, optionalHeaderOffset(bytes) + 96 + 16);
    return read32(bytes, section + 20) + (rva - read32(bytes, section + 12));
}

std::vector<std::uint8_t> toPe32Plus(const std::vector<std::uint8_t>& pe32)
{
    const std::size_t optional = optionalHeaderOffset(pe32);
    const std::size_t sections = sectionTableOffset(pe32);
    std::vector<std::uint8_t> out(pe32.begin(), pe32.begin() + static_cast<std::ptrdiff_t>(optional));
    std::vector<std::uint8_t> header(240, 0);
    std::copy_n(pe32.begin() + static_cast<std::ptrdiff_t>(optional), 24, header.begin());
    write16(header, 0, 0x20B);
    write32(header, 24, read32(pe32, optional + 28)); // image base, now 64 bits
    std::copy_n(pe32.begin() + static_cast<std::ptrdiff_t>(optional + 32), 40, header.begin() + 32);
    for (int i = 0; i < 4; ++i) { // stack and heap sizes, now 64 bits each
        write32(header, 72 + 8 * i, read32(pe32, optional + 72 + 4 * i));
    }
    write32(header, 108, read32(pe32, optional + 92));
    std::copy_n(pe32.begin() + static_cast<std::ptrdiff_t>(optional + 96), 128, header.begin() + 112);
    out.insert(out.end(), header.begin(), header.end());
    write16(out, peHeaderOffset(pe32) + 4 + 16, 240);
    // The section table moves back by 16 bytes into the padding before the first section.
    out.insert(out.end(), pe32.begin() + static_cast<std::ptrdiff_t>(sections), pe32.end());
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(sections + 16 + 40),
              out.begin() + static_cast<std::ptrdiff_t>(sections + 16 + 40 + 16));
    return out;
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    CTempFolder::writeFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

} // namespace testpackages
