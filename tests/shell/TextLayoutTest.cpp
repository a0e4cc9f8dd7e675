#include "shell/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every byte 10 pixels wide, a full stop 9: widths of 349, 350, 389 and 390 are easy to build.
int measure(std::string_view text)
{
    return static_cast<int>(text.size()) * 10 - static_cast<int>(std::count(text.begin(), text.end(), '.'));
}

std::string r(std::size_t count, char c)
{
    return std::string(count, c);
}

template <class T>
std::vector<T> each(const SBoxLayout& layout, T STextLine::*field)
{
    std::vector<T> values;
    for (const STextLine& line : layout.lines) {
        values.push_back(line.*field);
    }
    return values;
}

std::string joined(const SBoxLayout& layout)
{
    std::string all;
    for (const STextLine& line : layout.lines) {
        all += line.text;
    }
    return all;
}

// Every visible byte is shown once, in order, every line fits between the rolls and stands
// inside the rows the screen shows of the box.
void expectInsideTheBox(const SBoxLayout& layout, std::string text)
{
    std::string shownText = joined(layout);
    std::erase(shownText, ' ');
    std::erase(text, ' ');
    EXPECT_EQ(shownText, text);
    for (const STextLine& line : layout.lines) {
        const std::string_view shown = std::string_view(line.text).substr(0, line.text.find_last_not_of(' ') + 1);
        EXPECT_LT(measure(shown), kBoxLineLimit) << line.text;
        EXPECT_EQ(line.x, centredLineX(measure(shown)));
        EXPECT_GE(line.y, 2);
        EXPECT_LE(line.y + 20, 94);
    }
}

SBoxLayout question(const std::string& text)
{
    int split = 0;
    return layoutQuestion(text, split, measure);
}

} // namespace

