#include "ShellTestPlatform.h"
#include "shell/CommandLine.h"

#include <algorithm>

using namespace shelltest;

namespace {

ESurfaceFormat formatOf(int depth)
{
    switch (depth) {
    case 15: return ESurfaceFormat::Rgb555;
    case 16: return ESurfaceFormat::Rgb565;
    case 24: return ESurfaceFormat::Bgr24;
    default: return ESurfaceFormat::Bgrx32;
    }
}

struct SDepthCase {
    std::optional<std::int32_t> storedCd;
    std::vector<int> refusedDepths;
    std::vector<std::string> expectedLog;
    std::optional<ESurfaceFormat> expectedMode; // nothing: start-up fails
};

class ColourDepthTest : public ShellTest, public ::testing::WithParamInterface<SDepthCase> {};

} // namespace

TEST_F(ShellTest, StartsOnTheTitleMenuWithEverythingLoaded)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(app->quitPosted());
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
    EXPECT_EQ(state().screenState, EScreen::TitleMenu);
    EXPECT_EQ(state().colourDepth, 32);
    EXPECT_FALSE(state().showLoaderProgress);
    CNullDisplay& display = (*platform->display);
    EXPECT_EQ(display.modeWidth(), 800);
    EXPECT_EQ(display.modeHeight(), 600);
    EXPECT_TRUE(display.fullScreen());
    // The cleared back buffer once, then one loader step before the first asset and after 14
    // rows, and one for each of the dancer's 67 frames.
    EXPECT_EQ(display.presentCount(), 1u + 15u + 67u);
    // Only the flames' timer runs; the others wait for their screens.
    CTimerList& timers = app->timers();
    EXPECT_EQ(timers.entryCount(), 5u);
    EXPECT_EQ(state().animationState, "waiting");
    EXPECT_EQ(app->graphics().dancer->currentFrame(), 1);
    EXPECT_EQ(platform->audioDevice.calls().front(), "init 44100 32");
    EXPECT_TRUE(platform->audioDevice.playing());
    EXPECT_FALSE(fs::exists(folder / "log.txt"));
}

