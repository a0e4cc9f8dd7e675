#include "PeResourceWriter.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kPeHeaderOffset = 0x80;
constexpr std::uint32_t kOptionalHeaderSize = 224;
constexpr std::uint32_t kHeadersSize = 0x200;
constexpr std::uint32_t kChecksumOffset = kPeHeaderOffset + 4 + 20 + 64;

// A directory key: names sort before numbers, names by their upper-case text.
struct SKey {
    bool isNumber = false;
    std::uint16_t number = 0;
    std::string name;

    bool operator<(const SKey& other) const
    {
        if (isNumber != other.isNumber) {
            return !isNumber;
        }
        return isNumber ? number < other.number : name < other.name;
    }
};

SKey keyOf(std::string_view text)
{
    if (text.size() > 1 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {true, static_cast<std::uint16_t>(std::stoul(std::string(text.substr(1)))), {}};
    }
    if (text.empty() || text.size() > 0x7FFF) {
        throw std::invalid_argument("a resource name must have 1 to 32767 characters");
    }
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return {false, 0, upper};
}

using NameTable = std::map<SKey, std::vector<const SResourceItem*>>;
using TypeTable = std::map<SKey, NameTable>;

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    out.at(at + 1);
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

std::uint32_t directorySize(std::size_t entries)
{
    return static_cast<std::uint32_t>(16 + 8 * entries);
}

// Lays out and writes the .rsrc section: all directories, then the data entries, the name
// strings, and the resource bytes, each on an 8-byte boundary.
class CResourceSectionWriter {
public:
    explicit CResourceSectionWriter(const TypeTable& types) : types_(types) {}

    std::vector<std::uint8_t> write()
    {
        layOut();
        out_.assign(size_, 0);
        writeDirectory(0, types_.size(), [&](auto emit) {
            for (const auto& [type, names] : types_) {
                emit(type, true, nameDirectoryOffset_.at(&names));
            }
        });
        for (const auto& [type, names] : types_) {
            writeNameLevel(names);
        }
        return std::move(out_);
    }

private:
    void layOut()
    {
        std::uint32_t at = directorySize(types_.size());
        for (const auto& [type, names] : types_) {
            nameDirectoryOffset_[&names] = at;
            at += directorySize(names.size());
        }
        for (const auto& [type, names] : types_) {
            for (const auto& [name, items] : names) {
                languageDirectoryOffset_[&items] = at;
                at += directorySize(items.size());
            }
        }
        forEachItem([&](const SResourceItem* item) {
            dataEntryOffset_[item] = at;
            at += 16;
        });
        for (const auto& [type, names] : types_) {
            at = placeString(type, at);
            for (const auto& [name, items] : names) {
                at = placeString(name, at);
            }
        }
        forEachItem([&](const SResourceItem* item) {
            at = alignUp(at, 8);
            dataOffset_[item] = at;
            at += static_cast<std::uint32_t>(item->data.size());
        });
        size_ = at;
    }

    std::uint32_t placeString(const SKey& key, std::uint32_t at)
    {
        if (key.isNumber || stringOffset_.count(key.name) != 0) {
            return at;
        }
        stringOffset_[key.name] = at;
        return at + 2 + 2 * static_cast<std::uint32_t>(key.name.size());
    }

    template <typename Visit>
    void forEachItem(Visit visit) const
    {
        for (const auto& [type, names] : types_) {
            for (const auto& [name, items] : names) {
                for (const SResourceItem* item : items) {
                    visit(item);
                }
            }
        }
    }

    void writeNameLevel(const NameTable& names)
    {
        writeDirectory(nameDirectoryOffset_.at(&names), names.size(), [&](auto emit) {
            for (const auto& [name, items] : names) {
                emit(name, true, languageDirectoryOffset_.at(&items));
            }
        });
        for (const auto& entry : names) {
            const std::vector<const SResourceItem*>& items = entry.second;
            writeDirectory(languageDirectoryOffset_.at(&items), items.size(), [&](auto emit) {
                for (const SResourceItem* item : items) {
                    emit(SKey{true, item->language, {}}, false, dataEntryOffset_.at(item));
                    writeData(*item);
                }
            });
        }
    }

    template <typename Entries>
    void writeDirectory(std::uint32_t at, std::size_t count, Entries entries)
    {
        std::uint32_t named = 0;
        std::uint32_t next = at + 16;
        entries([&](const SKey& key, bool isDirectory, std::uint32_t target) {
            named += key.isNumber ? 0 : 1;
            put32(out_, next, key.isNumber ? key.number : (0x80000000u | writeString(key.name)));
            put32(out_, next + 4, isDirectory ? (0x80000000u | target) : target);
            next += 8;
        });
        put16(out_, at + 12, named);
        put16(out_, at + 14, static_cast<std::uint32_t>(count) - named);
    }

    std::uint32_t writeString(const std::string& name)
    {
        const std::uint32_t at = stringOffset_.at(name);
        put16(out_, at, static_cast<std::uint32_t>(name.size()));
        for (std::size_t i = 0; i < name.size(); ++i) {
            put16(out_, at + 2 + 2 * i, static_cast<unsigned char>(name[i]));
        }
        return at;
    }

    void writeData(const SResourceItem& item)
    {
        const std::uint32_t entry = dataEntryOffset_.at(&item);
        const std::uint32_t data = dataOffset_.at(&item);
        put32(out_, entry, kSectionRva + data);
        put32(out_, entry + 4, static_cast<std::uint32_t>(item.data.size()));
        std::copy(item.data.begin(), item.data.end(), out_.begin() + data);
    }

