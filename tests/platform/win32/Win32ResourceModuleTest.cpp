#include "music/CPeImage.h"
#include "music/CResourceModule.h"

#include "TestPackages.h"

#include <gtest/gtest.h>

using namespace testpackages;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> systemLookUp(const CResourceModule& module, std::string_view name, std::string_view type)
{
    const auto location = module.Find(name, type);
    const auto bytes = location ? module.Data(*location) : std::nullopt;
    return bytes ? std::optional(Bytes(bytes->begin(), bytes->end())) : std::nullopt;
}

// The system loader finds what the portable reader finds in the same module, and loads no
// missing or damaged package.
TEST(Win32ResourceModule, TheSystemLoaderFindsWhatThePortableReaderFinds)
{
    CTempFolder folder;
    EXPECT_FALSE(CResourceModule(folder / "missing.dat").Load());
    EXPECT_FALSE(CResourceModule().Load());
    writeFile(folder / "text.dat", bytesOf("not a module at all"));
    EXPECT_FALSE(CResourceModule(folder / "text.dat").Load());
    const std::filesystem::path path = folder / "package.dat";
    writeFile(path, buildResourceModule(severalResources()));
    {
        CResourceModule module(path);
        ASSERT_TRUE(module.Load());
        for (const SLookup& lookup : severalLookups()) {
            EXPECT_EQ(systemLookUp(module, lookup.name, lookup.type), lookup.found) << lookup.name << " " << lookup.type;
        }
        module.Free();
        EXPECT_FALSE(module.IsLoaded());
        EXPECT_EQ(module.Find("music.ogg", "ogg"), std::nullopt);
    }
    EXPECT_TRUE(std::filesystem::remove(path)) << "the module is no longer mapped";

    // The built package gives the song byte for byte.
    const std::string built = std::string(MINNE_DATA_DIR) + "/resource.dat";
    const std::string file = CTempFolder::read(built);
    const std::optional<CPeImage> image = CPeImage::parse(Bytes(file.begin(), file.end()));
    ASSERT_TRUE(image);
    CResourceModule module(built);
    ASSERT_TRUE(module.Load());
    const std::optional<Bytes> song = systemLookUp(module, "music.ogg", "ogg");
    ASSERT_TRUE(song);
    const auto portable = image->bytesOf(*image->find("music.ogg", "ogg"));
    ASSERT_TRUE(portable);
    EXPECT_EQ(*song, Bytes(portable->begin(), portable->end()));
    EXPECT_EQ(Bytes(song->begin(), song->begin() + 4), bytesOf("OggS"));
}

} // namespace
