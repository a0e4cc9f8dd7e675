#include "platform/win32/Win32MessageBox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// What a box showed, read from its window by a second thread, which then presses OK.
struct SShownBox {
    std::string text;
    bool hasIcon = false;
    bool found = false;
};

// The text and icon controls of the system's message box dialog.
constexpr int kTextControl = 0xFFFF;
constexpr int kIconControl = 0x0440;

SShownBox showAndDismiss(const std::string& title, const std::string& text, EBoxIcon icon)
{
    SShownBox shown;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (int i = 0; i < 400 && !done; ++i) {
            if (const HWND box = FindWindowA(nullptr, title.c_str())) {
                char buffer[512] = {};
                GetDlgItemTextA(box, kTextControl, buffer, sizeof buffer);
                shown.text = buffer;
                const HWND iconControl = GetDlgItem(box, kIconControl);
                shown.hasIcon = iconControl && SendMessageA(iconControl, STM_GETICON, 0, 0) != 0;
                shown.found = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(25);
        }
    });
    CWin32MessageBox().show(title, text, icon);
    done = true;
    reader.join();
    return shown;
}

// The version box without an icon is shown in the end-to-end run under wine.
TEST(Win32MessageBox, ShowsTheTextUnderItsTitleWithTheIconAsked)
{
    EXPECT_EQ(messageBoxStyle(EBoxIcon::Error), UINT(16)) << "OK with the stop icon";
    EXPECT_EQ(messageBoxStyle(EBoxIcon::None), UINT(MB_OK));
    const SShownBox error = showAndDismiss("Error", "kein Speicher f\xFCr backMain", EBoxIcon::Error);
    ASSERT_TRUE(error.found);
    EXPECT_EQ(error.text, "kein Speicher f\xFCr backMain") << "Windows-1252 bytes as they are";
    EXPECT_TRUE(error.hasIcon);
}

} // namespace
