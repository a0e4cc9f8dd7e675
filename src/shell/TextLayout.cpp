#include "shell/TextLayout.h"

namespace {

constexpr int kQuestionOneLineLimit = 350;
constexpr int kAnswerOneLineLimit = 390;
constexpr int kSingleLineY = 40;
constexpr int kFirstLineY = 30;
constexpr int kSecondLineY = 55;

STextLine placeLine(std::string text, int y, const MeasureText& measure)
{
    const int width = measure(text);
    return STextLine{std::move(text), centredLineX(width), y};
}

SBoxLayout singleLine(const std::string& text, int width)
{
    SBoxLayout layout;
    layout.first = STextLine{text, centredLineX(width), kSingleLineY};
    return layout;
}

// Splitting at a blank drops the blank; splitting inside a word keeps every byte.
SBoxLayout twoLines(const std::string& text, std::size_t split, bool dropSplitByte,
                    const MeasureText& measure)
{
    SBoxLayout layout;
    layout.twoLines = true;
    layout.first = placeLine(text.substr(0, split), kFirstLineY, measure);
    const std::size_t rest = dropSplitByte ? split + 1 : split;
    layout.second = placeLine(rest < text.size() ? text.substr(rest) : std::string(), kSecondLineY,
                              measure);
    return layout;
}

// The longest prefix narrower than `limit`; widths grow with length, so a binary search serves.
std::size_t longestFittingPrefix(const std::string& text, int limit, const MeasureText& measure)
{
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (measure(std::string_view(text).substr(0, middle)) < limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

std::size_t lastBlankAtOrBelow(const std::string& text, int start)
{
    for (int i = start; i >= 1; --i) {
        if (static_cast<std::size_t>(i) < text.size() && text[static_cast<std::size_t>(i)] == ' ') {
            return static_cast<std::size_t>(i);
        }
    }
    return 0;
}

std::size_t lastBlankWithFittingPrefix(const std::string& text, int limit,
                                       const MeasureText& measure)
{
    if (text.size() < 3) {
        return 0;
    }
    for (std::size_t i = text.size() - 1; i >= 2; --i) {
        if (text[i] == ' ' && measure(std::string_view(text).substr(0, i)) < limit) {
            return i;
        }
    }
    return 0;
}

} // namespace

int centredLineX(int width)
{
    return (450 - width) / 2 - 1;
}

SBoxLayout layoutQuestion(const std::string& question, int& rememberedSplit, const MeasureText& measure)
{
    const int width = measure(question);
    if (width < kQuestionOneLineLimit) {
        return singleLine(question, width);
    }
    if (rememberedSplit == 0) {
        rememberedSplit = static_cast<int>(question.size());
    }
    if (const std::size_t blank = lastBlankAtOrBelow(question, rememberedSplit); blank != 0) {
        return twoLines(question, blank, true, measure);
    }
    return twoLines(question, longestFittingPrefix(question, kQuestionOneLineLimit, measure), false,
                    measure);
}

SBoxLayout layoutAnswer(const std::string& answer, const MeasureText& measure)
{
    const int width = measure(answer);
    if (width < kAnswerOneLineLimit) {
        return singleLine(answer, width);
    }
    if (const std::size_t blank = lastBlankWithFittingPrefix(answer, kAnswerOneLineLimit, measure);
        blank != 0) {
        return twoLines(answer, blank, true, measure);
    }
    return twoLines(answer, longestFittingPrefix(answer, kAnswerOneLineLimit, measure), false,
                    measure);
}
