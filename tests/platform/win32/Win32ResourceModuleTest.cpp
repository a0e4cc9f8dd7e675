#include "music/CPeImage.h"
#include "music/CResourceModule.h"
#include "song/PeResourceWriter.h"

#include "platform/win32/Win32Api.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::string tempFile(const char* name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".dat";
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// What the portable reader finds in the same bytes.
std::optional<Bytes> portableLookUp(const Bytes& file, std::string_view name, std::string_view type)
{
    const std::optional<CPeImage> image = CPeImage::parse(file);
    const auto location = image ? image->find(name, type) : std::nullopt;
    const auto bytes = location ? image->bytesOf(*location) : std::nullopt;
    return bytes ? std::optional(Bytes(bytes->begin(), bytes->end())) : std::nullopt;
}

std::optional<Bytes> systemLookUp(const CResourceModule& module, std::string_view name, std::string_view type)
{
    const auto location = module.Find(name, type);
    const auto bytes = location ? module.Data(*location) : std::nullopt;
    return bytes ? std::optional(Bytes(bytes->begin(), bytes->end())) : std::nullopt;
}

TEST(Win32ResourceModule, TheSystemLoaderFindsWhatThePortableReaderFinds)
{
    Bytes song = bytesOf("OggS");
    for (int i = 0; i < 5000; ++i) {
        song.push_back(std::uint8_t(i * 31));
    }
    const Bytes file = buildResourceModule({
        {"OGG", "MUSIC.OGG", 0x0407, song},
        {"OGG", "intro.ogg", 0x0407, bytesOf("intro")},
        {"WAVE", "MUSIC.OGG", 0x0407, bytesOf("not the song")},
        {"#10", "#7", 0x0409, bytesOf("numbered")},
        {"\xC4RGER", "\xDC" "bel", 0x0407, bytesOf("umlauts")},
    });
    const std::string path = tempFile("minne_package");
    writeFile(path, file);
    {
        CResourceModule module(path);
        ASSERT_TRUE(module.Load());
        for (const auto& [name, type] : std::vector<std::pair<std::string, std::string>>{
                 {"music.ogg", "ogg"}, {"MUSIC.OGG", "OGG"}, {"intro.ogg", "OGG"}, {"music.ogg", "wave"},
                 {"#7", "#10"}, {"\xFC" "bel", "\xE4rger"}, {"music.og", "ogg"}, {"music.ogg", "mp3"}}) {
            EXPECT_EQ(systemLookUp(module, name, type), portableLookUp(file, name, type)) << name << " " << type;
        }
        EXPECT_EQ(systemLookUp(module, "music.ogg", "ogg"), song);
        module.Free();
        EXPECT_FALSE(module.IsLoaded());
        EXPECT_EQ(module.Find("music.ogg", "ogg"), std::nullopt);
    }
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the module is no longer mapped";
}

TEST(Win32ResourceModule, TheBuiltPackageGivesTheSongByteForByte)
{
    const std::string path = std::string(MINNE_DATA_DIR) + "/resource.dat";
    std::ifstream in(path, std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CResourceModule module(path);
    ASSERT_TRUE(module.Load());
    const std::optional<Bytes> song = systemLookUp(module, "music.ogg", "ogg");
    ASSERT_TRUE(song);
    EXPECT_EQ(song, portableLookUp(file, "music.ogg", "ogg"));
    EXPECT_EQ(Bytes(song->begin(), song->begin() + 4), bytesOf("OggS"));
}

TEST(Win32ResourceModule, MissingAndDamagedPackagesAreNotLoaded)
{
    EXPECT_FALSE(CResourceModule(tempFile("minne_missing")).Load());
    EXPECT_FALSE(CResourceModule().Load());
    const std::string text = tempFile("minne_text");
    writeFile(text, bytesOf("not a module at all"));
    EXPECT_FALSE(CResourceModule(text).Load());
    DeleteFileA(text.c_str());
}

} // namespace
