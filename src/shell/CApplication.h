#pragma once
#include "shell/CTimerList.h"
#include "shell/CommandLine.h"
#include "shell/ShellGraphics.h"
#include "platform/ShellPlatform.h"
#include "shell/TextLayout.h"

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

// The screens, as `screenState` numbers them. 1 to 4 share the scene.
namespace Screen {
inline constexpr std::int32_t Question = 1;
inline constexpr std::int32_t Glow = 2;
inline constexpr std::int32_t Answer = 3;
inline constexpr std::int32_t Flight = 4;
inline constexpr std::int32_t TitleMenu = 5;
inline constexpr std::int32_t Help = 6;
inline constexpr std::int32_t Settings = 7;

constexpr bool isScene(std::int32_t screen) { return screen >= Question && screen <= Flight; }
} // namespace Screen

// The shell's program-wide state: which screen shows, the texts, the answer sequence and the
// dancer.
struct SShellState {
    std::int32_t screenState = Screen::TitleMenu;
    bool active = false;
    bool quitRequested = false;
    bool openHomePageOnQuit = false;
    std::int32_t colourDepth = 0;
    bool showLoaderProgress = true;

    std::string questionText;
    std::int32_t questionSplit = 0;
    // Clock counter of the last edit: the caret blinks from then on, starting visible.
    std::int64_t caretShownSince = 0;
    std::string answerText;

    // The answer sequence: flight (screen 4), glow (2), answer (3).
    bool phaseStarted = false;
    std::int32_t flightX = 141;
    std::int32_t flightY = 505;
    float flightScale = 1.0f;
    std::int32_t glowTicks = 0;
    std::int32_t glowLevel = 0;
    bool glowFalling = false;
    bool answered = false;
    std::int32_t answerTicks = 0;
    std::int32_t answerFade = 256;

    // The dancer.
    std::string animationState;
    std::int32_t dancerFrame = 0;
    bool dancerLoaded = false;
    std::int32_t dancerX = 200;
    std::int32_t dancerY = 335;
};

// What the picture of the title menu, help or settings screen depends on: while all of it
// stays the same, so does the picture, which then need not be composed again.
struct SMenuFrameInputs {
    std::int32_t screen = 0;
    std::int32_t cursorX = 0;
    std::int32_t cursorY = 0;
    bool pointerInWindow = false;
    std::array<std::uint8_t, 3> mouseButtons{};
    std::array<std::int32_t, 3> buttonValues{};

    friend bool operator==(const SMenuFrameInputs&, const SMenuFrameInputs&) = default;
};

// The one application object: it owns every subsystem object and all of the shell's state,
// starts the program up, runs the message loop with its frames, and shuts down.
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
    void startMusic();
    void closeWindow();
    void showLastFrameAgain();
    void shutdown();

    // Settings: the caller's default stands when a value cannot be read.
    std::int32_t loadSetting(const char* name, std::int32_t fallback);
    void saveSetting(const char* name, std::int32_t value);

    // Pictures.
    void loadGraphics();
    void releaseGraphics();
    void reloadGraphics();
    void loadBackground();
    void loadSceneSurfaces();
    void loadBoxes();
    void loadFullScreenPictures();
    struct SButtonSpec {
        const char* file;
        std::int32_t tileWidth;
        std::int32_t tileHeight;
        std::int32_t tileCount;
        bool keyFromCorner;
        const char* noMemoryMessage; // fatal; nullptr: not reported
        const char* failureMessage;  // fatal when the picture fails; nullptr: not reported
    };
    bool loadButton(std::unique_ptr<CCycleButton>& button, const SButtonSpec& entry);
    void loadButtons();
    void placeButtons();
    void loadHotspots();
    void loadCursorAndMenu();
    std::unique_ptr<CFrameSet> makeFrameSet();
    void progressStep();
    // Writes the message of a picture that did not load; when the loader refused that picture
    // (`fileName`, the program's name for it), a line with the file and the reason follows.
    void logPictureFailure(const std::string& message, bool fatal, std::string_view fileName);

    // The loader screen.
    void loadLoader();
    void loaderStep();
    void drawLoader();
    void freeLoader();

    // The frame and its layers.
    bool handleInput();
    void placeCursor();
    bool menuPictureUnchanged();
    SMenuFrameInputs menuFrameInputs() const;
    void composeFrame();
    void drawTitleMenu();
    void drawHelpScreen();
    void drawSettingsScreen();
    void drawScene();
    bool drawChecked(CSurface* picture, std::int32_t x, std::int32_t y, bool keyed);
    void drawButton(CCycleButton* button, std::uint32_t mode, bool lostCheck);
    void advanceFlames();

    // Question entry.
    void handleTyping();
    void appendToQuestion(char byte);
    bool submitQuestion();
    void drawQuestionScreen();
    bool caretVisible() const;
    void drawCaret(std::int32_t x, std::int32_t y);
    void writeBoxText(CSurface& box, const SBoxLayout& layout, std::uint32_t color);
    MeasureText boxMeasure(CSurface& box);
    void beep();

    // The answer sequence.
    void drawFlightScreen();
    void drawGlowScreen();
    void drawAnswerScreen();
    void flyQuestion();
    void glowGate();
    void paintGlow();
    void showAnswer();
    void composeAnswerBox();
    void dismissAnswer();
    void endAnswerSequence();

    // The dancer.
    void setAnimationState(const std::string& name);
    void animateDancer();
    void loadDancer();
    void drawDancer();

    // Menu and buttons.
    void startOracle();
    void openSettings();
    void quitToHomePage();
    void openHelp();
    void exitProgram();
    void backToMenu();
    void toggleMusic();
    void launchHomePage();

    STimerCallback advanceFlamesTimer();
    STimerCallback flyQuestionTimer();
    STimerCallback glowGateTimer();
    STimerCallback showAnswerTimer();
    STimerCallback animateDancerTimer();

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
    SLoaderScreen loader_;
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