    const TypeTable& types_;
    std::map<const NameTable*, std::uint32_t> nameDirectoryOffset_;
    std::map<const std::vector<const SResourceItem*>*, std::uint32_t> languageDirectoryOffset_;
    std::map<const SResourceItem*, std::uint32_t> dataEntryOffset_;
    std::map<const SResourceItem*, std::uint32_t> dataOffset_;
    std::map<std::string, std::uint32_t> stringOffset_;
    std::uint32_t size_ = 0;
    std::vector<std::uint8_t> out_;
};

void writeDosHeader(std::vector<std::uint8_t>& out)
{
    static constexpr std::uint8_t kStub[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD,
                                             0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
    static constexpr std::string_view kMessage = "This program cannot be run in DOS mode.\r\r\n$";
    out[0] = 'M';
    out[1] = 'Z';
    put16(out, 0x02, 0x90);   // bytes on the last page
    put16(out, 0x04, 3);      // pages
    put16(out, 0x08, 4);      // header paragraphs
    put16(out, 0x0C, 0xFFFF); // most extra paragraphs
    put16(out, 0x10, 0xB8);   // initial stack pointer
    put16(out, 0x18, 0x40);   // relocation table
    put32(out, 0x3C, kPeHeaderOffset);
    std::copy(std::begin(kStub), std::end(kStub), out.begin() + 0x40);
    std::copy(kMessage.begin(), kMessage.end(), out.begin() + 0x4E);
}

void writePeHeaders(std::vector<std::uint8_t>& out, std::uint32_t sectionSize, std::uint32_t rawSize)
{
    std::size_t at = kPeHeaderOffset;
    out[at] = 'P';
    out[at + 1] = 'E';
    at += 4;
    put16(out, at, 0x014C);                  // i386
    put16(out, at + 2, 1);                   // one section
    put16(out, at + 16, kOptionalHeaderSize);
    put16(out, at + 18, 0x2102);             // executable image, 32-bit, DLL
    at += 20;
    put16(out, at, 0x010B);                  // PE32
    out[at + 2] = 14;                        // linker version
    put32(out, at + 8, rawSize);             // initialised data
    put32(out, at + 20, kSectionRva);        // base of code
    put32(out, at + 24, kSectionRva);        // base of data
    put32(out, at + 28, 0x10000000);         // image base
    put32(out, at + 32, kSectionAlignment);
    put32(out, at + 36, kFileAlignment);
    put16(out, at + 40, 5);                  // operating system 5.1
    put16(out, at + 42, 1);
    put16(out, at + 44, 1);                  // image version 1.0
    put16(out, at + 48, 5);                  // subsystem 5.1
    put16(out, at + 50, 1);
    put32(out, at + 56, kSectionRva + alignUp(sectionSize, kSectionAlignment));
    put32(out, at + 60, kHeadersSize);
    put16(out, at + 68, 2);                  // Windows GUI
    put16(out, at + 70, 0x0540);             // dynamic base, NX compatible, no SEH
    put32(out, at + 72, 0x100000);
    put32(out, at + 76, 0x1000);
    put32(out, at + 80, 0x100000);
    put32(out, at + 84, 0x1000);
    put32(out, at + 92, 16);                 // data directories
    put32(out, at + 96 + 2 * 8, kSectionRva);  // the resource directory
    put32(out, at + 96 + 2 * 8 + 4, sectionSize);
    at += kOptionalHeaderSize;
    static constexpr std::string_view kName = ".rsrc";
    std::copy(kName.begin(), kName.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    put32(out, at + 8, sectionSize);
    put32(out, at + 12, kSectionRva);
    put32(out, at + 16, rawSize);
    put32(out, at + 20, kHeadersSize);
    put32(out, at + 36, 0x40000040);         // initialised data, readable
}

// The image checksum as the Windows loader computes it for drivers and system DLLs.
std::uint32_t imageChecksum(const std::vector<std::uint8_t>& image)
{
    std::uint64_t sum = 0;
    for (std::size_t at = 0; at < image.size(); at += 2) {
        if (at == kChecksumOffset || at == kChecksumOffset + 2) {
            continue;
        }
        const std::uint32_t high = at + 1 < image.size() ? image[at + 1] : 0;
        sum += image[at] | (high << 8);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + image.size());
}

} // namespace

std::vector<std::uint8_t> buildResourceModule(const std::vector<SResourceItem>& items)
{
    TypeTable types;
    for (const SResourceItem& item : items) {
        types[keyOf(item.type)][keyOf(item.name)].push_back(&item);
    }
    for (auto& [type, names] : types) {
        for (auto& [name, list] : names) {
            std::sort(list.begin(), list.end(), [](const SResourceItem* a, const SResourceItem* b) {
                return a->language < b->language;
            });
        }
    }
    const std::vector<std::uint8_t> section = CResourceSectionWriter(types).write();
    const auto sectionSize = static_cast<std::uint32_t>(section.size());
    const std::uint32_t rawSize = alignUp(sectionSize, kFileAlignment);

    std::vector<std::uint8_t> image(kHeadersSize + rawSize, 0);
    writeDosHeader(image);
    writePeHeaders(image, sectionSize, rawSize);
    std::copy(section.begin(), section.end(), image.begin() + kHeadersSize);
    put32(image, kChecksumOffset, imageChecksum(image));
    return image;
}
