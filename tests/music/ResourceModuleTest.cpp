// The song package's reader; that it stays within any bytes at all is the fuzzer's to show,
// these are the refusals and lookups a user's package depends on. A missing or damaged file
// left unloaded is MusicPlayerTest's; short files are the truncations below.
#include "music/CResourceModule.h"

#include "TestPackages.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testpackages;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Damage = std::function<void(Bytes&)>;

// The bytes of resource `name` of type `type`, or nothing at whichever step fails.
std::optional<Bytes> lookUp(const Bytes& file, std::string_view name, std::string_view type)
{
    const std::optional<CPeImage> image = CPeImage::parse(file);
    const auto location = image ? image->find(name, type) : std::nullopt;
    const auto bytes = location ? image->bytesOf(*location) : std::nullopt;
    return bytes ? std::optional(Bytes(bytes->begin(), bytes->end())) : std::nullopt;
}

Bytes damaged(const Damage& damage)
{
    Bytes bytes = songPackage(fakeSong());
    damage(bytes);
    return bytes;
}

} // namespace

TEST(ResourceLookup, FindsResourcesByNameAndTypeWithoutRegardToCaseAndNothingElse)
{
    const Bytes file = buildResourceModule(severalResources());
    for (const SLookup& lookup : severalLookups()) {
        EXPECT_EQ(lookUp(file, lookup.name, lookup.type), lookup.found) << lookup.name << " " << lookup.type;
    }
    EXPECT_EQ(lookUp(buildResourceModule({}), "music.ogg", "ogg"), std::nullopt);
    EXPECT_EQ(lookUp(toPe32Plus(songPackage(fakeSong())), "music.ogg", "ogg"), fakeSong()) << "the 64-bit layout";
}

TEST(CResourceModule, KeepsTheFileInMemoryFromLoadToFreeAndLoadsNothingElse)
{
    CTempFolder folder;
    const auto path = folder.path() / "resource.dat";
    writeFile(path, songPackage(fakeSong(5000)));
    CResourceModule package(path);
    ASSERT_TRUE(package.Load());
    std::filesystem::remove(path);
    const auto location = package.Find("music.ogg", "ogg");
    ASSERT_TRUE(location.has_value());
    const auto bytes = package.Data(*location);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(Bytes(bytes->begin(), bytes->end()), fakeSong(5000));
    // A second load of a loaded module gives the same image, as the system loader does.
    EXPECT_TRUE(package.Load());
    EXPECT_EQ(package.Data(*location)->data(), bytes->data());
    package.Free();
    EXPECT_FALSE(package.IsLoaded());
    EXPECT_FALSE(package.Find("music.ogg", "ogg").has_value());
    EXPECT_FALSE(package.Data(*location).has_value());
    EXPECT_FALSE(package.Load()) << "the file is gone";
    EXPECT_FALSE(CResourceModule().Load());
}

TEST(DamagedModule, TruncationsAndBrokenHeadersAreRefused)
{
    const Bytes file = songPackage(fakeSong());
    ASSERT_TRUE(CPeImage::parse(file).has_value());
    for (std::size_t size = 0; size < file.size(); ++size) {
        EXPECT_FALSE(CPeImage::parse(Bytes(file.begin(), file.begin() + std::ptrdiff_t(size)))) << "cut to " << size;
    }
    const std::size_t pe = peHeaderOffset(file), optional = optionalHeaderOffset(file), section = sectionTableOffset(file);
    const Damage damages[] = {
        [](Bytes& b) { b[0] = 'Z'; },
        [&](Bytes& b) { b[pe + 1] = 'X'; },
        [&](Bytes& b) { write16(b, optional, 0x107); },
        [&](Bytes& b) { write32(b, 0x3C, static_cast<std::uint32_t>(b.size()) - 2); },
        [&](Bytes& b) { write16(b, pe + 4 + 16, 40); },                // optional header too small for its fields
        [&](Bytes& b) { write16(b, pe + 4 + 2, 0xFFFF); },             // section count
        [&](Bytes& b) { write32(b, section + 16, 0x7FFFFFFF); }};      // raw size
    for (std::size_t i = 0; i < std::size(damages); ++i) {
        EXPECT_FALSE(CPeImage::parse(damaged(damages[i]))) << i;
    }
}

TEST(DamagedModule, BrokenResourceTreesFindNothingAndDataOutsideCannotBeRead)
{
    const Bytes good = songPackage(fakeSong());
    const std::size_t optional = optionalHeaderOffset(good), root = resourceDirectoryOffset(good);
    const std::size_t typeEntry = root + 16;
    const std::size_t nameEntry = root + (read32(good, typeEntry + 4) & 0x7FFFFFFF) + 16;
    const Damage damages[] = {
        [&](Bytes& b) { write32(b, optional + 92, 2); },                 // no resource directory
        [&](Bytes& b) { write32(b, optional + 96 + 16, 0x9000); },       // outside every section
        [&](Bytes& b) { write16(b, root + 12, 0); },                     // no entries
        [&](Bytes& b) { write32(b, typeEntry + 4, 0x00000018u); },       // data where a level belongs
        [&](Bytes& b) { write32(b, nameEntry + 4, 0x80000000u); },       // loops back to the root
        [&](Bytes& b) { write16(b, root + (read32(b, typeEntry) & 0x7FFFFFFF), 0x7FFF); }}; // name past the end
    for (std::size_t i = 0; i < std::size(damages); ++i) {
        const std::optional<CPeImage> image = CPeImage::parse(damaged(damages[i]));
        EXPECT_TRUE(image && !image->find("music.ogg", "ogg")) << i;
    }

    // The one song's data entry follows the three levels of directory (16 bytes) and entry (8).
    const std::size_t entry = root + 3 * 24;
    for (const auto& [rva, size] : {std::pair{read32(good, entry), 0x7FFFFFFFu}, std::pair{0xFFFFFFF0u, 16u},
                                    std::pair{0x10u, 16u}, std::pair{read32(good, entry), 0xFFFFFFFFu}}) {
        Bytes file = good;
        write32(file, entry, rva);
        write32(file, entry + 4, size);
        const std::optional<CPeImage> image = CPeImage::parse(file);
        const auto found = image ? image->find("music.ogg", "ogg") : std::nullopt;
        ASSERT_TRUE(found.has_value());
        EXPECT_FALSE(image->bytesOf(*found).has_value()) << rva << " " << size;
    }
}
