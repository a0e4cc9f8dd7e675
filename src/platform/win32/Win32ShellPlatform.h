#pragma once
#include "platform/ShellPlatform.h"

#include "platform/win32/ConsoleCloseRequests.h"
#include "platform/win32/DirectInputSource.h"
#include "platform/win32/Win32Browser.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32MessageQueue.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WaveOutAudio.h"

#include <memory>

// The real Windows system behind the shell: one window and its message queue, DirectDraw and
// DirectInput on it, GDI text, waveOut sound, the registry, the system's message boxes and
// the browser of the .htm files.
class CWin32ShellPlatform final : public IShellPlatform {
public:
    explicit CWin32ShellPlatform(EWindowMode startMode);
    ~CWin32ShellPlatform() override;
    CWin32ShellPlatform(const CWin32ShellPlatform&) = delete;
    CWin32ShellPlatform& operator=(const CWin32ShellPlatform&) = delete;

    const IClock& clock() override { return clock_; }
    IMessageQueue& messageQueue() override { return messages_; }
    IMessageBox& messageBox() override { return messageBox_; }
    IBrowserLauncher& browser() override { return browser_; }
    IAudioDevice& audio() override { return audio_; }
    IRegistryStore& registry() override { return *registry_; }

    bool createMainWindow() override;
    std::unique_ptr<IDisplay> createDisplay() override;
    std::unique_ptr<IFontRasterizer> createFonts() override;
    IInputSource* inputSource() override { return input_.get(); }
    void toggleWindowMode() override;

private:
    SCursorPosition clientToPicture(std::int32_t x, std::int32_t y) const;

    EWindowMode startMode_;
    CWin32Clock clock_;
    CWaveOutAudio audio_;
    std::unique_ptr<IRegistryStore> registry_;
    CWin32MessageBox messageBox_;
    CWin32Browser browser_;
    CWin32MessageQueue messages_;
    // The window outlives everything made on it: declared before them, destroyed after.
    std::unique_ptr<CWin32Window> window_;
    std::unique_ptr<CDirectInputSource> input_;
    std::unique_ptr<CConsoleCloseRequests> consoleCloses_;
};
