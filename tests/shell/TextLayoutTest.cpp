#include "shell/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every byte 10 pixels wide, a full stop 9: widths of 349, 350, 389 and 390 are easy to build.
int measure(std::string_view text)
{
    int width = 0;
    for (const char c : text) {
        width += c == '.' ? 9 : 10;
    }
    return width;
}

// Closer to the box font's German text: 48 bytes to a line of the parchment.
int measureNarrow(std::string_view text)
{
    return static_cast<int>(text.size()) * 8;
}

std::string repeat(std::size_t count, char c)
{
    return std::string(count, c);
}

std::string withoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string joined(const SBoxLayout& layout)
{
    std::string all;
    for (const STextLine& line : layout.lines) {
        all += line.text;
    }
    return all;
}

std::vector<int> tops(const SBoxLayout& layout)
{
    std::vector<int> result;
    for (const STextLine& line : layout.lines) {
        result.push_back(line.y);
    }
    return result;
}

// Every visible byte is shown once, in order, every line fits between the rolls and stands
// inside the rows the screen shows of the box.
void expectInsideTheBox(const SBoxLayout& layout, const std::string& text, const MeasureText& measureText)
{
    EXPECT_EQ(withoutBlanks(joined(layout)), withoutBlanks(text));
    for (const STextLine& line : layout.lines) {
        const std::string_view shown = std::string_view(line.text).substr(0, line.text.find_last_not_of(' ') + 1);
        EXPECT_LT(measureText(shown), kBoxLineLimit) << line.text;
        EXPECT_EQ(line.x, centredLineX(measureText(shown)));
        EXPECT_GE(line.y, 2);
        EXPECT_LE(line.y + 20, 94);
    }
}

// A sentence of short words, as a user types it.
std::string sentence(std::size_t length)
{
    const std::string words = "Wird er mich heute noch anrufen oder morgen ";
    std::string text;
    while (text.size() < length) {
        text += words[text.size() % words.size()];
    }
    return text;
}

} // namespace

TEST(TextLayout, CentresWithDivisionTruncatingTowardsZero)
{
    EXPECT_EQ(centredLineX(0), 224);
    EXPECT_EQ(centredLineX(349), 49);
    EXPECT_EQ(centredLineX(453), -2); // -3 / 2 is -1, not -2
}

TEST(TextLayout, QuestionOf349PixelsStaysOnOneLineAnd350Breaks)
{
    const std::string base = repeat(16, 'a') + " " + repeat(17, 'b');
    int split = 0;
    const SBoxLayout one = layoutQuestion(base + ".", split, measure);
    ASSERT_EQ(one.lines.size(), 1U);
    EXPECT_EQ(one.lines[0].text, base + ".");
    EXPECT_EQ(one.lines[0].x, 49);
    EXPECT_EQ(one.lines[0].y, 40);
    EXPECT_EQ(split, 0);

    const SBoxLayout two = layoutQuestion(base + "b", split, measure);
    ASSERT_EQ(two.lines.size(), 2U);
    EXPECT_EQ(split, 35);
    EXPECT_EQ(two.lines[0].text, repeat(16, 'a'));
    EXPECT_EQ(two.lines[1].text, repeat(18, 'b'));
    EXPECT_EQ(two.lines[0].x, (450 - 160) / 2 - 1);
    EXPECT_EQ(two.lines[0].y, 30);
    EXPECT_EQ(two.lines[1].x, (450 - 180) / 2 - 1);
    EXPECT_EQ(two.lines[1].y, 55);

    EXPECT_EQ(layoutQuestion("", split, measure).lines.size(), 1U);
}

