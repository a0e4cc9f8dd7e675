#include "ShellTestPlatform.h"

#include <algorithm>

using namespace shelltest;

namespace {

using Lines = std::vector<std::string>;
using Boxes = std::vector<SShownBox>;

ESurfaceFormat formatOf(int depth)
{
    using enum ESurfaceFormat;
    return depth == 15 ? Rgb555 : depth == 16 ? Rgb565 : depth == 24 ? Bgr24 : Bgrx32;
}

struct SDepthCase {
    std::optional<std::int32_t> storedCd;
    std::vector<int> refusedDepths;
    Lines expectedLog;
    int expectedDepth; // 0: start-up fails
};

class ColourDepthTest : public ShellTest, public ::testing::WithParamInterface<SDepthCase> {};

} // namespace

TEST_F(ShellTest, StartsOnTheTitleMenuWithEverythingLoaded)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(state().screenState, EScreen::TitleMenu);
    EXPECT_EQ(std::pair(display().modeWidth(), display().modeHeight()), std::pair(800, 600));
    EXPECT_TRUE(display().fullScreen());
    EXPECT_TRUE(platform->audioDevice.playing());
    // The loader animation: the cleared back buffer, then one step before the first asset, after
    // 14 rows and one for each of the dancer's 67 frames; each step shows 1 2 3 4 5 1, 1 2 ...
    // (each picture has its own blue), frame 0 never.
    std::vector<std::uint8_t> expected{0};
    static constexpr int kRound[] = {1, 2, 3, 4, 5, 1};
    for (int step = 0; step < 1 + 14 + 67; ++step) {
        expected.push_back(static_cast<std::uint8_t>(40 * kRound[step % 6]));
    }
    EXPECT_EQ(platform->blueAtLoader, expected);
}

TEST_P(ColourDepthTest, TriesTheDepthsOfTheStoredChoice)
{
    const SDepthCase& c = GetParam();
    if (c.storedCd) {
        saveSetting("cd", *c.storedCd);
    }
    for (const int depth : c.refusedDepths) {
        platform->refusals.modes.insert(formatOf(depth));
    }
    EXPECT_EQ(start(), c.expectedDepth != 0);
    EXPECT_EQ(log(), c.expectedLog);
    if (c.expectedDepth != 0) {
        EXPECT_EQ(display().modeFormat(), formatOf(c.expectedDepth));
        EXPECT_EQ(boxes(), Boxes{});
        return;
    }
    EXPECT_EQ(boxes(), (Boxes{{"Error", c.expectedLog.front()}}));
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_EQ(display().presentCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColourDepthTest,
    ::testing::Values(
        SDepthCase{std::nullopt, {}, {"Farbtiefe: 32"}, 32}, SDepthCase{0, {32, 24}, {"Farbtiefe: 16"}, 16},
        SDepthCase{7, {32, 24, 16, 15}, {"could not create FULLSCREEN AUTODETECT", "Farbtiefe: 15"}, 0},
        SDepthCase{1, {16}, {"Farbtiefe: 15"}, 15}, SDepthCase{16, {}, {"Farbtiefe: 16"}, 16},
        SDepthCase{16, {16, 15}, {"could not create FULLSCREEN 16/15bit", "Farbtiefe: 15"}, 0},
        SDepthCase{2, {}, {"Farbtiefe: 24"}, 24},
        SDepthCase{24, {24}, {"could not create FULLSCREEN 24bit", "Farbtiefe: 24"}, 0},
        SDepthCase{3, {32}, {"could not create FULLSCREEN 32bit", "Farbtiefe: 32"}, 0},
        SDepthCase{32, {24, 16, 15}, {"Farbtiefe: 32"}, 32},
        // A stored 15 tries 15 bits alone, under the 16/15-bit row.
        SDepthCase{15, {32, 24, 16}, {"Farbtiefe: 15"}, 15},
        SDepthCase{15, {15}, {"could not create FULLSCREEN 16/15bit", "Farbtiefe: 15"}, 0}));

// A keyword file without records gets a box and the program runs on. Missing knowledge files
// are left to the help-answer scenario.
TEST_F(ShellTest, AKeywordFileWithoutRecordsIsLoggedAndShown)
{
    tempFolder.write("sw.dat", "");
    ASSERT_TRUE(start());
    EXPECT_FALSE(app->quitPosted());
    EXPECT_EQ(log(),
              (Lines{"CAnswerEngine::sw.dat holds no records - the mirror cannot answer", "Farbtiefe: 32"}));
    EXPECT_EQ(boxes(),
              (Boxes{{"Minnespiegel 2004",
                      "Die Wissensdatei sw.dat fehlt oder ist leer. Der Spiegel kann nicht antworten."}}));
}

TEST_F(ShellTest, WithoutWindowDisplayOrInputTheProgramSaysSoAndEnds)
{
    platform->windowCanBeMade = false;
    platform->displayExists = false;
    EXPECT_FALSE(start());
    EXPECT_EQ(log(),
              (Lines{"Init::could not create the main window", "WinMain::could not initialize application",
                     "cInit::Could not create screen object"}));
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);

    restart();
    platform->inputExists = false;
    EXPECT_FALSE(start());
    EXPECT_EQ(log(), (Lines{"Farbtiefe: 32", "cInit::Could not create input object"}));
    EXPECT_EQ(boxes(), (Boxes{{"Error", "cInit::Could not create input object"}}));
    EXPECT_EQ(app->exitCode(), 0);
}

