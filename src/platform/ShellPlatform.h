#pragma once
#include <memory>
#include <optional>
#include <string>

// The services the shell takes from the operating system, in the program's own terms. Each
// system's platform folder (sdl/, win32/) implements them; tests give scripted ones. This header
// and the others beside it include no system header, so everything above the seam builds on
// every system.

// The one window's title, Windows-1252.
inline constexpr const char* kWindowTitle = "Minnespiegel 2004";

// How the program window starts: full screen, or an 800 x 600 window that can be resized (the
// picture is scaled into it).
enum class EWindowMode { FullScreen, Windowed };

// A message of the window's queue, already translated from the platform's events. Input
// events never come out here: the platform hands them to the input source on the way.
enum class EMessageKind {
    Activate,         // the program came to the front or left it (`active` tells which)
    Close,            // the window is to close: the system, the user, SIGTERM or SIGINT
    ToggleWindowMode, // Alt+Enter: full screen <-> window
    Repaint,          // part of the window was uncovered and must be shown again
};

struct SMessage {
    EMessageKind kind = EMessageKind::Close;
    bool active = false;
};

class IMessageQueue {
public:
    virtual ~IMessageQueue() = default;
    // Takes the next waiting message without blocking, or nothing when none waits.
    virtual std::optional<SMessage> takeMessage() = 0;
    // Blocks until something arrives in the queue; takes nothing.
    virtual void waitForMessage() = 0;
};

enum class EBoxIcon { None, Information, Error };

// A blocking notice with one OK button. Texts are Windows-1252.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void show(const std::string& title, const std::string& text, EBoxIcon icon) = 0;
};

// Whether a browser was started, and why not when it was not.
struct SLaunchResult {
    bool started = true;
    std::string failure;
};

// Starts the user's web browser with an address and does not wait for it to end.
class IBrowserLauncher {
public:
    virtual ~IBrowserLauncher() = default;
    virtual SLaunchResult openAddress(const std::string& address) = 0;
};

class IClock;
class IDisplay;
class IFontRasterizer;
class IInputSource;
class IAudioDevice;
class IRegistryStore;

// Everything the shell takes from the system, made by the platform layer (or by a test with a
// null display, a scripted input source and a fake audio device).
class IShellPlatform {
public:
    virtual ~IShellPlatform() = default;

    virtual const IClock& clock() = 0;
    virtual IMessageQueue& messageQueue() = 0;
    virtual IMessageBox& messageBox() = 0;
    virtual IBrowserLauncher& browser() = 0;
    // The sound device for the music and the beep; a device that cannot start stays silent.
    virtual IAudioDevice& audio() = 0;
    // The current user's settings store.
    virtual IRegistryStore& registry() = 0;

    // Makes and shows the one window; false when it cannot be made.
    virtual bool createMainWindow() = 0;
    // The display device of the window and the font service, for the screen object; nullptr
    // when the system has no display.
    virtual std::unique_ptr<IDisplay> createDisplay() = 0;
    virtual std::unique_ptr<IFontRasterizer> createFonts() = 0;
    // Where keyboard, mouse and joystick events come from; nullptr when there is none.
    virtual IInputSource* inputSource() = 0;
    // Alt+Enter: full screen <-> window.
    virtual void toggleWindowMode() = 0;
};

// The real system of this build behind the shell, its one window to start in `startMode`.
std::unique_ptr<IShellPlatform> makeShellPlatform(EWindowMode startMode);
