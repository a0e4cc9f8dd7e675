#include "shell/TextLayout.h"

#include <algorithm>

namespace {

constexpr int kQuestionOneLineLimit = 350;
constexpr int kSingleLineY = 40;
constexpr int kFirstLineY = 30;
constexpr int kSecondLineY = 55;

// More than two lines stand as a block around the one-line middle, 20 pixels apart while they
// fit. The box's last rows lie below the screen's edge in full screen, so the block keeps to
// rows 2 to 94 and draws its lines closer together when five or more must fit there.
constexpr int kCell = 20;
constexpr int kBlockMiddle = kSingleLineY + kCell / 2;
constexpr int kBandTop = 2;
constexpr int kBandBottom = 94;

std::string_view withoutTrailingBlanks(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Blanks at a line's end show nothing, so they never make it too wide.
bool fits(std::string_view text, int limit, const MeasureText& measure)
{
    return measure(withoutTrailingBlanks(text)) < limit;
}

// The longest prefix narrower than `limit`; widths grow with length, so a binary search serves.
std::size_t longestFittingPrefix(std::string_view text, int limit, const MeasureText& measure)
{
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (measure(text.substr(0, middle)) < limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

std::size_t lastBlankAtOrBelow(std::string_view text, int start)
{
    for (int i = start; i >= 1; --i) {
        if (static_cast<std::size_t>(i) < text.size() && text[static_cast<std::size_t>(i)] == ' ') {
            return static_cast<std::size_t>(i);
        }
    }
    return 0;
}

std::size_t lastBlankWithFittingPrefix(std::string_view text, int limit, const MeasureText& measure)
{
    if (text.size() < 3) {
        return 0;
    }
    for (std::size_t i = text.size() - 1; i >= 2; --i) {
        if (text[i] == ' ' && measure(text.substr(0, i)) < limit) {
            return i;
        }
    }
    return 0;
}

// Breaks a text into lines narrower than the parchment: at the last blank whose prefix fits, or
// inside a word that is wider than a whole line, so no byte is lost. The blank broken at is dropped.
void appendWrapped(std::vector<std::string>& lines, std::string_view text, const MeasureText& measure)
{
    while (!fits(text, kBoxLineLimit, measure)) {
        const std::size_t fitting = std::max<std::size_t>(1, longestFittingPrefix(text, kBoxLineLimit, measure));
        const std::size_t blank = text.substr(0, fitting + 1).find_last_of(' ');
        if (blank != std::string_view::npos && blank >= 1) {
            lines.emplace_back(text.substr(0, blank));
            text.remove_prefix(blank + 1);
        } else {
            lines.emplace_back(text.substr(0, fitting));
            text.remove_prefix(fitting);
        }
    }
    lines.emplace_back(text);
}

std::vector<int> lineTops(std::size_t count)
{
    if (count == 1) {
        return {kSingleLineY};
    }
    if (count == 2) {
        return {kFirstLineY, kSecondLineY};
    }
    const int gaps = static_cast<int>(count) - 1;
    const int pitch = std::min(kCell, (kBandBottom - kBandTop - kCell) / gaps);
    const int height = gaps * pitch + kCell;
    const int top = std::clamp(kBlockMiddle - height / 2, kBandTop, kBandBottom - height);
    std::vector<int> tops;
    for (int i = 0; i <= gaps; ++i) {
        tops.push_back(top + i * pitch);
    }
    return tops;
}

SBoxLayout place(const std::vector<std::string>& texts, const MeasureText& measure)
{
    const std::vector<int> tops = lineTops(texts.size());
    SBoxLayout layout;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        layout.lines.push_back(STextLine{texts[i], centredLineX(measure(texts[i])), tops[i]});
    }
    return layout;
}

// Splitting at a blank drops the blank; splitting inside a word keeps every byte. While both
// halves fit the parchment they are the two lines; otherwise each runs on over further lines.
SBoxLayout splitLayout(std::string_view text, std::size_t split, bool dropSplitByte, const MeasureText& measure)
{
    const std::size_t rest = std::min(text.size(), dropSplitByte ? split + 1 : split);
    std::vector<std::string> lines;
    appendWrapped(lines, text.substr(0, split), measure);
    appendWrapped(lines, text.substr(rest), measure);
    return place(lines, measure);
}

// Blanks typed at the end move nothing: the text is laid out without them and they are kept at
// the end of its last line, where a caret after the text belongs.
SBoxLayout withTrailingBlanks(SBoxLayout layout, std::string_view full, std::size_t laidOut)
{
    layout.lines.back().text.append(full.substr(laidOut));
    return layout;
}

} // namespace

int centredLineX(int width)
{
    return (450 - width) / 2 - 1;
}

SBoxLayout layoutQuestion(const std::string& question, int& rememberedSplit, const MeasureText& measure)
{
    const std::string_view text = withoutTrailingBlanks(question);
    if (measure(text) < kQuestionOneLineLimit) {
        return withTrailingBlanks(place({std::string(text)}, measure), question, text.size());
    }
    if (rememberedSplit == 0) {
        rememberedSplit = static_cast<int>(text.size());
    }
    if (const std::size_t blank = lastBlankAtOrBelow(text, rememberedSplit); blank != 0) {
        return withTrailingBlanks(splitLayout(text, blank, true, measure), question, text.size());
    }
    const std::size_t prefix = longestFittingPrefix(text, kQuestionOneLineLimit, measure);
    return withTrailingBlanks(splitLayout(text, prefix, false, measure), question, text.size());
}

SBoxLayout layoutAnswer(const std::string& answer, const MeasureText& measure)
{
    const std::string_view text = withoutTrailingBlanks(answer);
    if (measure(text) < kBoxLineLimit) {
        return withTrailingBlanks(place({std::string(text)}, measure), answer, text.size());
    }
    if (const std::size_t blank = lastBlankWithFittingPrefix(text, kBoxLineLimit, measure); blank != 0) {
        return withTrailingBlanks(splitLayout(text, blank, true, measure), answer, text.size());
    }
    const std::size_t prefix = longestFittingPrefix(text, kBoxLineLimit, measure);
    return withTrailingBlanks(splitLayout(text, prefix, false, measure), answer, text.size());
}
