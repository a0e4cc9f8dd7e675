#include "OracleTestSupport.h"

#include "oracle/CWordPairs.h"
#include "oracle/QuestionEcho.h"

#include <gtest/gtest.h>

TEST(WholeWord, SeparatorsAreBlankCommaFullStopBangAndQuestionMark)
{
    EXPECT_TRUE(isWholeWord("ich", "ich", 0));
    EXPECT_TRUE(isWholeWord("ja ich", "ich", 3));
    for (const char separator : {' ', ',', '.', '!', '?'}) {
        EXPECT_TRUE(isWholeWord(std::string("x") + separator + "ich" + separator, "ich", 2)) << separator;
    }
    for (const char other : {'-', 'a', '\n', '\t', ';', ':', '\xDF'}) {
        EXPECT_FALSE(isWholeWord(std::string("ich") + other, "ich", 0)) << int(other);
        EXPECT_FALSE(isWholeWord(std::string(1, other) + "ich", "ich", 1)) << int(other);
    }
}

// The text, the pairs in file order, and what the swap makes of the text.
TEST(SwapWords, WholeWordsInPairOrderMatchedOnTheMirror)
{
    const std::string twelve(12, ' ');
    const std::vector<SWordPair> ichDu{{"ich", "du"}};
    const std::vector<SWordPair> both{{"ich", "du"}, {"mich", "dich"}};
    const SWordPair longA{"a", "bbbbbbbbbb"};
    const struct {
        std::string text;
        std::vector<SWordPair> pairs;
        std::string swapped;
    } cases[] = {
        {"ich liebe dich", both, "du liebe mich"}, // the mirror keeps positions when lengths differ
        {"ich", both, "du"}, {"du", both, "ich"}, {"", both, ""},
        {"mich und ich", {{"mich", "dich"}, {"ich", "du"}}, "dich und du"}, // pair order decides
        {"mich und ich", both, "dich und ich"}, {"ich, ich. ich! ich?", ichDu, "du, du. du! du?"},
        {"ich-ich ichse", ichDu, "ich-ich ichse"}, {"ich und du und ich", ichDu, "du und ich und du"},
        {"ich sich ich", ichDu, "du sich ich"}, // the pair stops at the first part-word occurrence
        {"ICH und Mein Herz", {{"ich", "du"}, {"mein", "Dein"}}, "du und Dein Herz"},
        {"\xFC" "ber mich", {{"\xDC" "BER", "unter"}, {"mich", "dich"}}, "unter dich"},
        {"ich,x", {{"ich", "du"}, {",x", "y"}}, "duy"}, // "du" left blanks in the mirror
        // "a" becomes ten letters in the text and ten blanks in the mirror.
        {"x a y", {longA, {"x" + twelve + "y", "Z"}}, "Z"},
        {"x a y", {longA, {"x" + twelve + " y", "Z"}}, "x bbbbbbbbbb y"},
        {"x a y", {longA, {"   y", "Z"}}, "x bbbbbbbbZ"},
        {"a b", {{"", "x"}, {"a", ""}, {" ", "z"}, {"!", ". ,"}, {"a", "b"}}, "b a"}, // empty words skipped
        {"", {{"", ""}, {"x", "y"}}, ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        CWordPairs(c.pairs).swapWords(text);
        EXPECT_EQ(text, c.swapped) << "\"" << c.text << "\"";
    }
}

TEST(Echo, TheTailAfterTheKeywordReplacesTheFirstStar)
{
    const CWordPairs pairs({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});
    const struct {
        std::string answer, question, scan, keyword, echoed;
    } cases[] = {
        {"Du fragst *? Frag *.", "Werde ich meinen Schatz heiraten", "WERDE ICH MEINEN SCHATZ HEIRATEN?", "WERDE",
         "Du fragst  du meinen Schatz heiraten? Frag *."},
        {"[*]", "ich liebe", "ICH LIEBE", "LIEBE", "[]"},          // the keyword at the very end
        {"[*]", "Hallo", "HALLO. LIEBE MICH", "LIEBE", "[]"},      // the keyword only after the cut
        {"*", "verliebt in mich", "VERLIEBT IN MICH", "LIEB", "t in dich"}, // inside a longer word
    };
    for (const auto& c : cases) {
        std::string answer = c.answer;
        echoQuestion(answer, c.question, c.scan, c.keyword, pairs);
        EXPECT_EQ(answer, c.echoed) << c.question;
    }
}
