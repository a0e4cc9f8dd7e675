#include "shell/CApplication.h"

#include "input/KeyCodes.h"
#include "music/IAudioDevice.h"

namespace {

constexpr std::size_t kQuestionCapacity = 200;
constexpr std::uint32_t kQuestionColour = 0x007A4812;

bool isGermanLetter(unsigned char byte)
{
    switch (byte) {
    case 0xE4: // ä
    case 0xF6: // ö
    case 0xFC: // ü
    case 0xDF: // ß
    case 0xC4: // Ä
    case 0xD6: // Ö
    case 0xDC: // Ü
        return true;
    default:
        return false;
    }
}

} // namespace

// Returns true when the program is being closed; the frame then stops at once.
bool CApplication::handleInput()
{
    input_->Update();
    if (input_->GetKeyState(KeyCode::Escape) == CInput::kPressed) {
        logs_.writeErrorLog("ESC pressed - leaving at once", false);
        closeWindow();
        return true;
    }
    handleTyping();
    return false;
}

// At most one key per frame: the lowest scan code that went down since the last look.
void CApplication::handleTyping()
{
    if (state_.screenState != Screen::Question || !state_.active) {
        return;
    }
    const std::uint8_t scanCode = input_->FindNewKeyDown(true);
    const auto character = static_cast<unsigned char>(input_->ScanCodeToChar(scanCode));
    if (scanCode == ScanCode::KeypadEnter) {
        submitQuestion();
    } else if (isGermanLetter(character)) {
        appendToQuestion(static_cast<char>(character));
    } else if (character == 0 || character >= 0x80) {
        return;
    } else if (character == 8) {
        if (!state_.questionText.empty()) {
            state_.questionText.pop_back();
        }
    } else if (character == 13) {
        submitQuestion();
    } else if (character >= 32) {
        appendToQuestion(static_cast<char>(character));
    }
}

void CApplication::appendToQuestion(char byte)
{
    if (state_.questionText.size() >= kQuestionCapacity) {
        beep();
        return;
    }
    state_.questionText.push_back(byte);
}

void CApplication::submitQuestion()
{
    if (state_.questionText.empty()) {
        return;
    }
    setAnimationState("givingAnswer");
    state_.screenState = Screen::Flight;
    state_.phaseStarted = false;
}

// No system beep exists here: a short tone through the sound device, silence without one.
void CApplication::beep()
{
    platform_.audio().beep();
}

void CApplication::drawQuestionScreen()
{
    drawDancer();
    CSurface* box = graphics_.qbox.get();
    if (!box) {
        return;
    }
    if (graphics_.qboxTemplate) {
        graphics_.qboxTemplate->Opaque(*box, 0, 0);
    }
    box->SetFont("Arial", 0, 20, 400);
    box->GetDC();
    box->SelectFont();
    const SBoxLayout layout = layoutQuestion(state_.questionText, state_.questionSplit, boxMeasure(*box));
    writeBoxText(*box, layout, kQuestionColour);
    box->ReleaseDC();
    box->SetColorKeyFromCorner();
    box->Keyed(*screen_->back(), 141, 505);
}

// The box's font must be selected into its held drawing context while this is used.
MeasureText CApplication::boxMeasure(CSurface& box)
{
    return [&box](std::string_view text) { return static_cast<int>(box.GetTextExtent(text).width); };
}

void CApplication::writeBoxText(CSurface& box, const SBoxLayout& layout, std::uint32_t color)
{
    for (const STextLine& line : layout.lines) {
        box.WriteText(line.x, line.y, color, line.text);
    }
}
