#include "oracle/MakeUpper.h"
#include "oracle/QuestionAnalysis.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(MakeUpper, FoldsAsciiAndTheThreeSmallUmlautsOnly)
{
    for (int b = 0; b < 256; ++b) {
        std::string text(1, static_cast<char>(b));
        makeUpper(text);
        const bool folds = (b >= 'a' && b <= 'z') || b == 0xE4 || b == 0xF6 || b == 0xFC;
        EXPECT_EQ(static_cast<unsigned char>(text[0]), folds ? b - 0x20 : b) << "byte " << b;
    }
}

TEST(SQuestionAnalysis, CutsAtTheFirstMarkInTheOrderFullStopBangQuestionMark)
{
    for (const auto& [question, cut] : std::vector<std::pair<std::string, std::string>>{
             {"Wirklich? Ja.", "Wirklich? Ja"}, {"Was? Wirklich!", "Was? Wirklich"}, {"Hallo. Liebst du mich?", "Hallo"},
             {"Liebt sie mich? Oder? Ja!?", "Liebt sie mich? Oder? Ja"}, {"Wer bin ich?", "Wer bin ich"},
             {"ohne Satzende", "ohne Satzende"}, {".am Anfang", ""}, {"", ""}}) {
        EXPECT_EQ(cutAtSentenceEnd(question), cut) << question;
    }
    const auto analysis = analyseQuestion("Hallo. Liebst du mich?", {"MICH"});
    EXPECT_EQ(analysis.cutQuestion, "Hallo");
    EXPECT_EQ(analysis.scanText, "HALLO. LIEBST DU MICH?");
    EXPECT_EQ(analysis.foundKeywords, (Texts{"MICH"})); // found after the cut all the same
}

// The question, the keyword index in file order, and the keywords found, in their order.
TEST(SQuestionAnalysis, FindsKeywordsAsPlainFoldedContainmentLongerOnesFirst)
{
    const struct {
        std::string question;
        Texts index, found;
    } cases[] = {
        {"", {"A", "-NICHTS GEFUNDEN-"}, {}},
        {"wird er mich heiraten", {"HEIRAT", "R M"}, {"HEIRAT", "R M"}}, // inside words, across blanks
        {"gl\xFC" "ck und gr\xFC\xDF" "e", {"GL\xDC" "CK", "GR\xDC\xDF"}, {"GL\xDC" "CK", "GR\xDC\xDF"}},
        {"GRUESSE GR\xDCSSE", {"GR\xDC\xDF"}, {}}, // SS does not find the sharp s
        {"caf\xE9", {"CAF\xC9"}, {}},              // other accents are not folded
        {"-nichts gefunden-", {"-NICHTS GEFUNDEN-"}, {"-NICHTS GEFUNDEN-"}},
        {"liebe", {"LIEB", "LIEBE"}, {"LIEBE"}}, {"liebe", {"LIEBE", "LIEB"}, {"LIEBE"}},
        {"liebhaben", {"LIEB", "HAB", "LIEBHAB"}, {"LIEBHAB"}},
        {"ich liebe dich", {"ICH", "LIEBE", "DICH"}, {"LIEBE", "DICH"}}, // the longer one goes to the end
        {"b a ab", {"A", "B", "C", "AB"}, {"AB"}}, {"b c a", {"A", "B", "C", "AB"}, {"A", "B", "C"}},
        {"liebe mich", {"LIEBE", "MICH", "LIEBE", "MICH", "LIEBE"}, {"LIEBE", "MICH"}}, // found once
        {"liebe", {"LIEB", "LIEBE", "LIEB"}, {"LIEBE"}}, // a replaced one does not come back
        {"xyz", {"", "A"}, {""}},                        // the empty keyword only when nothing else
        {"a", {"", "A"}, {"A"}}, {"a", {"A", ""}, {"A"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(analyseQuestion(c.question, c.index).foundKeywords, c.found) << c.question;
    }
}
