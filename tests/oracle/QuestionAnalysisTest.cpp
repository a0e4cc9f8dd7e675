#include "oracle/MakeUpper.h"
#include "oracle/QuestionAnalysis.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(MakeUpper, FoldsAsciiAndTheThreeSmallUmlautsOnly)
{
    for (int b = 0; b < 256; ++b) {
        std::string text(1, static_cast<char>(b));
        makeUpper(text);
        int expected = b;
        if ((b >= 'a' && b <= 'z') || b == 0xE4 || b == 0xF6 || b == 0xFC) {
            expected = b - 0x20;
        }
        EXPECT_EQ(static_cast<unsigned char>(text[0]), expected) << "byte " << b;
    }
    std::string sentence = "Gr\xFC\xDF" "e an \xE9lise, \xE4\xF6\xFC!";
    makeUpper(sentence);
    EXPECT_EQ(sentence, "GR\xDC\xDF" "E AN \xE9LISE, \xC4\xD6\xDC!");  // ß and é stay
}

TEST(SQuestionAnalysis, CutsAtTheFirstMarkInTheOrderFullStopBangQuestionMark)
{
    EXPECT_EQ(cutAtSentenceEnd("Wirklich? Ja."), "Wirklich? Ja");
    EXPECT_EQ(cutAtSentenceEnd("Was? Wirklich!"), "Was? Wirklich");
    EXPECT_EQ(cutAtSentenceEnd("Hallo. Liebst du mich?"), "Hallo");
    EXPECT_EQ(cutAtSentenceEnd("Liebt sie mich? Oder? Ja!?"), "Liebt sie mich? Oder? Ja");
    EXPECT_EQ(cutAtSentenceEnd("Wer bin ich?"), "Wer bin ich");
    EXPECT_EQ(cutAtSentenceEnd("ohne Satzende"), "ohne Satzende");
    EXPECT_EQ(cutAtSentenceEnd(".am Anfang"), "");
    EXPECT_EQ(cutAtSentenceEnd(""), "");
}

TEST(SQuestionAnalysis, ScanTextIsTheWholeQuestionFolded)
{
    const auto analysis = analyseQuestion("Hallo. Liebst du mich?", {"MICH"});
    EXPECT_EQ(analysis.cutQuestion, "Hallo");
    EXPECT_EQ(analysis.scanText, "HALLO. LIEBST DU MICH?");
    EXPECT_EQ(analysis.foundKeywords, (Texts{"MICH"}));  // found after the cut all the same

    const auto empty = analyseQuestion("", {"A", "-NICHTS GEFUNDEN-"});
    EXPECT_EQ(empty.cutQuestion, "");
    EXPECT_EQ(empty.scanText, "");
    EXPECT_TRUE(empty.foundKeywords.empty());
}

TEST(SQuestionAnalysis, ContainmentIsPlainAndCaseFoldedOnlyAsMakeUpperFolds)
{
    // Inside longer words, across blanks and punctuation.
    EXPECT_EQ(analyseQuestion("wird er mich heiraten", {"HEIRAT", "R M"}).foundKeywords,
              (Texts{"HEIRAT", "R M"}));
    // ü in the question finds Ü in a keyword; ß only finds ß; SS does not find ß.
    EXPECT_EQ(analyseQuestion("gl\xFC" "ck und gr\xFC\xDF" "e", {"GL\xDC" "CK", "GR\xDC\xDF"}).foundKeywords,
              (Texts{"GL\xDC" "CK", "GR\xDC\xDF"}));
    EXPECT_TRUE(analyseQuestion("GRUESSE GR\xDCSSE", {"GR\xDC\xDF"}).foundKeywords.empty());
    // Other accented letters are not folded.
    EXPECT_TRUE(analyseQuestion("caf\xE9", {"CAF\xC9"}).foundKeywords.empty());
    // The fallback keyword is a keyword like any other.
    EXPECT_EQ(analyseQuestion("-nichts gefunden-", {"-NICHTS GEFUNDEN-"}).foundKeywords,
              (Texts{"-NICHTS GEFUNDEN-"}));
}

TEST(SQuestionAnalysis, LongerKeywordsReplaceTheShorterOnesTheyContain)
{
    EXPECT_EQ(analyseQuestion("liebe", {"LIEB", "LIEBE"}).foundKeywords, (Texts{"LIEBE"}));
    EXPECT_EQ(analyseQuestion("liebe", {"LIEBE", "LIEB"}).foundKeywords, (Texts{"LIEBE"}));
    EXPECT_EQ(analyseQuestion("liebhaben", {"LIEB", "HAB", "LIEBHAB"}).foundKeywords, (Texts{"LIEBHAB"}));
    // The longer one goes to the end: order is that of first addition.
    EXPECT_EQ(analyseQuestion("ich liebe dich", {"ICH", "LIEBE", "DICH"}).foundKeywords,
              (Texts{"LIEBE", "DICH"}));
    EXPECT_EQ(analyseQuestion("b a ab", {"A", "B", "C", "AB"}).foundKeywords, (Texts{"AB"}));
    EXPECT_EQ(analyseQuestion("b c a", {"A", "B", "C", "AB"}).foundKeywords, (Texts{"A", "B", "C"}));
}

TEST(SQuestionAnalysis, AKeywordOfSeveralRecordsIsFoundOnce)
{
    EXPECT_EQ(analyseQuestion("liebe mich", {"LIEBE", "MICH", "LIEBE", "MICH", "LIEBE"}).foundKeywords,
              (Texts{"LIEBE", "MICH"}));
    // Also after it was replaced by a longer one: the shorter one does not come back.
    EXPECT_EQ(analyseQuestion("liebe", {"LIEB", "LIEBE", "LIEB"}).foundKeywords, (Texts{"LIEBE"}));
}

TEST(SQuestionAnalysis, EmptyKeywordIsFoundOnlyWhenNothingElseIs)
{
    EXPECT_EQ(analyseQuestion("xyz", {"", "A"}).foundKeywords, (Texts{""}));
    EXPECT_EQ(analyseQuestion("a", {"", "A"}).foundKeywords, (Texts{"A"}));
    EXPECT_EQ(analyseQuestion("a", {"A", ""}).foundKeywords, (Texts{"A"}));
}
