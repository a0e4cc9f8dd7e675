#include "shell/CQuestionEntry.h"
#include "shell/CApplication.h"
#include "shell/CDancer.h"

#include <algorithm>

#include "common/Clock.h"
#include "input/KeyCodes.h"
#include "music/IAudioDevice.h"

namespace {

constexpr std::size_t kQuestionCapacity = 200;
constexpr std::uint32_t kQuestionColour = 0x007A4812;
// A slim bar over the text cell, shown and hidden for a quarter second each: two blinks a second.
constexpr std::int32_t kCaretWidth = 2;
constexpr std::int32_t kCaretTop = 1;
constexpr std::int32_t kCaretHeight = 18;
constexpr std::int64_t kCaretPhaseMs = 250;

enum class EEdit : std::uint8_t { Ignore, Append, Delete, Submit };

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

// What a typed key does to the question, by the rules the keyboard translation always had.
EEdit editFor(const STypedKey& key)
{
    const auto character = static_cast<unsigned char>(key.character);
    if (key.scanCode == ScanCode::KeypadEnter) {
        return key.repeat ? EEdit::Ignore : EEdit::Submit;
    }
    if (isGermanLetter(character)) {
        return EEdit::Append;
    }
    if (character == 0 || character >= 0x80) {
        return EEdit::Ignore;
    }
    if (character == 8) {
        return EEdit::Delete;
    }
    if (character == 13) {
        // A held Enter submits once, not again for every repeat.
        return key.repeat ? EEdit::Ignore : EEdit::Submit;
    }
    return character >= 32 ? EEdit::Append : EEdit::Ignore;
}

} // namespace

// Everything typed since the last frame, in order; once the question is submitted the box
// takes no more, so the rest of the frame's keys are dropped.
void CQuestionEntry::handleTyping()
{
    SShellState& state = app_.state();
    if (state.screenState != EScreen::Question || !state.active) {
        return;
    }
    for (const STypedKey& key : app_.input()->TypedKeys()) {
        const EEdit edit = editFor(key);
        if (edit == EEdit::Ignore) {
            continue;
        }
        // The caret stays in sight while the user types.
        state.caretShownSince = app_.platform().clock().counter();
        if (edit == EEdit::Append) {
            appendToQuestion(static_cast<char>(key.character));
        } else if (edit == EEdit::Delete) {
            if (!state.questionText.empty()) {
                state.questionText.pop_back();
            }
        } else if (submitQuestion()) {
            return;
        }
    }
}

void CQuestionEntry::appendToQuestion(char byte)
{
    std::string& question = app_.state().questionText;
    if (question.size() >= kQuestionCapacity) {
        // No system beep exists here: a short tone through the sound device, silence without one.
        app_.platform().audio().beep();
        return;
    }
    question.push_back(byte);
}

bool CQuestionEntry::submitQuestion()
{
    SShellState& state = app_.state();
    if (state.questionText.empty()) {
        return false;
    }
    dancer_.setAnimationState("givingAnswer");
    state.screenState = EScreen::Flight;
    state.phaseStarted = false;
    return true;
}

void CQuestionEntry::draw()
{
    SGraphics& graphics = app_.graphics();
    dancer_.draw();
    CSurface* box = graphics.qbox.get();
    if (!box) {
        return;
    }
    if (graphics.qboxTemplate) {
        graphics.qboxTemplate->Opaque(*box, 0, 0);
    }
    box->SetFont("Arial", 0, 20, 400);
    box->GetDC();
    box->SelectFont();
    const MeasureText measure = boxMeasure(*box);
    SShellState& state = app_.state();
    const SBoxLayout layout = layoutQuestion(state.questionText, state.questionSplit, measure);
    writeBoxText(*box, layout, kQuestionColour);
    const STextLine& end = layout.lines.back();
    const std::int32_t caretX = end.x + measure(end.text);
    box->ReleaseDC();
    box->SetColorKeyFromCorner();
    box->Keyed(*app_.screen()->back(), kBoxX, kBoxY);
    // On the back buffer, not in the box: the box flies into the gate as it is, without it.
    if (caretVisible()) {
        drawCaret(caretX, end.y);
    }
}

bool CQuestionEntry::caretVisible() const
{
    const IClock& clock = app_.platform().clock();
    const std::int64_t elapsedMs =
        (clock.counter() - app_.state().caretShownSince) * 1000 / clock.frequency();
    return elapsedMs < 0 || (elapsedMs / kCaretPhaseMs) % 2 == 0;
}

// (x, y): the end of the text's last line on the box. A line wider than the box keeps the
// caret at the box's edge.
void CQuestionEntry::drawCaret(std::int32_t x, std::int32_t y)
{
    CScreen& screen = *app_.screen();
    CSurface& back = *screen.back();
    const std::int32_t left = kBoxX + std::clamp(x, 0, kBoxWidth - kCaretWidth);
    const std::int32_t top = kBoxY + y + kCaretTop;
    const std::uint32_t pixel = screen.ColorToPixel(kQuestionColour);
    back.Lock();
    for (std::int32_t row = top; row < top + kCaretHeight; ++row) {
        for (std::int32_t column = left; column < left + kCaretWidth; ++column) {
            back.putPixel(column, row, pixel);
        }
    }
    back.Unlock();
}

MeasureText boxMeasure(CSurface& box)
{
    return [&box](std::string_view text) { return static_cast<int>(box.GetTextExtent(text).width); };
}

void writeBoxText(CSurface& box, const SBoxLayout& layout, std::uint32_t color)
{
    for (const STextLine& line : layout.lines) {
        box.WriteText(line.x, line.y, color, line.text);
    }
}
