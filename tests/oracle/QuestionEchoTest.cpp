#include "OracleTestSupport.h"

#include "oracle/CWordPairs.h"
#include "oracle/QuestionEcho.h"

#include <gtest/gtest.h>

namespace {

std::string swapped(std::string text, const std::vector<SWordPair>& pairs)
{
    CWordPairs(pairs).swapWords(text);
    return text;
}

const std::string kFallbackKeyword = "-NICHTS GEFUNDEN-";

} // namespace

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

TEST(SwapWords, TheMirrorKeepsPositionsWhenLengthsDiffer)
{
    const std::vector<SWordPair> pairs{{"ich", "du"}, {"mich", "dich"}};
    EXPECT_EQ(swapped("ich liebe dich", pairs), "du liebe mich");
    EXPECT_EQ(swapped("ich", pairs), "du");
    EXPECT_EQ(swapped("du", pairs), "ich");
    EXPECT_EQ(swapped("", pairs), "");
}

TEST(SwapWords, PairOrderDecidesWhenAWordHidesInALongerOne)
{
    EXPECT_EQ(swapped("mich und ich", {{"mich", "dich"}, {"ich", "du"}}), "dich und du");
    EXPECT_EQ(swapped("mich und ich", {{"ich", "du"}, {"mich", "dich"}}), "dich und ich");
}

TEST(SwapWords, WholeWordsOnlyAndEveryWholeOccurrence)
{
    const std::vector<SWordPair> pairs{{"ich", "du"}};
    EXPECT_EQ(swapped("ich, ich. ich! ich?", pairs), "du, du. du! du?");
    EXPECT_EQ(swapped("ich-ich ichse", pairs), "ich-ich ichse");
    EXPECT_EQ(swapped("ich und du und ich", pairs), "du und ich und du");
    // Once the first remaining occurrence is not a whole word, the pair stops.
    EXPECT_EQ(swapped("ich sich ich", pairs), "du sich ich");
}

TEST(SwapWords, MatchesCaseInsensitivelyAndPutsInTheFilesSpelling)
{
    EXPECT_EQ(swapped("ICH und Mein Herz", {{"ich", "du"}, {"mein", "Dein"}}), "du und Dein Herz");
    EXPECT_EQ(swapped("\xFC" "ber mich", {{"\xDC" "BER", "unter"}, {"mich", "dich"}}), "unter dich");
}

TEST(SwapWords, TheWholeWordTestLooksAtTheMirror)
{
    // After "ich" became "du", the mirror holds blanks there, so ",x" starts a word.
    EXPECT_EQ(swapped("ich,x", {{"ich", "du"}, {",x", "y"}}), "duy");
}

TEST(SwapWords, AWordWithABlankRunMatchesTheBlanksAnEarlierSwapLeft)
{
    // "a" becomes ten letters in the text and ten blanks in the mirror: "X" 12 blanks "Y".
    const std::string twelve(12, ' ');
    EXPECT_EQ(swapped("x a y", {{"a", "bbbbbbbbbb"}, {"x" + twelve + "y", "Z"}}), "Z");
    EXPECT_EQ(swapped("x a y", {{"a", "bbbbbbbbbb"}, {"x" + twelve + " y", "Z"}}), "x bbbbbbbbbb y");
    // A word that begins with blanks starts inside the run.
    EXPECT_EQ(swapped("x a y", {{"a", "bbbbbbbbbb"}, {"   y", "Z"}}), "x bbbbbbbbZ");
}

TEST(SwapWords, EmptyOrSeparatorOnlyPairsAreSkipped)
{
    EXPECT_EQ(swapped("a b", {{"", "x"}, {"a", ""}, {" ", "z"}, {"!", ". ,"}, {"a", "b"}}), "b a");
    EXPECT_EQ(swapped("", {{"", ""}, {"x", "y"}}), "");
}

TEST(Echo, TheTailAfterTheKeywordReplacesTheFirstStar)
{
    const CWordPairs pairs({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});
    std::string answer = "Du fragst *? Frag *.";
    echoQuestion(answer, "Werde ich meinen Schatz heiraten", "WERDE ICH MEINEN SCHATZ HEIRATEN?", "WERDE", pairs);
    EXPECT_EQ(answer, "Du fragst  du meinen Schatz heiraten? Frag *.");

    // The keyword at the very end: the star simply goes.
    answer = "[*]";
    echoQuestion(answer, "ich liebe", "ICH LIEBE", "LIEBE", pairs);
    EXPECT_EQ(answer, "[]");

    // The keyword's first occurrence lies after the cut: an empty tail.
    answer = "[*]";
    echoQuestion(answer, "Hallo", "HALLO. LIEBE MICH", "LIEBE", pairs);
    EXPECT_EQ(answer, "[]");

    // Inside a longer word the tail starts right after it.
    answer = "*";
    echoQuestion(answer, "verliebt in mich", "VERLIEBT IN MICH", "LIEB", pairs);
    EXPECT_EQ(answer, "t in dich");
}

TEST(Echo, AppliesOnlyWhenExactlyOneKeywordWasFound)
{
    auto engine = makeEngine({{{"LIEBT"}, {"Ja, er liebt *!"}},
                              {{"LIEBT", "WIRKLICH"}, {"Nicht *."}},
                              {{kFallbackKeyword}, {"Wer weiss, ob *."}}},
                             {{"mich", "dich"}, {"ich", "du"}});
    EXPECT_EQ(engine.answer("Liebt er mich. Sag!"), "Ja, er liebt  er dich!");
    EXPECT_EQ(engine.answer("Liebt er mich wirklich"), "Nicht *.");
    EXPECT_EQ(engine.answer("Keine Ahnung"), "Wer weiss, ob *.");
    // One keyword without its record: the fallback's answer is echoed as well.
    auto fallbackEcho = makeEngine({{{"HEIRAT", "NIE"}, {"x"}}, {{kFallbackKeyword}, {"Du meinst *?"}}},
                                   {{"ich", "du"}});
    EXPECT_EQ(fallbackEcho.answer("heirate ich bald?"), "Du meinst e du bald?");
}
