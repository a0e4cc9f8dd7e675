#include "diagnostics/CLogs.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class RecordingSink final : public IFatalErrorSink {
public:
    void showErrorBox(const std::string& message) override { boxes.push_back(message); }
    void postQuit(int exitCode) override { quits.push_back(exitCode); }
    std::vector<std::string> boxes;
    std::vector<int> quits;
};

class LogsTest : public ::testing::Test {
protected:
    // Saturday, 5 December 2026, 20:59:16.
    void SetUp() override
    {
        clock.setLocalTime({.tm_sec = 16,
                            .tm_min = 59,
                            .tm_hour = 20,
                            .tm_mday = 5,
                            .tm_mon = 11,
                            .tm_year = 126,
                            .tm_wday = 6});
    }
    CTempFolder temp{"logs"};
    CManualClock clock;
    RecordingSink sink;
};

} // namespace

// Stamped CR LF lines in call order, appended by a later run too, in a folder whose name has
// an umlaut; a fatal message is written first, then shown in a box and a quit with 0 posted.
TEST_F(LogsTest, ErrorLogAppendsStampedCrLfLinesAndFatalOnesAlsoEndTheProgram)
{
    const fs::path home = temp / u8"J\u00fcrgen";
    fs::create_directories(home);
    CLogs(clock, sink, home).writeErrorLog("spiegel started", false);
    CLogs logs(clock, sink, home);
    logs.writeErrorLog("kein Speicher f\xFCr backMain", false);
    EXPECT_TRUE(sink.boxes.empty());
    logs.writeErrorLog("kann backMain nicht laden", true);
    logs.writeErrorLog("mb_start", true);
    EXPECT_EQ(CTempFolder::read(home / "error_log.txt"),
              "Sat Dec 05 20:59:16 2026: spiegel started\r\n"
              "Sat Dec 05 20:59:16 2026: kein Speicher f\xFCr backMain\r\n"
              "Sat Dec 05 20:59:16 2026: kann backMain nicht laden\r\n"
              "Sat Dec 05 20:59:16 2026: mb_start\r\n");
    EXPECT_EQ(sink.boxes, (std::vector<std::string>{"kann backMain nicht laden", "mb_start"}));
    EXPECT_EQ(sink.quits, (std::vector<int>{0, 0}));
}

TEST_F(LogsTest, PlainLogWithoutNewlineContinuesTheLine)
{
    CLogs logs(clock, sink, temp.path());
    logs.writeLog("m1", false);
    logs.writeLog("", true);
    logs.writeLog("f1", true);
    EXPECT_EQ(CTempFolder::read(temp / "log.txt"), "m1\r\nf1\r\n");
}

// A folder whose parent is a file: nobody can write there, root or not, on any system. The
// box still shows; an overlong message is cut to the box's buffer, the log keeps it whole.
TEST_F(LogsTest, UnwritableFolderIsSkippedAndFatalMessagesAreShownCutToTheBox)
{
    const fs::path blocker = temp.write("file", "x");
    CLogs logs(clock, sink, blocker);
    logs.writeErrorLog("could not create FULLSCREEN 32bit", true);
    logs.writeLog("m1", true);
    EXPECT_EQ(CTempFolder::read(blocker), "x");
    EXPECT_EQ(sink.boxes, std::vector<std::string>{"could not create FULLSCREEN 32bit"});
    EXPECT_EQ(sink.quits, std::vector<int>{0});

    CLogs(clock, sink, temp.path()).writeErrorLog(std::string(5000, 'x'), true);
    ASSERT_EQ(sink.boxes.size(), 2u);
    EXPECT_EQ(sink.boxes[1].size(), 1023u);
    EXPECT_EQ(CTempFolder::read(temp / "error_log.txt").size(), 26u + 5000 + 2);
}