TEST_F(ShellTest, LoaderAnimationRunsBackAndForthOverFramesOneToFive)
{
    ASSERT_TRUE(start());
    // Each loader picture has its own blue (40 times its number). The cleared back buffer comes
    // first; then every step shows 1 2 3 4 5 1, 1 2 3 4 5 1, ...; frame 0 never.
    std::vector<std::uint8_t> expected{0};
    static constexpr int kRound[] = {1, 2, 3, 4, 5, 1};
    for (int step = 0; step < 82; ++step) {
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
    const bool running = start();
    EXPECT_EQ(running, c.expectedMode.has_value());
    EXPECT_EQ(log(), c.expectedLog);
    if (c.expectedMode) {
        EXPECT_EQ((*platform->display).modeFormat(), *c.expectedMode);
        EXPECT_TRUE(platform->boxes.boxes.empty());
    } else {
        ASSERT_EQ(platform->boxes.boxes.size(), 1u);
        EXPECT_EQ(platform->boxes.boxes[0].title, "Error");
        EXPECT_EQ(platform->boxes.boxes[0].text, c.expectedLog.front());
        EXPECT_EQ(platform->boxes.boxes[0].icon, EBoxIcon::Error);
        EXPECT_TRUE(app->quitPosted());
        EXPECT_EQ(app->exitCode(), 0);
        EXPECT_EQ((*platform->display).presentCount(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColourDepthTest,
    ::testing::Values(
        SDepthCase{std::nullopt, {}, {"Farbtiefe: 32"}, ESurfaceFormat::Bgrx32},
        SDepthCase{0, {32, 24}, {"Farbtiefe: 16"}, ESurfaceFormat::Rgb565},
        SDepthCase{7, {32, 24, 16, 15}, {"could not create FULLSCREEN AUTODETECT", "Farbtiefe: 15"}, std::nullopt},
        SDepthCase{1, {16}, {"Farbtiefe: 15"}, ESurfaceFormat::Rgb555},
        SDepthCase{16, {}, {"Farbtiefe: 16"}, ESurfaceFormat::Rgb565},
        SDepthCase{16, {16, 15}, {"could not create FULLSCREEN 16/15bit", "Farbtiefe: 15"}, std::nullopt},
        SDepthCase{2, {}, {"Farbtiefe: 24"}, ESurfaceFormat::Bgr24},
        SDepthCase{24, {24}, {"could not create FULLSCREEN 24bit", "Farbtiefe: 24"}, std::nullopt},
        SDepthCase{3, {32}, {"could not create FULLSCREEN 32bit", "Farbtiefe: 32"}, std::nullopt},
        SDepthCase{32, {24, 16, 15}, {"Farbtiefe: 32"}, ESurfaceFormat::Bgrx32},
        // A stored 15 tries 15 bits alone, under the 16/15-bit row.
        SDepthCase{15, {32, 24, 16}, {"Farbtiefe: 15"}, ESurfaceFormat::Rgb555},
        SDepthCase{15, {15}, {"could not create FULLSCREEN 16/15bit", "Farbtiefe: 15"}, std::nullopt}));

TEST_F(ShellTest, VersionBoxOnlyReadsTheKnowledgeFilesFirst)
{
    fs::remove(folder / "hv.dat");
    SLaunchOptions options;
    options.mode = ELaunchMode::VersionBox;
    EXPECT_FALSE(start(options));
    EXPECT_EQ(app->exitCode(), 0);
    ASSERT_EQ(platform->boxes.boxes.size(), 1u);
    EXPECT_EQ(platform->boxes.boxes[0].title, "Versionsinfo");
    EXPECT_EQ(platform->boxes.boxes[0].text, "Minnespiegel 2004 Version 1.0");
    EXPECT_EQ(platform->windowsCreated, 0);
    EXPECT_FALSE(fs::exists(folder / "error_log.txt"));
    EXPECT_FALSE(fs::exists(folder / "hv.dat"));
}

TEST_F(ShellTest, MissingKnowledgeFilesAreLoggedAndShownOnceThenTheProgramRuns)
{
    fs::remove(folder / "sw.dat");
    fs::remove(folder / "hv.dat");
    fs::remove(folder / "hilfe.dat");
    ASSERT_TRUE(start());
    EXPECT_FALSE(app->quitPosted());
    EXPECT_EQ(log(), (std::vector<std::string>{"CAnswerEngine::sw.dat is missing - the mirror cannot answer",
                                               "CAnswerEngine::hv.dat is missing - echoes keep the question's words",
                                               "COracle::hilfe.dat is missing - questions in distress get no help answer",
                                               "Farbtiefe: 32"}));
    ASSERT_EQ(platform->boxes.boxes.size(), 1u);
    EXPECT_EQ(platform->boxes.boxes[0].title, "Minnespiegel 2004");
    EXPECT_EQ(platform->boxes.boxes[0].text,
              "Die Wissensdatei sw.dat fehlt oder ist leer. Der Spiegel kann nicht antworten.");
    EXPECT_EQ(platform->boxes.boxes[0].icon, EBoxIcon::Error);
    EXPECT_EQ(platform->windowsCreated, 1);
    EXPECT_FALSE(fs::exists(folder / "sw.dat"));
    EXPECT_FALSE(fs::exists(folder / "hv.dat"));
    EXPECT_FALSE(fs::exists(folder / "hilfe.dat"));
}

TEST_F(ShellTest, AnEmptyKeywordFileGetsTheBoxAMissingWordPairFileOnlyALine)
{
    { std::ofstream(folder / "sw.dat", std::ios::binary | std::ios::trunc); }
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), (std::vector<std::string>{"CAnswerEngine::sw.dat holds no records - the mirror cannot answer",
                                               "Farbtiefe: 32"}));
    EXPECT_EQ(platform->boxes.boxes.size(), 1u);

    app.reset();
    fs::remove(folder / "error_log.txt");
    writeKnowledgeFiles(folder);
    fs::remove(folder / "hv.dat");
    platform->boxes.boxes.clear();
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), (std::vector<std::string>{"CAnswerEngine::hv.dat is missing - echoes keep the question's words",
                                               "Farbtiefe: 32"}));
    EXPECT_TRUE(platform->boxes.boxes.empty());
}

