#include "FixtureFiles.h"
#include "TestSupport.h"
#include "TempFolder.h"

#include <cstdlib>
#include <sys/wait.h>

using namespace pictures;
namespace fs = std::filesystem;

namespace {

class ImageTool : public ::testing::Test {
protected:
    // Runs the program with the arguments (quoted by the caller); its exit code.
    int run(const std::string& arguments)
    {
        const std::string command = std::string("'") + MINNE_BINARY_DIR + "/bin/minnespiegel-image' " + arguments +
                                    " >'" + (folder_ / "stdout").string() + "' 2>'" + (folder_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string errors() const { return CTempFolder::read(folder_ / "stderr"); }

    std::string quoted(const fs::path& path) const { return "'" + path.string() + "'"; }
    fs::path out() const { return folder_ / "out.ppm"; }

    CTempFolder folder_{"image-tool"};
};

TEST_F(ImageTool, WritesTheSurfaceAsPpm)
{
    const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath("tga24rle.tga.ppm")));
    for (const char* depth : {"", " --depth 32", " --depth 24", " --depth=24"}) {
        ASSERT_EQ(run(quoted(fixturePath("tga24rle.tga")) + " " + quoted(out()) + depth), 0) << errors();
        const std::optional<PpmPicture> written = parsePpm(readBytes(out()));
        ASSERT_TRUE(written);
        EXPECT_EQ(written->pixels, reference->pixels) << depth;
    }
}

TEST_F(ImageTool, SixteenBitSurfacesShowTheirNarrowedColours)
{
    const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath("bmp24.bmp.ppm")));
    const auto widen = [](std::uint32_t v, int bits) { return v << (8 - bits) | v >> (2 * bits - 8); };
    const auto narrowed = [&](std::uint32_t c, int greenBits) {
        const std::uint32_t r = c >> 19 & 31, g = (c >> 8 & 0xFF) >> (8 - greenBits), b = c >> 3 & 31;
        return widen(r, 5) << 16 | widen(g, greenBits) << 8 | widen(b, 5);
    };
    for (int greenBits : {5, 6}) {
        const std::string depth = greenBits == 5 ? "15" : "16";
        ASSERT_EQ(run(quoted(fixturePath("bmp24.bmp")) + " " + quoted(out()) + " --depth " + depth), 0) << errors();
        const std::optional<PpmPicture> written = parsePpm(readBytes(out()));
        ASSERT_TRUE(written);
        for (std::size_t i = 0; i < written->pixels.size(); ++i)
            ASSERT_EQ(written->pixels[i], narrowed(reference->pixels[i], greenBits)) << "depth " << depth << " pixel " << i;
    }
}

TEST_F(ImageTool, RefusedPicturesAndUsageErrorsExitWithOneAndTwo)
{
    const fs::path text = folder_ / "notes.txt";
    std::ofstream(text) << "not a picture at all, just some words";
    EXPECT_EQ(run(quoted(text) + " " + quoted(out())), 1);
    const std::string message = errors();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("notes.txt"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(out()));

    EXPECT_EQ(run(quoted(folder_ / "missing.bmp") + " " + quoted(out())), 1);
    Bytes truncated = readBytes(fixturePath("pcx8.pcx"));
    truncated.resize(300);
    std::ofstream(folder_ / "cut.pcx", std::ios::binary).write(reinterpret_cast<const char*>(truncated.data()), 300);
    EXPECT_EQ(run(quoted(folder_ / "cut.pcx") + " " + quoted(out())), 1);
    EXPECT_NE(errors().find("PCX"), std::string::npos) << errors();
    // Usage errors exit with 2.
    const std::string picture = quoted(fixturePath("bmp8.bmp")) + " ";
    for (const std::string& arguments : {std::string(), picture, picture + quoted(out()) + " --depth 8",
                                        picture + quoted(out()) + " --depth", picture + quoted(out()) + " --colour",
                                        picture + quoted(out()) + " extra"}) {
        EXPECT_EQ(run(arguments), 2) << arguments;
    }
    EXPECT_FALSE(fs::exists(out()));
    EXPECT_EQ(run("--help"), 0);
}

} // namespace
