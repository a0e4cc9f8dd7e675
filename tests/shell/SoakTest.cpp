#include "ShellTestPlatform.h"

#include <dirent.h>
#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MINNE_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MINNE_SOAK_ASAN 1
#endif
#ifdef MINNE_SOAK_ASAN
#include <sanitizer/allocator_interface.h>
#endif

using namespace shelltest;

namespace {

// Bytes the program holds on the heap. Under the address sanitizer its allocator is asked:
// freed memory waits in its quarantine, so the process's size says nothing there.
std::size_t heapInUse()
{
#ifdef MINNE_SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

std::size_t entriesIn(const char* folder)
{
    std::size_t count = 0;
    if (DIR* dir = ::opendir(folder)) {
        while (const dirent* entry = ::readdir(dir)) {
            count += entry->d_name[0] != '.' ? 1 : 0;
        }
        ::closedir(dir);
    }
    return count;
}

constexpr int kCycles = 1000;

// Long use fast-forwarded: question after question, with the settings screen and the window
// mode switched every 25th. Frames are long, so each runs many timer ticks, and 16 bits a
// pixel halve the bytes each frame moves.
class SoakTest : public ShellTest {
protected:
    void cycle(int number)
    {
        typeText(number % 2 == 0 ? "liebe" : "treu?");
        pressEnter();
        ASSERT_NE(state().screenState, EScreen::Question) << "cycle " << number;
        for (int guard = 0; guard < 100 && !(state().screenState == EScreen::Answer && state().answerTicks > 200);
             ++guard) {
            frame(600);
        }
        ASSERT_EQ(state().screenState, EScreen::Answer) << "cycle " << number;
        pressEnter();
        ASSERT_EQ(state().screenState, EScreen::Question) << "cycle " << number;
        if (number % 25 == 0) {
            clickBack();
            clickSettings();
            ASSERT_EQ(state().screenState, EScreen::Settings) << "cycle " << number;
            clickBack();
            app->handleMessage({EMessageKind::ToggleWindowMode, false});
            clickStart();
            ASSERT_EQ(state().screenState, EScreen::Question) << "cycle " << number;
        }
    }
};

} // namespace

TEST_F(SoakTest, AThousandQuestionsLeaveNoGrowthNoHandlesAndNoLogLines)
{
    saveSetting("cd", 16);
    ASSERT_TRUE(start());
    clickStart();
    for (int number = 1; number <= 20; ++number) {
        ASSERT_NO_FATAL_FAILURE(cycle(number));
    }
    const std::size_t heap = heapInUse();
    const std::size_t handles = entriesIn("/proc/self/fd");
    const std::size_t threads = entriesIn("/proc/self/task");
    const std::size_t logLines = log().size();
    std::error_code noFile;
    const std::uintmax_t plainLog = fs::file_size(folder / "log.txt", noFile);
    for (int number = 21; number <= kCycles; ++number) {
        ASSERT_NO_FATAL_FAILURE(cycle(number));
    }
    EXPECT_LT(heapInUse(), heap + 1024 * 1024) << "from " << heap << " bytes";
    EXPECT_EQ(entriesIn("/proc/self/fd"), handles);
    EXPECT_EQ(entriesIn("/proc/self/task"), threads);
    // Entering the scene from the title menu logs one line; nothing else writes.
    const std::vector<std::string> lines = log();
    ASSERT_EQ(lines.size(), logLines + kCycles / 25 - 20 / 25) << ::testing::PrintToString(lines);
    for (std::size_t i = logLines; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "spiegel started");
    }
    EXPECT_EQ(fs::file_size(folder / "log.txt", noFile), plainLog);
}
