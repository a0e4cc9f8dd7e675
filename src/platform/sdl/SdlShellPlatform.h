#pragma once
#include "platform/ShellPlatform.h"

#include "common/Clock.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlMessageBox.h"
#include "platform/sdl/SdlMessageQueue.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/XdgBrowser.h"

#include <memory>

class CSdlInputSource;

// The real system behind the shell: one SDL window, its display and input, SDL2_mixer sound,
// the registry file, SDL message boxes and xdg-open.
class CSdlShellPlatform final : public IShellPlatform {
public:
    explicit CSdlShellPlatform(EWindowMode startMode);
    ~CSdlShellPlatform() override;
    CSdlShellPlatform(const CSdlShellPlatform&) = delete;
    CSdlShellPlatform& operator=(const CSdlShellPlatform&) = delete;

    const IClock& clock() override { return clock_; }
    IMessageQueue& messageQueue() override { return messages_; }
    IMessageBox& messageBox() override { return messageBox_; }
    IBrowserLauncher& browser() override { return browser_; }
    IAudioDevice& audio() override { return audio_; }
    IRegistryStore& registry() override { return *registry_; }

    bool createMainWindow() override;
    std::unique_ptr<IDisplay> createDisplay() override;
    std::unique_ptr<IFontRasterizer> createFonts() override;
    IInputSource* inputSource() override;
    void toggleWindowMode() override;

private:
    void forwardToInput(const SDL_Event& event);

    EWindowMode startMode_;
    CSystemClock clock_;
    CSdlAudio audio_;
    std::unique_ptr<IRegistryStore> registry_;
    CSdlMessageBox messageBox_;
    CXdgBrowser browser_;
    // The window outlives everything made on it: declared before them, destroyed after.
    std::unique_ptr<CSdlWindow> window_;
    std::unique_ptr<CSdlInputSource> input_;
    CSdlMessageQueue messages_;
};