TEST(TextLayout, QuestionKeepsItsFirstBreakWhileTypingOn)
{
    int split = 0;
    const std::string tooWide = repeat(16, 'a') + " " + repeat(18, 'b');
    layoutQuestion(tooWide, split, measure);
    ASSERT_EQ(split, 35);
    // A later blank beyond the remembered split does not move the break.
    const SBoxLayout typedOn = layoutQuestion(tooWide + "cc dd", split, measure);
    EXPECT_EQ(split, 35);
    ASSERT_EQ(typedOn.lines.size(), 2U);
    EXPECT_EQ(typedOn.lines[0].text, repeat(16, 'a'));
    EXPECT_EQ(typedOn.lines[1].text, repeat(18, 'b') + "cc dd");
    // Deleting back below the remembered split still breaks at a blank within the text.
    const SBoxLayout shorter = layoutQuestion(repeat(16, 'a') + " " + repeat(17, 'b') + "b", split, measure);
    EXPECT_EQ(shorter.lines[0].text, repeat(16, 'a'));
    // Narrow again: one line.
    EXPECT_EQ(layoutQuestion("kurz", split, measure).lines.size(), 1U);
}

TEST(TextLayout, QuestionWithoutUsableBlankLosesNoByte)
{
    for (const std::string& text : {repeat(40, 'x'), " " + repeat(40, 'x')}) {
        int split = 0;
        const SBoxLayout layout = layoutQuestion(text, split, measure);
        ASSERT_EQ(layout.lines.size(), 2U);
        EXPECT_EQ(joined(layout), text);
        EXPECT_LT(measure(layout.lines[0].text), 350);
        EXPECT_GE(measure(layout.lines[0].text + layout.lines[1].text.substr(0, 1)), 350);
    }
}

TEST(TextLayout, AnswerOf389PixelsStaysOnOneLineAnd390Breaks)
{
    const std::string base = repeat(20, 'a') + " " + repeat(17, 'b');
    const SBoxLayout one = layoutAnswer(base + ".", measure);
    ASSERT_EQ(one.lines.size(), 1U);
    EXPECT_EQ(one.lines[0].y, 40);
    EXPECT_EQ(one.lines[0].x, (450 - 389) / 2 - 1);

    const SBoxLayout two = layoutAnswer(base + "b", measure);
    ASSERT_EQ(two.lines.size(), 2U);
    EXPECT_EQ(two.lines[0].text, repeat(20, 'a'));
    EXPECT_EQ(two.lines[1].text, repeat(18, 'b'));
    EXPECT_EQ(tops(two), (std::vector<int>{30, 55}));
}

TEST(TextLayout, AnswerBreaksAtTheLastBlankWhosePrefixFits)
{
    // The blank at 39 has 390 pixels before it: too wide; the one at 10 serves.
    const std::string text = repeat(10, 'a') + " " + repeat(28, 'b') + " " + repeat(5, 'c');
    const SBoxLayout layout = layoutAnswer(text, measure);
    ASSERT_EQ(layout.lines.size(), 2U);
    EXPECT_EQ(layout.lines[0].text, repeat(10, 'a'));
    EXPECT_EQ(layout.lines[1].text, repeat(28, 'b') + " " + repeat(5, 'c'));
}

TEST(TextLayout, AnswerWithoutUsableBlankLosesNoByte)
{
    // A blank at index 1 does not count.
    for (const std::string& text : {repeat(45, 'x'), "a " + repeat(45, 'x')}) {
        const SBoxLayout layout = layoutAnswer(text, measure);
        ASSERT_EQ(layout.lines.size(), 2U);
        EXPECT_EQ(joined(layout), text);
        EXPECT_LT(measure(layout.lines[0].text), 390);
        EXPECT_GE(measure(layout.lines[0].text + layout.lines[1].text.substr(0, 1)), 390);
    }
}

