#include "music/CResourceModule.h"

#include "TestPackages.h"

#include <gtest/gtest.h>

using namespace testpackages;

namespace {

std::vector<std::uint8_t> asVector(std::span<const std::uint8_t> bytes)
{
    return {bytes.begin(), bytes.end()};
}

// The bytes of resource `name` of type `type`, or nothing at whichever step fails.
std::optional<std::vector<std::uint8_t>> lookUp(const std::vector<std::uint8_t>& file,
                                                std::string_view name, std::string_view type)
{
    const std::optional<CPeImage> image = CPeImage::parse(file);
    if (!image) {
        return std::nullopt;
    }
    const auto location = image->find(name, type);
    const auto bytes = location ? image->bytesOf(*location) : std::nullopt;
    return bytes ? std::optional(asVector(*bytes)) : std::nullopt;
}

} // namespace

TEST(ResourceLookup, FindsResourcesByNameAndTypeWithoutRegardToCaseAndNothingElse)
{
    const std::vector<std::uint8_t> file = buildResourceModule(severalResources());
    for (const SLookup& lookup : severalLookups()) {
        EXPECT_EQ(lookUp(file, lookup.name, lookup.type), lookup.found) << lookup.name << " " << lookup.type;
    }
    EXPECT_EQ(lookUp(buildResourceModule({}), "music.ogg", "ogg"), std::nullopt);
}

TEST(ResourceLookup, ReadsThe64BitHeaderLayoutToo)
{
    const std::vector<std::uint8_t> file = toPe32Plus(songPackage(fakeSong()));
    EXPECT_EQ(lookUp(file, "music.ogg", "ogg"), fakeSong());
}

TEST(CResourceModule, KeepsTheFileInMemoryFromLoadToFree)
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
    EXPECT_EQ(asVector(*bytes), fakeSong(5000));
    // A second load of a loaded module gives the same image, as the system loader does.
    EXPECT_TRUE(package.Load());
    EXPECT_EQ(package.Data(*location)->data(), bytes->data());

    package.Free();
    EXPECT_FALSE(package.IsLoaded());
    EXPECT_FALSE(package.Find("music.ogg", "ogg").has_value());
    EXPECT_FALSE(package.Data(*location).has_value());
    EXPECT_FALSE(package.Load());
}

TEST(CResourceModule, FailsCleanlyWithoutAUsableFile)
{
    CTempFolder folder;
    EXPECT_FALSE(CResourceModule(folder.path() / "resource.dat").Load());
    EXPECT_FALSE(CResourceModule(folder.path()).Load());
    writeFile(folder.path() / "empty.dat", {});
    EXPECT_FALSE(CResourceModule(folder.path() / "empty.dat").Load());
    writeFile(folder.path() / "text.dat", bytesOf("MZ but nothing else of a module"));
    EXPECT_FALSE(CResourceModule(folder.path() / "text.dat").Load());
    CResourceModule unnamed;
    EXPECT_FALSE(unnamed.Load());
}

TEST(DamagedModule, EveryTruncationIsRefused)
{
    const std::vector<std::uint8_t> file = songPackage(fakeSong());
    ASSERT_TRUE(CPeImage::parse(file).has_value());
    for (std::size_t size = 0; size < file.size(); ++size) {
        const std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(CPeImage::parse(cut).has_value()) << "cut to " << size << " bytes";
    }
}