TEST_F(ShellTest, WithoutWindowAndDisplayTheProgramSaysSoAndEnds)
{
    platform->windowCanBeMade = false;
    platform->displayExists = false;
    EXPECT_FALSE(start());
    EXPECT_EQ(log(), (std::vector<std::string>{"Init::could not create the main window",
                                               "WinMain::could not initialize application",
                                               "cInit::Could not create screen object"}));
    EXPECT_EQ(platform->boxes.boxes.size(), 2u);
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
}

TEST_F(ShellTest, WithoutInputTheProgramSaysSoAndEnds)
{
    platform->inputExists = false;
    EXPECT_FALSE(start());
    EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "cInit::Could not create input object"}));
    ASSERT_EQ(platform->boxes.boxes.size(), 1u);
    EXPECT_EQ(platform->boxes.boxes[0].text, "cInit::Could not create input object");
    EXPECT_EQ(app->exitCode(), 0);
}

struct SMissingPictures {
    std::vector<std::string> removed;
    std::vector<std::string> expectedLog; // after "Farbtiefe: 32"
    std::size_t boxes;
    bool quits;
};

class MissingPictureTest : public ShellTest, public ::testing::WithParamInterface<SMissingPictures> {};

// The title picture and the menu buttons end the program, each with a box; the scene's
// pictures are only logged; a missing dancer frame also goes to the plain log, once.
TEST_P(MissingPictureTest, AreLoggedAndEndTheProgramOnlyWhenTheMenuNeedsThem)
{
    for (const std::string& file : GetParam().removed) {
        fs::remove(folder / "gfx" / file);
    }
    start();
    std::vector<std::string> expected{"Farbtiefe: 32"};
    expected.insert(expected.end(), GetParam().expectedLog.begin(), GetParam().expectedLog.end());
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(platform->boxes.boxes.size(), GetParam().boxes);
    EXPECT_EQ(app->quitPosted(), GetParam().quits);
    const std::uint32_t presents = (*platform->display).presentCount();
    app->runLoopStep();
    if (GetParam().quits) {
        EXPECT_EQ((*platform->display).presentCount(), presents) << "no frame after the box";
        EXPECT_EQ(app->exitCode(), 0);
        return;
    }
    EXPECT_EQ(readFile(folder / "log.txt"), GetParam().removed[0] == "m1_12.bmp" ? "gfx\\m1\r\n" : "");
    clickStart();
    frames(5);
    EXPECT_EQ(state().screenState, EScreen::Question);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MissingPictureTest,
    ::testing::Values(
        SMissingPictures{{"mi_titel2.jpg"}, {missingPictureLine("mi_titel2.jpg"), "kann backMain nicht laden", "gfx\\mi_titel2.jpg: Datei fehlt"}, 1, true},
        SMissingPictures{{"mb_einstellungen.bmp", "mb_internet.bmp", "mb_hilfe.bmp", "mb_start.bmp", "mb_ende.bmp",
                          "mb_back.bmp"},
                         {missingPictureLine("mb_back.bmp"), "kann mb_back nicht laden",
                          "gfx\\mb_back.bmp: Datei fehlt", missingPictureLine("mb_einstellungen.bmp"),
                          "mb_einstellungen", "gfx\\mb_einstellungen.bmp: Datei fehlt",
                          missingPictureLine("mb_internet.bmp"), "mb_internet", "gfx\\mb_internet.bmp: Datei fehlt",
                          missingPictureLine("mb_hilfe.bmp"), "mb_hilfe", "gfx\\mb_hilfe.bmp: Datei fehlt",
                          missingPictureLine("mb_start.bmp"), "mb_start", "gfx\\mb_start.bmp: Datei fehlt",
                          missingPictureLine("mb_ende.bmp"), "mb_ende", "gfx\\mb_ende.bmp: Datei fehlt"},
                         6, true},
        SMissingPictures{{"tor.bmp", "eingabe.bmp", "landschaft1.jpg", "mi_help.jpg", "mi_einstellungen.jpg", "cursor.bmp"},
                         {missingPictureLine("landschaft1.jpg"), missingPictureLine("tor.bmp"),
                          "loadGraphics: tor konnte nicht geladen werden", "gfx\\tor.bmp: Datei fehlt",
                          missingPictureLine("eingabe.bmp"), "loadGraphics: qbox konnte nicht geladen werden",
                          "gfx\\eingabe.bmp: Datei fehlt", missingPictureLine("eingabe.bmp"),
                          "loadGraphics: abox konnte nicht geladen werden", "gfx\\eingabe.bmp: Datei fehlt",
                          missingPictureLine("mi_einstellungen.jpg"),
                          missingPictureLine("mi_help.jpg"), missingPictureLine("cursor.bmp")},
                         0, false},
        SMissingPictures{{"m1_12.bmp"}, {missingPictureLine("m1_12.bmp")}, 0, false}));