TEST(TextLayout, LongQuestionRunsOnOverFiveLinesInsideTheBox)
{
    const std::string full = sentence(200);
    int split = 0;
    std::string firstLine;
    for (std::size_t length = 1; length <= full.size(); ++length) {
        const std::string typed = full.substr(0, length);
        const SBoxLayout layout = layoutQuestion(typed, split, measureNarrow);
        expectInsideTheBox(layout, typed, measureNarrow);
        if (layout.lines.size() >= 2 && firstLine.empty()) {
            firstLine = layout.lines[0].text;
        }
        if (!firstLine.empty()) {
            EXPECT_EQ(layout.lines[0].text, firstLine) << "the first line moved at length " << length;
        }
    }
    const SBoxLayout last = layoutQuestion(full, split, measureNarrow);
    EXPECT_EQ(tops(last), (std::vector<int>{2, 20, 38, 56, 74}));
}

TEST(TextLayout, RunOnLinesStandAsABlockInTheMiddle)
{
    // Lines of 30 bytes: a second line wider than 390 pixels runs on.
    const std::string line = repeat(29, 'w') + " ";
    int split = 0;
    layoutQuestion(line + line, split, measure);
    const SBoxLayout three = layoutQuestion(line + line + line, split, measure);
    EXPECT_EQ(tops(three), (std::vector<int>{20, 40, 60}));
    EXPECT_EQ(three.lines[1].x, centredLineX(290));
    expectInsideTheBox(three, line + line + line, measure);

    const SBoxLayout four = layoutAnswer(line + line + line + line, measure);
    EXPECT_EQ(tops(four), (std::vector<int>{10, 30, 50, 70}));
    expectInsideTheBox(four, line + line + line + line, measure);

    // Even a text too long for five lines keeps every line on the box's shown rows.
    const std::string crowded = sentence(200) + sentence(60);
    const SBoxLayout many = layoutAnswer(crowded, measure);
    EXPECT_GT(many.lines.size(), 5U);
    expectInsideTheBox(many, crowded, measure);
}

TEST(TextLayout, WordWiderThanALineIsBrokenWithoutLoss)
{
    const std::string word = repeat(100, 'x');
    const SBoxLayout answer = layoutAnswer(word, measure);
    EXPECT_EQ(joined(answer), word);
    expectInsideTheBox(answer, word, measure);

    int split = 0;
    const std::string question = "Ist " + word + " gut?";
    const SBoxLayout asked = layoutQuestion(question, split, measure);
    EXPECT_EQ(withoutBlanks(joined(asked)), withoutBlanks(question));
    expectInsideTheBox(asked, question, measure);
}

TEST(TextLayout, TrailingBlankMovesNothing)
{
    // 34 bytes plus a full stop: 349 pixels, and 359 with the blank.
    const std::string oneLine = repeat(16, 'a') + " " + repeat(17, 'b') + ".";
    int split = 0;
    const SBoxLayout before = layoutQuestion(oneLine, split, measure);
    const SBoxLayout blank = layoutQuestion(oneLine + " ", split, measure);
    ASSERT_EQ(blank.lines.size(), 1U);
    EXPECT_EQ(blank.lines[0].y, before.lines[0].y);
    EXPECT_EQ(blank.lines[0].x, before.lines[0].x);
    EXPECT_EQ(blank.lines[0].text, oneLine + " ");

    // On two lines and on a line of a word too long to break at a blank alike.
    for (const std::string& text : {repeat(16, 'a') + " " + repeat(30, 'b'), repeat(45, 'c')}) {
        int remembered = 0;
        const SBoxLayout plain = layoutQuestion(text, remembered, measure);
        const SBoxLayout trailing = layoutQuestion(text + "  ", remembered, measure);
        ASSERT_EQ(trailing.lines.size(), plain.lines.size());
        EXPECT_EQ(tops(trailing), tops(plain));
        EXPECT_EQ(trailing.lines.back().x, plain.lines.back().x);
        EXPECT_EQ(trailing.lines.back().text, plain.lines.back().text + "  ");
    }
    EXPECT_EQ(layoutAnswer(oneLine + repeat(5, ' '), measure).lines.size(), 1U);
}
