#include "diagnostics/CLogs.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class RecordingSink final : public IFatalErrorSink {
public:
    void showErrorBox(const std::string& message) override { boxes.push_back(message); }
    void postQuit(int exitCode) override { quits.push_back(exitCode); }
    std::vector<std::string> boxes;
    std::vector<int> quits;
};

std::tm makeTime(int year, int month, int day, int wday, int h, int m, int s)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = wday;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
}

class LogsTest : public ::testing::Test {
protected:
    void SetUp() override { clock.setLocalTime(makeTime(2026, 12, 5, 6, 20, 59, 16)); }
    CTempFolder temp{"logs"};
    const fs::path& folder = temp.path();
    CManualClock clock;
    RecordingSink sink;
};

} // namespace

TEST_F(LogsTest, StampHasLeadingZeroDayAndIs24Bytes)
{
    EXPECT_EQ(formatLogTimestamp(makeTime(2026, 12, 5, 6, 20, 59, 16)), "Sat Dec 05 20:59:16 2026");
    EXPECT_EQ(formatLogTimestamp(makeTime(2004, 1, 31, 0, 0, 0, 0)), "Sun Jan 31 00:00:00 2004");
    EXPECT_EQ(formatLogTimestamp(makeTime(1999, 7, 9, 3, 9, 5, 7)).size(), 24u);
}

TEST_F(LogsTest, ErrorLogAppendsStampedCrLfLinesInCallOrder)
{
    CLogs logs(clock, sink, folder);
    logs.writeErrorLog("spiegel started", false);
    logs.writeErrorLog("kein Speicher f\xFCr backMain", false);
    EXPECT_EQ(CTempFolder::read(folder / "error_log.txt"),
              "Sat Dec 05 20:59:16 2026: spiegel started\r\n"
              "Sat Dec 05 20:59:16 2026: kein Speicher f\xFCr backMain\r\n");
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_TRUE(sink.quits.empty());

    CLogs again(clock, sink, folder);  // a later run appends
    again.writeErrorLog("exiting", false);
    EXPECT_EQ(CTempFolder::read(folder / "error_log.txt").size(), 3 * 28u + 15 + 26 + 7);
}

TEST_F(LogsTest, FatalShowsBoxAfterWritingAndPostsQuitZero)
{
    CLogs logs(clock, sink, folder);
    logs.writeErrorLog("kann backMain nicht laden", true);
    logs.writeErrorLog("mb_start", true);
    EXPECT_EQ(sink.boxes, (std::vector<std::string>{"kann backMain nicht laden", "mb_start"}));
    EXPECT_EQ(sink.quits, (std::vector<int>{0, 0}));
    EXPECT_NE(CTempFolder::read(folder / "error_log.txt").find("mb_start\r\n"), std::string::npos);
}

TEST_F(LogsTest, PlainLogWithoutNewlineContinuesTheLine)
{
    CLogs logs(clock, sink, folder);
    logs.writeLog("m1", false);
    logs.writeLog("", true);
    logs.writeLog("f1", true);
    EXPECT_EQ(CTempFolder::read(folder / "log.txt"), "m1\r\nf1\r\n");
}

TEST_F(LogsTest, UnwritableFolderIsSkippedButFatalStillShown)
{
    // A folder whose parent is a file: nobody can write there, root or not, on any system.
    const fs::path blocker = folder / "file";
    std::ofstream(blocker) << "x";
    CLogs logs(clock, sink, blocker);
    logs.writeErrorLog("could not create FULLSCREEN 32bit", true);
    logs.writeLog("m1", true);
    EXPECT_EQ(CTempFolder::read(blocker), "x");
    EXPECT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.quits, std::vector<int>{0});
}

TEST_F(LogsTest, LogsGoIntoAFolderWhoseNameHasAnUmlaut)
{
    const fs::path home = folder / u8"J\u00fcrgen";
    fs::create_directories(home);
    CLogs logs(clock, sink, home);
    logs.writeErrorLog("spiegel started", false);
    EXPECT_EQ(CTempFolder::read(home / "error_log.txt"), "Sat Dec 05 20:59:16 2026: spiegel started\r\n");
}

TEST_F(LogsTest, OverlongFatalMessageIsCutToTheBoxBuffer)
{
    CLogs logs(clock, sink, folder);
    logs.writeErrorLog(std::string(5000, 'x'), true);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].size(), 1023u);
    EXPECT_EQ(CTempFolder::read(folder / "error_log.txt").size(), 26u + 5000 + 2);  // the log keeps it whole
}
