#include "OracleTestSupport.h"

#include "oracle/KnowledgeCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

const std::string kGoodPairs = wordPairFileText({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});
const std::string kFallbackOnly = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"f"}}});

Lines linesOf(const std::vector<SKnowledgeProblem>& problems)
{
    Lines lines;
    for (const SKnowledgeProblem& problem : problems) {
        lines.push_back(formatKnowledgeProblem(problem));
    }
    return lines;
}

Lines problemLines(const std::string& keywordFile, const std::string& wordPairFile = kGoodPairs,
                   const SKnowledgeCheckOptions& options = {})
{
    return linesOf(checkKnowledgeFiles(keywordFile, wordPairFile, options));
}

} // namespace

// Each file pair gives exactly these problems, each named by the start of its line and a part
// of its text, and no others.
TEST(KnowledgeCheck, EachProblemIsReportedOnceAtItsLine)
{
    // One sentence said by three records, then by a fourth.
    std::vector<TestRecord> saying{{{"-NICHTS GEFUNDEN-"}, {"Frag anders.", "Frag anders."}},
                                   {{"A"}, {"Frag anders.", "Nur hier A"}}, {{"B"}, {"Frag anders.", "Nur hier B"}}};
    const std::string saidThrice = keywordFileText(saying);
    saying.push_back({{"C"}, {"Frag anders."}});
    const struct {
        std::string keywordFile, wordPairFile;
        std::vector<std::pair<std::string, std::string>> problems;
        bool onlyThese = false;
    } cases[] = {
        // Line 3: no answers; line 5: an empty answer and a "*" in a two-keyword record;
        // line 9: same set as line 5; line 11: keyword contained in another of the record.
        {"Kopf\r\n\r\n# \"ALLEIN\"\r\n\r\n# \"A\" \"B\"\r\n\"gut\"\r\n\"\"\r\n\"Echo *\"\r\n# \"B\" \"a\"\r\n\"nie\"\r\n"
         "# \"ICH\" \"DICH\"\r\n\"nie\"\r\n# \"X\" \"X\"\r\n\"nie\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n",
         kGoodPairs,
         {{"sw.dat:3: ", "has no answers"}, {"sw.dat:5: ", "answer 2 (line 7) is empty"},
          {"sw.dat:5: ", "answer 3 (line 8) holds \"*\""}, {"sw.dat:9: ", "same keywords as the record at line 5"},
          {"sw.dat:11: ", "\"ICH\" is never found together with \"DICH\""}, {"sw.dat:13: ", "\"X\" is listed twice"}},
         true},
        {keywordFileText({{{"-NICHTS GEFUNDEN-", "B"}, {"a"}}}), kGoodPairs, {{"sw.dat: ", "no fallback record"}}},
        {"# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n\"\"\r\n", kGoodPairs,
         {{"sw.dat:1: ", "record \"-NICHTS GEFUNDEN-\": answer 2 (line 3) is empty"}}},
        {"", kGoodPairs, {{"sw.dat: ", "no fallback record"}}, true},
        // The extra quote after the long text makes the resynchronised text an empty one.
        {"# \"A\"\r\n\"" + std::string(320, 'x') + "\"\"\r\n# \"B\"\r\n\"" + std::string(1, '\0') +
             "nach\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n# \"C\"\r\n\"offen",
         kGoodPairs,
         {{"sw.dat:1: ", "answer 1 (line 2) is longer than 299 bytes"}, {"sw.dat:3: ", "holds a NUL byte"},
          {"sw.dat:7: ", "has no closing quote"}}},
        {"# \"\" \"A\"\r\n\"a\"\r\n# \"" + std::string(201, 'L') + "\"\r\n\"l\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n",
         kGoodPairs,
         {{"sw.dat:1: ", "empty keyword"}, {"sw.dat:3: ", "longer than a question can be"}}},
        {kFallbackOnly,
         "\"ich\" \"du\"\r\n\"mich\" \"dich\"\r\n\"\" \"leer\"\r\n\"Du\" \"Sie\"\r\n\"ich bin\" \"du bist\"\r\n\"allein\"",
         {{"hv.dat:1: ", "\"ICH\" is shadowed by \"MICH\" of the later pair at line 2"},
          {"hv.dat:3: ", "has an empty text"}, {"hv.dat:4: ", "\"DU\" is already swapped by the pair at line 1"},
          {"hv.dat:5: ", "\"ICH BIN\" contains \"ICH\""}, {"hv.dat:6: ", "has no partner"}}},
        {saidThrice, kGoodPairs, {}, true},
        // An echo only after a question opening.
        {keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"f"}}, {{"SOLL ICH"}, {"Ob du *?"}}, {{"LIEBE"}, {"gut", "Liebe *"}}}),
         kGoodPairs, {{"sw.dat:9: ", "answer 2 (line 11) holds \"*\", but \"LIEBE\" is no question opening ("}}, true},
        {keywordFileText(saying), kGoodPairs,
         {{"sw.dat:15: ", "answer \"Frag anders.\" is said by 4 records (lines 3, 7, 11, 15): more than three"}}, true},
        // Longer pairs first is the right order.
        {kFallbackOnly, wordPairFileText({{"ich bin", "du bist"}, {"mich", "dich"}, {"mir", "dir"}, {"ich", "du"}}), {}, true},
    };
    for (const auto& c : cases) {
        const Lines lines = problemLines(c.keywordFile, c.wordPairFile);
        for (const auto& problem : c.problems) {
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
                          return line.rfind(problem.first, 0) == 0 && line.find(problem.second) != std::string::npos;
                      }), 1) << problem.first << problem.second << "\n" << ::testing::PrintToString(lines);
        }
        EXPECT_TRUE(!c.onlyThese || lines.size() == c.problems.size()) << ::testing::PrintToString(lines);
    }
    EXPECT_EQ(problemLines(keywordFileText({{{"A"}, {"a"}}})),
              Lines{"sw.dat: no fallback record \"-NICHTS GEFUNDEN-\": questions without a known keyword get no answer"});
}

