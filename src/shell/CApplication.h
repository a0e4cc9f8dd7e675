#pragma once
#include "platform/ShellPlatform.h"
#include "shell/CHelpScreen.h"
#include "shell/CLoaderScreen.h"
#include "shell/CSceneScreen.h"
#include "shell/CSettingsScreen.h"
#include "shell/CTimerList.h"
#include "shell/CTitleMenuScreen.h"
#include "shell/CommandLine.h"
#include "shell/ShellGraphics.h"
#include "shell/ShellState.h"

#include "diagnostics/CLogs.h"
#include "diagnostics/FatalErrorSink.h"
#include "graphics/CScreen.h"
#include "input/CInput.h"
#include "music/CMusicPlayer.h"
#include "music/CResourceModule.h"
#include "oracle/COracle.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// What the picture of the title menu, help or settings screen depends on: while all of it
// stays the same, so does the picture, which then need not be composed again.
struct SMenuFrameInputs {
    EScreen screen = EScreen::TitleMenu;
    std::int32_t cursorX = 0;
    std::int32_t cursorY = 0;
    bool pointerInWindow = false;
    std::array<std::uint8_t, 3> mouseButtons{};
    std::array<std::int32_t, 3> buttonValues{};

    friend bool operator==(const SMenuFrameInputs&, const SMenuFrameInputs&) = default;
};

// The one application object: it owns every subsystem object and all of the shell's state,
// starts the program up, runs the message loop with its frames, and shuts down. Each screen's
// drawing and input handling is its own object's; a frame runs the one that shows.
class CApplication final : private IFatalErrorSink {
public:
    // Builds the program-wide objects in their order: the texts, the oracle (whose answer
    // engine reads "hv.dat" and "sw.dat" from the working folder at once, and whose help
    // check then reads "hilfe.dat"), the music player (which
    // starts the sound device), the song package holder and the timer list. Both logs go to
    // `logFolder`; empty means the working folder.
    explicit CApplication(IShellPlatform& platform, std::filesystem::path logFolder = {});
    ~CApplication() override;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // The whole run: the version box, or the window, start-up and the message loop. Returns
    // the exit code.
    int winMain(const SLaunchOptions& options);

    // The run in pieces, for tests. startUp shows the version box or makes the window and
    // runs cInit; false when the program is already over. runLoopStep takes one message, or
    // draws one frame when none waits and the program is active, or waits for a message.
    bool startUp(const SLaunchOptions& options);
    void runLoopStep();
    // Where the system owns the loop and calls back once per displayed frame (a browser):
    // takes every waiting message, then draws one frame if the program is active. Never
    // waits. False once the program is over.
    bool runFrameStep();
    bool quitPosted() const { return quitPosted_; }
    int exitCode() const { return exitCode_; }

    // The window's messages (the window procedure).
    void handleMessage(const SMessage& message);
    // One frame: input, layers, present, pending quit.
    void renderFrame();

    SShellState& state() { return state_; }
    SGraphics& graphics() { return graphics_; }
    CScreen* screen() { return screen_.get(); }
    CInput* input() { return input_.get(); }
    CTimerList& timers() { return timers_; }
    CLogs& logs() { return logs_; }
    CMusicPlayer& music() { return music_; }
    bool isShutDown() const { return shutDown_; }

    // For the screens.
    IShellPlatform& platform() { return platform_; }
    COracle& oracle() { return oracle_; }
    CSceneScreen& scene() { return scene_; }
    CSettingsScreen& settingsScreen() { return settings_; }
    // Settings: the caller's default stands when a value cannot be read.
    std::int32_t loadSetting(const char* name, std::int32_t fallback);
    void saveSetting(const char* name, std::int32_t value);
    // The scene's landscape, as the settings choose it.
    void loadBackground();
    std::unique_ptr<CFrameSet> makeFrameSet();
    // Copies onto the back buffer. A picture found lost makes all pictures load again.
    bool drawChecked(CSurface* picture, std::int32_t x, std::int32_t y, bool keyed);
    void drawButton(CCycleButton* button, EBlitMode mode, bool lostCheck);

    // The home page the menu's entry opens.
    static constexpr const char* kHomePage = "https://www.minnespiegel.example/";

private:
    // IFatalErrorSink: the "Error" box, then the quit message.
    void showErrorBox(const std::string& message) override;
    void postQuit(int exitCode) override;

    // Start-up and shutdown.
    bool init();
    void reportKnowledgeFiles();
    bool cInit();
    bool createScreen();
    bool setDisplayMode();
    bool tryDepths(std::initializer_list<std::int32_t> depths, const char* failureMessage);
    bool createInput();
    void registerTimers();
    void unregisterTimers();
    void startMusic();
    void closeWindow();
    void showLastFrameAgain();
    void shutdown();

    // Pictures.
    void loadGraphics();
    void releaseGraphics();
    void reloadGraphics();
    void loadSceneSurfaces();
    void loadBoxes();
    void loadFullScreenPictures();
    struct SButtonPicture {
        const char* file;
        std::int32_t tileWidth;
        std::int32_t tileHeight;
        std::int32_t tileCount;
        bool keyFromCorner;
        const char* noMemoryMessage; // fatal; nullptr: not reported
        const char* failureMessage;  // fatal when the picture fails; nullptr: not reported
    };
    bool loadButton(std::unique_ptr<CCycleButton>& button, const SButtonPicture& entry);
    void loadButtons();
    void placeButtons();
    void loadCursorAndMenu();
    void progressStep();
    // Writes the message of a picture that did not load; when the loader refused that picture
    // (`fileName`, the program's name for it), a line with the file and the reason follows.
    void logPictureFailure(const std::string& message, bool fatal, std::string_view fileName);

    // The frame: input, then the current screen, then the cursor.
    bool handleInput();
    void placeCursor();
    bool menuPictureUnchanged();
    SMenuFrameInputs menuFrameInputs() const;
    void composeFrame();
    // The back button's way, from every screen.
    void backToMenu();
    void launchHomePage();

    IShellPlatform& platform_;
    CLogs logs_;
    SShellState state_;
    COracle oracle_;
    CMusicPlayer music_;
    CResourceModule packageLibrary_;
    CTimerList timers_;

    std::unique_ptr<CScreen> screen_;
    std::unique_ptr<CInput> input_;
    SGraphics graphics_;
    CLoaderScreen loader_{*this};
    CTitleMenuScreen titleMenu_{*this};
    CHelpScreen help_{*this};
    CSettingsScreen settings_{*this};
    CSceneScreen scene_{*this};
    std::int32_t frameStepCounter_ = 0;
    // The picture the loader refused last, as opened, and the loader's reason.
    struct SPictureFailure {
        std::string fileName;
        std::string reason;
    };
    std::optional<SPictureFailure> pictureFailure_;
    // What the last composed menu frame was drawn from; empty after a scene frame or new pictures.
    std::optional<SMenuFrameInputs> menuFrameComposedFor_;

    bool windowCreated_ = false;
    bool shutDown_ = false;
    bool quitPosted_ = false;
    int exitCode_ = 0;
};