// Lines are centred with a division truncating towards zero. A question breaks from 350
// pixels, an answer from 390, at the last blank whose prefix fits; without a usable blank
// (none, or only at the start) the break loses no byte.
TEST(TextLayout, LinesBreakAtTheirLimitAndAtTheLastBlankThatFits)
{
    EXPECT_EQ(centredLineX(453), -2); // -3 / 2 is -1, not -2
    // clang-format off
    const struct {
        bool isQuestion;
        std::string text;
        std::vector<std::string> lines;
        std::vector<int> tops, lefts;
    } cases[] = {
        {true, r(16, 'a') + " " + r(17, 'b') + ".", {r(16, 'a') + " " + r(17, 'b') + "."}, {40}, {49}},
        {true, r(16, 'a') + " " + r(18, 'b'), {r(16, 'a'), r(18, 'b')}, {30, 55}, {144, 134}},
        {true, "", {""}, {40}, {224}},
        {false, r(20, 'a') + " " + r(17, 'b') + ".", {r(20, 'a') + " " + r(17, 'b') + "."}, {40}, {29}},
        {false, r(20, 'a') + " " + r(18, 'b'), {r(20, 'a'), r(18, 'b')}, {30, 55}, {124, 134}},
        // The blank at 39 has 390 pixels before it: too wide; the one at 10 serves.
        {false, r(10, 'a') + " " + r(28, 'b') + " " + r(5, 'c'), {r(10, 'a'), r(28, 'b') + " " + r(5, 'c')},
         {30, 55}, {174, 54}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const SBoxLayout layout = c.isQuestion ? question(c.text) : layoutAnswer(c.text, measure);
        EXPECT_EQ(each(layout, &STextLine::text), c.lines) << c.text;
        EXPECT_EQ(each(layout, &STextLine::y), c.tops) << c.text;
        EXPECT_EQ(each(layout, &STextLine::x), c.lefts) << c.text;
    }
    for (const std::string& text : {r(40, 'x'), " " + r(40, 'x'), r(45, 'x'), "a " + r(45, 'x')}) {
        const bool isQuestion = text.size() < 42;
        const int limit = isQuestion ? 350 : 390;
        const SBoxLayout layout = isQuestion ? question(text) : layoutAnswer(text, measure);
        ASSERT_EQ(layout.lines.size(), 2U) << text;
        EXPECT_EQ(joined(layout), text);
        EXPECT_LT(measure(layout.lines[0].text), limit);
        EXPECT_GE(measure(layout.lines[0].text + layout.lines[1].text.substr(0, 1)), limit);
    }
}

// The first break stays while the user types on; a trailing blank moves nothing (34 bytes and
// a full stop: 349 pixels, 359 with the blank), on two lines or on a word too long to break.
TEST(TextLayout, QuestionKeepsItsFirstBreakWhileTypingAndTrailingBlanksMoveNothing)
{
    int split = 0;
    const std::string tooWide = r(16, 'a') + " " + r(18, 'b');
    layoutQuestion(tooWide, split, measure);
    ASSERT_EQ(split, 35);
    // A later blank beyond the remembered split does not move the break.
    EXPECT_EQ(each(layoutQuestion(tooWide + "cc dd", split, measure), &STextLine::text),
              (std::vector<std::string>{r(16, 'a'), r(18, 'b') + "cc dd"}));
    EXPECT_EQ(split, 35);
    // Deleting back below the remembered split still breaks at a blank within the text.
    EXPECT_EQ(layoutQuestion(r(16, 'a') + " " + r(17, 'b') + "b", split, measure).lines[0].text, r(16, 'a'));
    EXPECT_EQ(layoutQuestion("kurz", split, measure).lines.size(), 1U);

    for (const std::string& text :
         {r(16, 'a') + " " + r(17, 'b') + ".", r(16, 'a') + " " + r(30, 'b'), r(45, 'c')}) {
        int remembered = 0;
        const SBoxLayout plain = layoutQuestion(text, remembered, measure);
        const SBoxLayout trailing = layoutQuestion(text + "  ", remembered, measure);
        ASSERT_EQ(trailing.lines.size(), plain.lines.size());
        EXPECT_EQ(each(trailing, &STextLine::y), each(plain, &STextLine::y));
        EXPECT_EQ(trailing.lines.back().x, plain.lines.back().x);
        EXPECT_EQ(trailing.lines.back().text, plain.lines.back().text + "  ");
    }
    EXPECT_EQ(layoutAnswer(r(16, 'a') + " " + r(17, 'b') + "." + r(5, ' '), measure).lines.size(), 1U);
}

// Run-on lines stand as a block in the middle; even a text too long for five lines, or a word
// wider than a line, keeps every byte and every line on the box's shown rows.
TEST(TextLayout, RunOnLinesStandAsABlockInTheMiddle)
{
    // Lines of 30 bytes: a second line wider than 390 pixels runs on.
    const std::string line = r(29, 'w') + " ";
    int split = 0;
    layoutQuestion(line + line, split, measure);
    const SBoxLayout three = layoutQuestion(line + line + line, split, measure);
    EXPECT_EQ(each(three, &STextLine::y), (std::vector<int>{20, 40, 60}));
    EXPECT_EQ(three.lines[1].x, centredLineX(290));
    expectInsideTheBox(three, line + line + line);
    const SBoxLayout four = layoutAnswer(line + line + line + line, measure);
    EXPECT_EQ(each(four, &STextLine::y), (std::vector<int>{10, 30, 50, 70}));
    expectInsideTheBox(four, line + line + line + line);

    std::string crowded; // a sentence of short words, as a user types it
    for (const std::string words = "Wird er mich heute noch anrufen oder morgen "; crowded.size() < 260;) {
        crowded += words[crowded.size() % words.size()];
    }
    const SBoxLayout many = layoutAnswer(crowded, measure);
    EXPECT_GT(many.lines.size(), 5U);
    expectInsideTheBox(many, crowded);
    const std::string word = r(100, 'x');
    expectInsideTheBox(layoutAnswer(word, measure), word);
    expectInsideTheBox(question("Ist " + word + " gut?"), "Ist " + word + " gut?");
}
