#include "shell/CApplication.h"

#include "graphics/GraphicsResult.h"
#include "input/KeyCodes.h"

namespace {

constexpr std::uint32_t kSpriteOpaque = 0;
constexpr std::uint32_t kSpriteKeyed = 100;

} // namespace

void CApplication::renderFrame()
{
    if (state_.quitRequested || shutDown_) {
        return;
    }
    if (handleInput()) {
        return;
    }
    placeCursor();
    if (menuPictureUnchanged()) {
        screen_->PresentUnchanged();
    } else {
        composeFrame();
        screen_->Present();
    }
    if (state_.quitRequested) {
        if (state_.openHomePageOnQuit) {
            launchHomePage();
        }
        closeWindow();
    }
}

// A menu screen changes only with what it is drawn from; the scene's timers and animations
// change it all the time.
bool CApplication::menuPictureUnchanged()
{
    if (Screen::isScene(state_.screenState)) {
        menuFrameComposedFor_.reset();
        return false;
    }
    const SMenuFrameInputs inputs = menuFrameInputs();
    const bool unchanged = menuFrameComposedFor_ == inputs && screen_->showsLastFrame();
    // Taken before drawing: whatever the drawing itself changes makes the next frame differ.
    menuFrameComposedFor_ = inputs;
    return unchanged;
}

SMenuFrameInputs CApplication::menuFrameInputs() const
{
    SMenuFrameInputs inputs;
    inputs.screen = state_.screenState;
    input_->GetMousePos(inputs.cursorX, inputs.cursorY);
    inputs.pointerInWindow = input_->PointerInWindow();
    inputs.mouseButtons = {input_->GetKeyState(KeyCode::MouseLeft), input_->GetKeyState(KeyCode::MouseRight),
                           input_->GetKeyState(KeyCode::MouseMiddle)};
    const auto valueOf = [](const std::unique_ptr<CCycleButton>& button) { return button ? button->value() : -1; };
    inputs.buttonValues = {valueOf(graphics_.mb_back), valueOf(graphics_.mb_music), valueOf(graphics_.mb_zurueck)};
    return inputs;
}

void CApplication::composeFrame()
{
    CSurface& back = *screen_->back();
    back.Fill(0);
    switch (state_.screenState) {
    case Screen::TitleMenu:
        drawTitleMenu();
        break;
    case Screen::Help:
        drawHelpScreen();
        break;
    case Screen::Settings:
        drawSettingsScreen();
        break;
    default:
        timers_.tick();
        drawScene();
        break;
    }
    // A cursor left at the window's edge would look as if the pointer were still there.
    if (graphics_.cursor && input_->PointerInWindow()) {
        graphics_.cursor->Draw(*screen_->back(), 0, 0, kSpriteKeyed);
    }
}

void CApplication::placeCursor()
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    input_->GetMousePos(x, y);
    if (graphics_.cursor) {
        graphics_.cursor->setPosition(x, y);
    }
}

// A copy whose picture turns out lost makes all pictures load again at once; the layers
// after it then draw the new ones. Returns false when that happened.
bool CApplication::drawChecked(CSurface* picture, std::int32_t x, std::int32_t y, bool keyed)
{
    if (!picture) {
        return true;
    }
    CSurface& back = *screen_->back();
    const std::int32_t result = keyed ? picture->Keyed(back, x, y) : picture->Opaque(back, x, y);
    if (result == GraphicsResult::kSurfaceLost) {
        reloadGraphics();
        return false;
    }
    return true;
}

void CApplication::drawButton(CCycleButton* button, std::uint32_t mode, bool lostCheck)
{
    if (!button) {
        return;
    }
    if (button->Draw(*screen_->back(), 0, 0, mode) == GraphicsResult::kSurfaceLost && lostCheck) {
        reloadGraphics();
    }
}

void CApplication::drawTitleMenu()
{
    drawChecked(graphics_.backMain.get(), 0, 0, false);
    // Asked in this order; the last one under the pointing spot is highlighted.
    static constexpr EMenuEntry kAskOrder[] = {EMenuEntry::Start, EMenuEntry::End, EMenuEntry::Settings,
                                               EMenuEntry::HomePage, EMenuEntry::Help};
    EMenuEntry highlighted = EMenuEntry::None;
    for (const EMenuEntry entry : kAskOrder) {
        CHotspot* hotspot = graphics_.hotspot(entry);
        if (hotspot && graphics_.cursor && hotspot->hitTest(*graphics_.cursor, *input_)) {
            highlighted = entry;
        }
    }
    if (graphics_.menuFrames) {
        graphics_.menuFrames->setFrame(static_cast<std::int32_t>(highlighted));
        graphics_.menuFrames->drawFrame(*screen_->back());
    }
}

void CApplication::drawHelpScreen()
{
    drawChecked(graphics_.backHelp.get(), 0, 0, false);
    if (graphics_.mb_zurueck && graphics_.cursor) {
        graphics_.mb_zurueck->handleMouse(*graphics_.cursor, *input_);
    }
    drawButton(graphics_.mb_zurueck.get(), kSpriteOpaque, false);
}

void CApplication::drawSettingsScreen()
{
    drawChecked(graphics_.backConfig.get(), 0, 0, false);
    if (graphics_.cursor) {
        for (CCycleButton* button : {graphics_.mb_back.get(), graphics_.mb_music.get(), graphics_.mb_zurueck.get()}) {
            if (button) {
                button->handleMouse(*graphics_.cursor, *input_);
            }
        }
    }
    drawButton(graphics_.mb_back.get(), kSpriteKeyed, false);
    drawButton(graphics_.mb_music.get(), kSpriteKeyed, false);
    drawButton(graphics_.mb_zurueck.get(), kSpriteOpaque, false);
}

void CApplication::drawScene()
{
    CSurface& back = *screen_->back();
    drawChecked(graphics_.background.get(), 0, 0, false);
    drawChecked(graphics_.effectSurface.get(), 412, 314, false);
    drawChecked(graphics_.door.get(), 412, 314, true);
    drawButton(graphics_.mb_zurueck.get(), kSpriteOpaque, true);
    if (graphics_.mb_zurueck && graphics_.cursor) {
        graphics_.mb_zurueck->handleMouse(*graphics_.cursor, *input_);
    }
    if (graphics_.flameLeft) {
        graphics_.flameLeft->drawFrame(back);
    }
    if (graphics_.flameRight) {
        graphics_.flameRight->drawFrame(back);
    }
    // Read again: the back button may have left the scene in this very frame.
    switch (state_.screenState) {
    case Screen::Question:
        drawQuestionScreen();
        break;
    case Screen::Glow:
        drawGlowScreen();
        break;
    case Screen::Answer:
        drawAnswerScreen();
        break;
    case Screen::Flight:
        drawFlightScreen();
        break;
    default:
        break;
    }
}

// Both flames step the one shared counter, so the left shows odd frames and the right even.
void CApplication::advanceFlames()
{
    if (graphics_.flameLeft) {
        graphics_.flameLeft->advance();
    }
    if (graphics_.flameRight) {
        graphics_.flameRight->advance();
    }
}
