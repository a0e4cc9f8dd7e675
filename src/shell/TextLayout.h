#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Width in pixels of a Windows-1252 text in the box font, exactly as it would be drawn.
using MeasureText = std::function<int(std::string_view)>;

// One line of a box, with its top-left position on the 500 x 100 box surface.
struct STextLine {
    std::string text;
    int x = 0;
    int y = 0;
};

// How a box shows its text: its lines from top to bottom, never fewer than one (an empty text
// is one empty line at the one-line place).
struct SBoxLayout {
    std::vector<STextLine> lines;
};

// Where the question and answer boxes stand on the screen, and their width.
inline constexpr int kBoxX = 141;
inline constexpr int kBoxY = 505;
inline constexpr int kBoxWidth = 500;

// Widest line the parchment holds between its rolls once a text needs more than two lines.
inline constexpr int kBoxLineLimit = 390;

// Centre of the box's text area: x = (450 - width) / 2 - 1, truncating towards zero, so a
// line wider than the box starts a little left of it and is clipped by the box.
int centredLineX(int width);

// The question box. A question narrower than 350 pixels (blanks at its end not counted) stands
// on one line at y 40. A wider one breaks at the last blank at or below `rememberedSplit` (set to
// the question's length the first time it is too wide, so the first line keeps its break while
// the user types on), or with no blank at index 1 or later at the longest prefix narrower than
// 350 pixels, onto lines at y 30 and 55. When a line would then be too wide for the parchment,
// the text runs on over further lines, placed as a block in the middle of the box.
SBoxLayout layoutQuestion(const std::string& question, int& rememberedSplit, const MeasureText& measure);

// The answer box. An answer narrower than 390 pixels stands on one line; a wider one breaks at
// the last blank (index 2 or later) whose text before it is narrower than 390 pixels, or else at
// the longest prefix narrower than 390 pixels, and runs on over further lines like a question.
SBoxLayout layoutAnswer(const std::string& answer, const MeasureText& measure);
