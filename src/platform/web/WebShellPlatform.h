#pragma once
#include "platform/ShellPlatform.h"

#include "common/Clock.h"
#include "platform/web/WebAudio.h"
#include "platform/web/WebDialogs.h"
#include "platform/web/WebInputSource.h"

#include <deque>
#include <memory>

// The system behind the shell in a web page: the canvas, the page's events, Web Audio,
// localStorage, in-page dialogs and new tabs. The page's script sends its events here (through
// the functions below this class); they become input events and window messages.
class CWebShellPlatform final : public IShellPlatform {
public:
    CWebShellPlatform();
    ~CWebShellPlatform() override;
    CWebShellPlatform(const CWebShellPlatform&) = delete;
    CWebShellPlatform& operator=(const CWebShellPlatform&) = delete;

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

    CWebInputSource& input() { return input_; }
    // The page became visible or hidden: the program is active only while it can be seen.
    void visibilityChanged(bool visible);

private:
    // The window's messages as the page posts them; taking one never waits.
    class CMessages final : public IMessageQueue {
    public:
        std::optional<SMessage> takeMessage() override;
        // Nothing in a page may block; the browser calls the loop again on the next frame.
        void waitForMessage() override {}
        void post(SMessage message) { waiting_.push_back(message); }

    private:
        std::deque<SMessage> waiting_;
    };

    CSystemClock clock_;
    CWebAudio audio_;
    std::unique_ptr<IRegistryStore> registry_;
    CWebMessageBox messageBox_;
    CWebBrowser browser_;
    CWebInputSource input_;
    CMessages messages_;
    bool attached_ = false;
};
