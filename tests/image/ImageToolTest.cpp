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

// 15- and 16-bit surfaces show their narrowed colours, each channel's top bits repeated below.
TEST_F(ImageTool, WritesTheSurfaceAsPpm)
{
    const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath("tga24rle.tga.ppm")));
    const auto narrowed = [](std::uint32_t c, int shift, int bits) {
        const std::uint32_t v = (c >> shift & 0xFF) >> (8 - bits);
        return (v << (8 - bits) | v >> (2 * bits - 8)) << shift;
    };
    for (const auto& [depth, greenBits] :
         {std::pair{"", 8}, {" --depth=24", 8}, {" --depth 15", 5}, {" --depth 16", 6}}) {
        ASSERT_EQ(run(quoted(fixturePath("tga24rle.tga")) + " " + quoted(out()) + depth), 0) << errors();
        const std::optional<PpmPicture> written = parsePpm(readBytes(out()));
        ASSERT_TRUE(written && written->pixels.size() == reference->pixels.size());
        for (std::size_t i = 0; i < written->pixels.size(); ++i) {
            const std::uint32_t c = reference->pixels[i];
            ASSERT_EQ(written->pixels[i],
                      greenBits == 8 ? c : narrowed(c, 16, 5) | narrowed(c, 8, greenBits) | narrowed(c, 0, 5))
                << depth << ", pixel " << i;
        }
    }
}

TEST_F(ImageTool, RefusedPicturesAndUsageErrorsExitWithOneAndTwo)
{
    const fs::path text = folder_.write("notes.txt", "not a picture at all, just some words");
    EXPECT_EQ(run(quoted(text) + " " + quoted(out())), 1);
    const std::string message = errors();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("notes.txt"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(out()));

    EXPECT_EQ(run(quoted(folder_ / "missing.bmp") + " " + quoted(out())), 1);
    const Bytes pcx = readBytes(fixturePath("pcx8.pcx"));
    folder_.write("cut.pcx", std::string(pcx.begin(), pcx.begin() + 300));
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