// Each picture removed, in the order of the log, with the message of one the program cannot do
// without (logged with the file's line in the user's words after it) or "" for one only logged.
struct SMissingPictures {
    std::vector<std::pair<std::string, std::string>> removed;
    std::size_t boxes;
};

class MissingPictureTest : public ShellTest, public ::testing::WithParamInterface<SMissingPictures> {};

// The title picture and the menu buttons end the program, each with a box and no frame after
// it; the scene's pictures are only logged; a missing dancer frame also goes to the plain log.
TEST_P(MissingPictureTest, AreLoggedAndEndTheProgramOnlyWhenTheMenuNeedsThem)
{
    const SMissingPictures& c = GetParam();
    Lines expected{"Farbtiefe: 32"};
    for (const auto& [file, message] : c.removed) {
        fs::remove(folder / "gfx" / file);
        expected.push_back(missingPictureLine(file));
        if (!message.empty()) {
            expected.insert(expected.end(), {message, "gfx\\" + file + ": Datei fehlt"});
        }
    }
    start();
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(boxes().size(), c.boxes);
    EXPECT_EQ(app->quitPosted(), c.boxes > 0);
    const std::uint32_t presents = display().presentCount();
    app->runLoopStep();
    if (c.boxes > 0) {
        EXPECT_EQ(display().presentCount(), presents) << "no frame after the box";
        return;
    }
    EXPECT_EQ(CTempFolder::read(folder / "log.txt"), c.removed[0].first == "m1_12.bmp" ? "gfx\\m1\r\n" : "");
    clickStart();
    EXPECT_EQ(screenAfter(5), EScreen::Question);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MissingPictureTest,
    ::testing::Values(
        SMissingPictures{{{"mi_titel2.jpg", "kann backMain nicht laden"}}, 1},
        SMissingPictures{{{"mb_back.bmp", "kann mb_back nicht laden"}, {"mb_einstellungen.bmp", "mb_einstellungen"},
                          {"mb_internet.bmp", "mb_internet"}, {"mb_hilfe.bmp", "mb_hilfe"},
                          {"mb_start.bmp", "mb_start"}, {"mb_ende.bmp", "mb_ende"}},
                         6},
        SMissingPictures{{{"landschaft1.jpg", ""}, {"tor.bmp", "loadGraphics: tor konnte nicht geladen werden"},
                          {"eingabe.bmp", "loadGraphics: qbox konnte nicht geladen werden"},
                          {"eingabe.bmp", "loadGraphics: abox konnte nicht geladen werden"},
                          {"mi_einstellungen.jpg", ""}, {"mi_help.jpg", ""}, {"cursor.bmp", ""}},
                         0},
        SMissingPictures{{{"m1_12.bmp", ""}}, 0}));
// clang-format on

TEST_F(ShellTest, ButtonWithoutPictureIsNeitherDrawnNorClickable)
{
    fs::remove(folder / "gfx" / "mb_zurueck.bmp");
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), (Lines{"Farbtiefe: 32", missingPictureLine("mb_zurueck.bmp")}));
    clickHelp();
    ASSERT_EQ(state().screenState, EScreen::Help);
    click(710, 565);
    EXPECT_EQ(state().screenState, EScreen::Help);
}

// Every picture that fails is logged with its file and the loader's reason; one the program
// cannot do without is named after its message with the reason in the user's words. A refusal
// without a message of its own (the settings screen's picture) lends its reason to no other.
TEST_F(ShellTest, PicturesThatFailAreLoggedWithFileAndReason)
{
    saveSetting("back", 1);
    fs::remove(folder / "gfx" / "landschaft2.jpg");
    tempFolder.write("gfx/tor.bmp", "BM but nothing more than that");
    ASSERT_TRUE(start());
    clickStart();
    EXPECT_EQ(state().screenState, EScreen::Question);
    EXPECT_EQ(
        log(),
        (Lines{"Farbtiefe: 32", missingPictureLine("landschaft2.jpg"),
               "LoadImage: gfx/tor.bmp konnte nicht geladen werden (BMP: file too short for its headers)",
               "loadGraphics: tor konnte nicht geladen werden", "gfx\\tor.bmp: Datei ist abgeschnitten",
               "spiegel started", missingPictureLine("landschaft2.jpg")}));

    restart();
    const fs::path title = folder / "gfx" / "mi_titel2.jpg";
    fs::resize_file(title, fs::file_size(title) / 2);
    tempFolder.write("gfx/mi_einstellungen.jpg", "not a picture");
    EXPECT_TRUE(start());
    const Lines lines = log();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()),
              (Lines{"kann backMain nicht laden", "gfx\\mi_titel2.jpg: Datei ist abgeschnitten"}));
    EXPECT_TRUE(std::ranges::none_of(
        lines, [](const std::string& line) { return line.starts_with("gfx\\mi_einst"); }));
    EXPECT_EQ(boxes(), (Boxes{{"Error", "kann backMain nicht laden"}}));
}
