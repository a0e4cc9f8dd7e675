#include "shell/TextLayout.h"

#include <gtest/gtest.h>

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

std::string repeat(std::size_t count, char c)
{
    return std::string(count, c);
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
    EXPECT_FALSE(one.twoLines);
    EXPECT_EQ(one.first.text, base + ".");
    EXPECT_EQ(one.first.x, 49);
    EXPECT_EQ(one.first.y, 40);
    EXPECT_EQ(split, 0);

    const SBoxLayout two = layoutQuestion(base + "b", split, measure);
    ASSERT_TRUE(two.twoLines);
    EXPECT_EQ(split, 35);
    EXPECT_EQ(two.first.text, repeat(16, 'a'));
    EXPECT_EQ(two.second.text, repeat(18, 'b'));
    EXPECT_EQ(two.first.x, (450 - 160) / 2 - 1);
    EXPECT_EQ(two.first.y, 30);
    EXPECT_EQ(two.second.x, (450 - 180) / 2 - 1);
    EXPECT_EQ(two.second.y, 55);
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
    EXPECT_EQ(typedOn.first.text, repeat(16, 'a'));
    EXPECT_EQ(typedOn.second.text, repeat(18, 'b') + "cc dd");
    // Deleting back below the remembered split still breaks at a blank within the text.
    const SBoxLayout shorter = layoutQuestion(repeat(16, 'a') + " " + repeat(17, 'b') + "b", split, measure);
    EXPECT_EQ(shorter.first.text, repeat(16, 'a'));
    // Narrow again: one line.
    EXPECT_FALSE(layoutQuestion("kurz", split, measure).twoLines);
}

TEST(TextLayout, QuestionWithoutUsableBlankLosesNoByte)
{
    for (const std::string& text : {repeat(40, 'x'), " " + repeat(40, 'x')}) {
        int split = 0;
        const SBoxLayout layout = layoutQuestion(text, split, measure);
        ASSERT_TRUE(layout.twoLines);
        EXPECT_EQ(layout.first.text + layout.second.text, text);
        EXPECT_LT(measure(layout.first.text), 350);
        EXPECT_GE(measure(layout.first.text + layout.second.text.substr(0, 1)), 350);
    }
}

TEST(TextLayout, AnswerOf389PixelsStaysOnOneLineAnd390Breaks)
{
    const std::string base = repeat(20, 'a') + " " + repeat(17, 'b');
    const SBoxLayout one = layoutAnswer(base + ".", measure);
    EXPECT_FALSE(one.twoLines);
    EXPECT_EQ(one.first.y, 40);
    EXPECT_EQ(one.first.x, (450 - 389) / 2 - 1);

    const SBoxLayout two = layoutAnswer(base + "b", measure);
    ASSERT_TRUE(two.twoLines);
    EXPECT_EQ(two.first.text, repeat(20, 'a'));
    EXPECT_EQ(two.second.text, repeat(18, 'b'));
}

TEST(TextLayout, AnswerBreaksAtTheLastBlankWhosePrefixFits)
{
    // The blank at 39 has 390 pixels before it: too wide; the one at 10 serves.
    const std::string text = repeat(10, 'a') + " " + repeat(28, 'b') + " " + repeat(5, 'c');
    const SBoxLayout layout = layoutAnswer(text, measure);
    ASSERT_TRUE(layout.twoLines);
    EXPECT_EQ(layout.first.text, repeat(10, 'a'));
    EXPECT_EQ(layout.second.text, repeat(28, 'b') + " " + repeat(5, 'c'));

    // A second line wider than the box is kept whole and starts left of the box.
    const std::string longTail = "ab " + repeat(60, 'z');
    const SBoxLayout clipped = layoutAnswer(longTail, measure);
    EXPECT_EQ(clipped.first.text, "ab");
    EXPECT_EQ(clipped.second.text, repeat(60, 'z'));
    EXPECT_EQ(clipped.second.x, (450 - 600) / 2 - 1);
}

TEST(TextLayout, AnswerWithoutUsableBlankLosesNoByte)
{
    // A blank at index 1 does not count.
    for (const std::string& text : {repeat(45, 'x'), "a " + repeat(45, 'x')}) {
        const SBoxLayout layout = layoutAnswer(text, measure);
        ASSERT_TRUE(layout.twoLines);
        EXPECT_EQ(layout.first.text + layout.second.text, text);
        EXPECT_LT(measure(layout.first.text), 390);
        EXPECT_GE(measure(layout.first.text + layout.second.text.substr(0, 1)), 390);
    }
}