TEST(KnowledgeCheck, EchoesOnlyAfterAQuestionOpening)
{
    for (const std::string keyword : {"SOLL ICH", " WIRD ER ", "K\xD6NNTE SIE", "WARUM IST"}) {
        EXPECT_TRUE(isQuestionOpening(keyword)) << keyword;
    }
    for (const std::string keyword : {"LIEBE", "SOLL", "SOLL ", "ICH SOLL", "SOLLICH X", "", "  "}) {
        EXPECT_FALSE(isQuestionOpening(keyword)) << keyword;
    }
}

TEST(KnowledgeCheck, AnswersTooLongForTheBoxAsTheProgramLaysThemOut)
{
    // A stand-in layout: one line per ten bytes.
    SKnowledgeCheckOptions options;
    Lines measured;
    options.answerLines = [&](std::string_view answer) {
        measured.emplace_back(answer);
        return static_cast<int>(answer.size() + 9) / 10;
    };
    const std::string keywordFile = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"zwanzig Bytes genau", "einundzwanzig Bytes!!"}},
                                                     {{"SOLL ICH"}, {"Ob du es *tun sollst?"}}});
    EXPECT_EQ(problemLines(keywordFile, kGoodPairs, options),
              Lines{"sw.dat:3: record \"-NICHTS GEFUNDEN-\": answer 2 (line 5) needs 3 lines of the answer box: more "
                    "than the two the box is made for"});
    EXPECT_EQ(measured.back(), "Ob du es tun sollst?");
}

TEST(HelpFileCheck, EveryRecordNeedsPhrasesThatMatchAndAnswersThatNameHelp)
{
    const std::string helpFile = "Hilfe\r\n"
                                 "# \"SCHL\xC4GT MICH\" \"MICH* GESCHLAGEN\"\r\n\"Polizei: 110\"\r\n"
                                 "# \"...\" \"A*\" \"STERBEN\"\r\n\r\n"
                                 "# \"RITZ\"\r\n\"Sprich mit jemandem.\"\r\n\"Ruf * an: 116 111\"\r\n\"\"\r\n"
                                 "# \"LANG\"\r\n\"eine sehr lange Antwort mit 116 016\"\r\n";
    const Lines lines =
        linesOf(checkHelpFile(helpFile, [](std::string_view answer) { return answer.size() > 30 ? 3 : 1; }));
    const std::string record4 = "hilfe.dat:4: record \"...\" \"A*\" \"STERBEN\"";
    EXPECT_EQ(lines, (Lines{record4 + ": phrase \"...\" has a part without letters or digits: it is never matched",
                            record4 + ": phrase \"A*\" has a part without letters or digits: it is never matched",
                            record4 + " has no answers: its phrases are passed to the oracle",
                            "hilfe.dat:6: record \"RITZ\": answer 1 (line 7) names no help number",
                            "hilfe.dat:6: record \"RITZ\": answer 2 (line 8) holds \"*\": help answers are never "
                            "echoed, it is shown as it stands",
                            "hilfe.dat:6: record \"RITZ\": answer 3 (line 9) is empty: a question in distress would "
                            "get an empty scroll",
                            "hilfe.dat:10: record \"LANG\": answer 1 (line 11) needs 3 lines of the answer box: more "
                            "than the two the box is made for"}));
    EXPECT_EQ(checkHelpFile("nur Text", {}).size(), 1u);
}