TEST_F(ShellTest, ButtonWithoutPictureIsNeitherDrawnNorClickable)
{
    fs::remove(folder / "gfx" / "mb_zurueck.bmp");
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", missingPictureLine("mb_zurueck.bmp")}));
    clickHelp();
    ASSERT_EQ(state().screenState, EScreen::Help);
    click(710, 565);
    EXPECT_EQ(state().screenState, EScreen::Help);
}

// What --help says about the two logs is what a session does: its messages all go to
// error_log.txt, and log.txt only appears for missing animation pictures.
TEST_F(ShellTest, HelpTextTellsWhereASessionsMessagesGo)
{
    ASSERT_TRUE(start());
    clickStart();
    platform->input.pressKey(ScanCode::Escape, 27);
    frame();
    EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "spiegel started", "ESC pressed - leaving at once"}));
    EXPECT_FALSE(fs::exists(folder / "log.txt"));

    const std::string help = usageText("minnespiegel");
    for (const char* named : {"error_log.txt", "Farbtiefe", "\"spiegel started\"", "Ende", "Fehler"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
    EXPECT_NE(help.find("Nur wenn Bilder einer Animation fehlen, entsteht auch log.txt"), std::string::npos);
}

// Every picture that fails is logged with its file and the loader's reason, whether or not the
// asset has a message of its own.
TEST_F(ShellTest, PicturesThatFailAreLoggedWithFileAndReason)
{
    saveSetting("back", 1);
    fs::remove(folder / "gfx" / "landschaft2.jpg");
    std::ofstream(folder / "gfx" / "tor.bmp", std::ios::trunc) << "BM but nothing more than that";
    ASSERT_TRUE(start());
    clickStart();
    EXPECT_EQ(state().screenState, EScreen::Question);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "Farbtiefe: 32",
                         missingPictureLine("landschaft2.jpg"),
                         "LoadImage: gfx/tor.bmp konnte nicht geladen werden (BMP: file too short for its headers)",
                         "loadGraphics: tor konnte nicht geladen werden", "gfx\\tor.bmp: Datei ist abgeschnitten",
                         "spiegel started",
                         missingPictureLine("landschaft2.jpg")}));
}

// A damaged title picture: after the message that ends the program comes the file and, in the
// user's words, what is wrong with it. A refusal without a message of its own (the settings
// screen's picture) lends its reason to no later message.
TEST_F(ShellTest, DamagedTitlePictureIsNamedWithItsReasonAfterTheMessage)
{
    const fs::path title = folder / "gfx" / "mi_titel2.jpg";
    fs::resize_file(title, fs::file_size(title) / 2);
    std::ofstream(folder / "gfx" / "mi_einstellungen.jpg", std::ios::trunc) << "not a picture";
    EXPECT_TRUE(start());
    const std::vector<std::string> lines = log();
    const auto message = std::find(lines.begin(), lines.end(), "kann backMain nicht laden");
    ASSERT_NE(message, lines.end());
    ASSERT_NE(message + 1, lines.end());
    EXPECT_EQ(*(message + 1), "gfx\\mi_titel2.jpg: Datei ist abgeschnitten");
    EXPECT_EQ(message + 2, lines.end());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.starts_with("gfx\\mi_einstellungen.jpg:");
              }),
              0);
    ASSERT_EQ(platform->boxes.boxes.size(), 1u);
    EXPECT_EQ(platform->boxes.boxes[0].text, "kann backMain nicht laden");
}
