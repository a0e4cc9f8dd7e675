#include "shell/CApplication.h"

#include "graphics/IDisplay.h"
#include "graphics/IFontRasterizer.h"

#include <cstdio>
#include <new>

namespace {

constexpr std::int32_t kScreenWidth = 800;
constexpr std::int32_t kScreenHeight = 600;
constexpr const char* kPackageName = "resource.dat";
constexpr const char* kSongName = "music.ogg";
constexpr const char* kNoKnowledgeText =
    "Die Wissensdatei sw.dat fehlt oder ist leer. Der Spiegel kann nicht antworten.";

} // namespace

bool CApplication::init()
{
    windowCreated_ = platform_.createMainWindow();
    if (!windowCreated_) {
        logs_.writeErrorLog("Init::could not create the main window", true);
        return false;
    }
    return true;
}

// The oracle read its files before anything could be logged; its trouble is told here, once,
// before the window exists so the box cannot hide behind a full screen. Without answers the
// program still runs: the user sees why the scroll stays empty.
void CApplication::reportKnowledgeFiles()
{
    for (const std::string& line : oracleLoadMessages(oracle_)) {
        logs_.writeErrorLog(line, false);
    }
    if (oracle_.engine().records().empty()) {
        platform_.messageBox().show(kWindowTitle, kNoKnowledgeText, EBoxIcon::Error);
    }
}

bool CApplication::cInit()
{
    if (!createScreen()) {
        return false;
    }
    packageLibrary_.SetName(kPackageName);
    packageLibrary_.Load();
    const bool modeSet = setDisplayMode();
    char depthLine[32];
    std::snprintf(depthLine, sizeof depthLine, "Farbtiefe: %i", static_cast<int>(state_.colourDepth));
    logs_.writeErrorLog(depthLine, false);
    if (!modeSet) {
        return false;
    }
    screen_->back()->Fill(0);
    if (!createInput()) {
        return false;
    }
    input_->SetMouseBounds(-15, -12, 781, 579);
    screen_->Present();
    loader_.load();
    loadGraphics();
    state_.showLoaderProgress = false;
    loader_.free();
    registerTimers();
    startMusic();
    return true;
}

// Without a display there is nothing the program could show: it says so and ends.
bool CApplication::createScreen()
{
    std::unique_ptr<IDisplay> display = platform_.createDisplay();
    if (display) {
        screen_.reset(new (std::nothrow) CScreen(std::move(display), platform_.createFonts()));
    }
    if (!screen_) {
        logs_.writeErrorLog("cInit::Could not create screen object", true);
        return false;
    }
    // Every picture that fails is logged with the loader's reason, besides any message of its
    // own, so a missing or damaged file can be found.
    screen_->setPictureFailureListener([this](std::string_view fileName, std::string_view reason) {
        logs_.writeErrorLog("LoadImage: " + std::string(fileName) + " konnte nicht geladen werden (" +
                                std::string(reason) + ")",
                            false);
        pictureFailure_ = SPictureFailure{std::string(fileName), std::string(reason)};
    });
    return true;
}

bool CApplication::setDisplayMode()
{
    switch (loadSetting("cd", 0)) {
    case 1:
    case 16:
        return tryDepths({16, 15}, "could not create FULLSCREEN 16/15bit");
    case 15:
        // A stored 15 asks for 15 bits only; its row is the 16/15-bit one.
        return tryDepths({15}, "could not create FULLSCREEN 16/15bit");
    case 2:
    case 24:
        return tryDepths({24}, "could not create FULLSCREEN 24bit");
    case 3:
    case 32:
        return tryDepths({32}, "could not create FULLSCREEN 32bit");
    default:
        return tryDepths({32, 24, 16, 15}, "could not create FULLSCREEN AUTODETECT");
    }
}

bool CApplication::tryDepths(std::initializer_list<std::int32_t> depths, const char* failureMessage)
{
    for (const std::int32_t depth : depths) {
        state_.colourDepth = depth;
        if (screen_->OpenFullScreen(kScreenWidth, kScreenHeight, static_cast<std::uint32_t>(depth)) >= 0) {
            return true;
        }
    }
    logs_.writeErrorLog(failureMessage, true);
    return false;
}

// Without keyboard and mouse nobody could steer the program: it says so and ends.
bool CApplication::createInput()
{
    IInputSource* source = platform_.inputSource();
    if (source) {
        input_.reset(new (std::nothrow) CInput());
    }
    if (!input_) {
        logs_.writeErrorLog("cInit::Could not create input object", true);
        return false;
    }
    if (input_->Open(*source) < 0) {
        logs_.writeErrorLog("cInit:: Could not create direct input object", false);
    }
    // In a window the system pointer's tip is the cursor's pointing spot.
    input_->SetPointerSpot(kPointingSpotX, kPointingSpotY);
    return true;
}

void CApplication::registerTimers()
{
    CAnswerSequence& answer = scene_.answerSequence();
    timers_.add(scene_.flamesTimer(), 90);
    timers_.start(scene_.flamesTimer());
    timers_.add(answer.flyTimer(), 15);
    timers_.add(answer.glowTimer(), 15);
    timers_.add(answer.answerTimer(), 15);
    timers_.add(scene_.dancer().animateTimer(), 30);
}

void CApplication::unregisterTimers()
{
    CAnswerSequence& answer = scene_.answerSequence();
    timers_.remove(scene_.flamesTimer());
    timers_.remove(answer.flyTimer());
    timers_.remove(answer.glowTimer());
    timers_.remove(answer.answerTimer());
    timers_.remove(scene_.dancer().animateTimer());
}

void CApplication::startMusic()
{
    music_.AddSong(kSongName);
    if (loadSetting("music", 0) == 1) {
        music_.Disable();
    } else {
        music_.Start();
    }
}

void CApplication::shutdown()
{
    shutDown_ = true;
    timers_.stopAll();
    unregisterTimers();
    packageLibrary_.Free();
    releaseGraphics();
    input_.reset();
    screen_.reset();
}