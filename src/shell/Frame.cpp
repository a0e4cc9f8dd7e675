#include "shell/CApplication.h"

#include "graphics/GraphicsResult.h"
#include "input/KeyCodes.h"

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

// Returns true when the program is being closed; the frame then stops at once.
bool CApplication::handleInput()
{
    input_->Update();
    if (input_->GetKeyState(KeyCode::Escape) == CInput::kPressed) {
        logs_.writeErrorLog("ESC pressed - leaving at once", false);
        closeWindow();
        return true;
    }
    scene_.handleTyping();
    return false;
}

// A menu screen changes only with what it is drawn from; the scene's timers and animations
// change it all the time.
bool CApplication::menuPictureUnchanged()
{
    if (isScene(state_.screenState)) {
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
    case EScreen::TitleMenu:
        titleMenu_.draw();
        break;
    case EScreen::Help:
        help_.draw();
        break;
    case EScreen::Settings:
        settings_.draw();
        break;
    default:
        scene_.draw();
        break;
    }
    // A cursor left at the window's edge would look as if the pointer were still there.
    if (graphics_.cursor && input_->PointerInWindow()) {
        graphics_.cursor->Draw(*screen_->back(), 0, 0, EBlitMode::Keyed);
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

void CApplication::drawButton(CCycleButton* button, EBlitMode mode, bool lostCheck)
{
    if (!button) {
        return;
    }
    if (button->Draw(*screen_->back(), 0, 0, mode) == GraphicsResult::kSurfaceLost && lostCheck) {
        reloadGraphics();
    }
}

// The program closes either way; a browser that could not be started leaves a line saying why.
void CApplication::launchHomePage()
{
    const SLaunchResult launch = platform_.browser().openAddress(kHomePage);
    if (!launch.started) {
        logs_.writeErrorLog("launchHomePage: no browser could be started (" + launch.failure + ")", false);
    }
}
