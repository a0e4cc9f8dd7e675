#pragma once
#include <cstdint>
#include <string>

// The screens. The numbers are the ones the program always used; 1 to 4 share the scene.
enum class EScreen : std::int32_t {
    Question = 1,
    Glow = 2,
    Answer = 3,
    Flight = 4,
    TitleMenu = 5,
    Help = 6,
    Settings = 7,
};

constexpr bool isScene(EScreen screen)
{
    return screen >= EScreen::Question && screen <= EScreen::Flight;
}

// The shell's program-wide state: which screen shows, the texts, the answer sequence and the
// dancer.
struct SShellState {
    EScreen screenState = EScreen::TitleMenu;
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

    // The answer sequence: flight, glow, answer.
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
