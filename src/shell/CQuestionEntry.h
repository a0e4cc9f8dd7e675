#pragma once
#include "shell/TextLayout.h"

#include <cstdint>

class CApplication;
class CDancer;
class CSurface;

// The question screen of the scene: the typed question in its box, with a blinking caret.
class CQuestionEntry {
public:
    CQuestionEntry(CApplication& app, CDancer& dancer) : app_(app), dancer_(dancer) {}

    // Everything typed since the last frame.
    void handleTyping();
    void draw();

private:
    void appendToQuestion(char byte);
    bool submitQuestion();
    bool caretVisible() const;
    void drawCaret(std::int32_t x, std::int32_t y);

    CApplication& app_;
    CDancer& dancer_;
};

// Measuring and writing on a question or answer box; its font must be selected into its held
// drawing context meanwhile.
MeasureText boxMeasure(CSurface& box);
void writeBoxText(CSurface& box, const SBoxLayout& layout, std::uint32_t color);