TEST(DamagedModule, BrokenHeadersAreRefused)
{
    const std::vector<std::uint8_t> good = songPackage(fakeSong());
    const std::size_t pe = peHeaderOffset(good);
    const std::size_t optional = optionalHeaderOffset(good);
    const std::size_t section = sectionTableOffset(good);
    const auto refused = [&](auto damage) {
        std::vector<std::uint8_t> bad = good;
        damage(bad);
        return !CPeImage::parse(bad).has_value();
    };
    EXPECT_TRUE(refused([](auto& b) { b[0] = 'Z'; }));
    EXPECT_TRUE(refused([&](auto& b) { write32(b, 0x3C, static_cast<std::uint32_t>(b.size()) - 2); }));
    EXPECT_TRUE(refused([&](auto& b) { write32(b, 0x3C, 0xFFFFFFF0u); }));
    EXPECT_TRUE(refused([&](auto& b) { b[pe + 1] = 'X'; }));
    EXPECT_TRUE(refused([&](auto& b) { write16(b, optional, 0x107); }));
    EXPECT_TRUE(refused([&](auto& b) { write16(b, pe + 4 + 16, 0xFFFF); }));    // optional header size
    EXPECT_TRUE(refused([&](auto& b) { write16(b, pe + 4 + 16, 40); }));        // too small for its fields
    EXPECT_TRUE(refused([&](auto& b) { write16(b, pe + 4 + 2, 0xFFFF); }));     // section count
    EXPECT_TRUE(refused([&](auto& b) { write32(b, section + 16, 0x7FFFFFFF); })); // raw size
    EXPECT_TRUE(refused([&](auto& b) { write32(b, section + 20, 0xFFFFFF00u); })); // raw offset
}

TEST(DamagedModule, BrokenResourceTreesFindNothing)
{
    const std::vector<std::uint8_t> good = songPackage(fakeSong());
    const std::size_t optional = optionalHeaderOffset(good);
    const std::size_t root = resourceDirectoryOffset(good);
    const std::size_t typeEntry = root + 16;
    const std::uint32_t typeDirectory = read32(good, typeEntry + 4) & 0x7FFFFFFF;
    const std::size_t nameEntry = root + typeDirectory + 16;
    const auto findsNothing = [&](auto damage) {
        std::vector<std::uint8_t> bad = good;
        damage(bad);
        const std::optional<CPeImage> image = CPeImage::parse(bad);
        return image.has_value() && !image->find("music.ogg", "ogg").has_value();
    };
    ASSERT_FALSE(findsNothing([](auto&) {}));
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, optional + 92, 2); }));       // no resource directory
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, optional + 96 + 16, 0); }));
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, optional + 96 + 16, 0x9000); })); // outside every section
    EXPECT_TRUE(findsNothing([&](auto& b) { write16(b, root + 12, 0); }));             // no entries
    EXPECT_TRUE(findsNothing([&](auto& b) { write16(b, root + 14, 0xFFFF); write16(b, root + 12, 0xFFFF); write32(b, typeEntry, 0); }));
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, typeEntry, 0xFFFFFFFFu); }));   // name far outside
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, typeEntry + 4, 0x8FFFFFF0u); })); // subdirectory far outside
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, typeEntry + 4, 0x00000018u); })); // data where a level belongs
    EXPECT_TRUE(findsNothing([&](auto& b) { write32(b, nameEntry + 4, 0x80000000u); })); // loops back to the root
    EXPECT_TRUE(findsNothing([&](auto& b) {
        const std::size_t name = root + (read32(b, typeEntry) & 0x7FFFFFFF);
        write16(b, name, 0x7FFF);                                                      // name runs past the end
    }));
}

TEST(DamagedModule, SongDataOutsideTheFileIsFoundButCannotBeRead)
{
    std::vector<std::uint8_t> file = songPackage(fakeSong());
    const std::optional<CPeImage> good = CPeImage::parse(file);
    const auto location = good->find("music.ogg", "ogg");
    ASSERT_TRUE(location.has_value());
    // The data entry is the last structure before the names; find it by its contents.
    std::size_t entry = resourceDirectoryOffset(file);
    while (read32(file, entry) != location->dataRva || read32(file, entry + 4) != location->size) {
        ++entry;
    }
    for (const auto& [rva, size] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {location->dataRva, 0x7FFFFFFF}, {0xFFFFFFF0u, 16}, {0x10, 16}, {location->dataRva, 0xFFFFFFFFu}}) {
        write32(file, entry, rva);
        write32(file, entry + 4, size);
        const std::optional<CPeImage> image = CPeImage::parse(file);
        ASSERT_TRUE(image.has_value());
        const auto found = image->find("music.ogg", "ogg");
        ASSERT_TRUE(found.has_value());
        EXPECT_FALSE(image->bytesOf(*found).has_value()) << rva << " " << size;
    }
}
