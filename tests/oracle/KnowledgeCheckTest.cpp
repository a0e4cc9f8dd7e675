#include "OracleTestSupport.h"

#include "oracle/KnowledgeCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kGoodPairs = wordPairFileText({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});

std::vector<std::string> problemLines(const std::string& keywordFile, const std::string& wordPairFile = kGoodPairs)
{
    std::vector<std::string> lines;
    for (const SKnowledgeProblem& problem : checkKnowledgeFiles(keywordFile, wordPairFile)) {
        lines.push_back(formatKnowledgeProblem(problem));
    }
    return lines;
}

// Whether exactly one line starts with `prefix` and contains `part`.
bool hasProblem(const std::vector<std::string>& lines, const std::string& prefix, const std::string& part)
{
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
               return line.rfind(prefix, 0) == 0 && line.find(part) != std::string::npos;
           }) == 1;
}

std::string describe(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace

TEST(KnowledgeCheck, SoundFilesHaveNoProblems)
{
    const std::string keywordFile = keywordFileText({{{"SOLL ICH"}, {"Ja, *.", "Vielleicht."}},
                                                     {{"LIEBT", "MICH"}, {"Sicher."}},
                                                     {{"-NICHTS GEFUNDEN-"}, {"Hmm.", "Frag anders."}}});
    const auto lines = problemLines(keywordFile);
    EXPECT_TRUE(lines.empty()) << describe(lines);
}

TEST(KnowledgeCheck, RecordProblemsNameTheRecordsLine)
{
    // Line 3: no answers; line 5: an empty answer and a "*" in a two-keyword record;
    // line 9: same set as line 5; line 11: keyword contained in another of the record.
    const std::string keywordFile = "Kopf\r\n\r\n"
                                    "# \"ALLEIN\"\r\n\r\n"
                                    "# \"A\" \"B\"\r\n\"gut\"\r\n\"\"\r\n\"Echo *\"\r\n"
                                    "# \"B\" \"a\"\r\n\"nie\"\r\n"
                                    "# \"ICH\" \"DICH\"\r\n\"nie\"\r\n"
                                    "# \"X\" \"X\"\r\n\"nie\"\r\n"
                                    "# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n";
    const auto lines = problemLines(keywordFile);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:3: ", "has no answers")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:5: ", "answer 2 (line 7) is empty")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:5: ", "answer 3 (line 8) holds \"*\"")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:9: ", "same keywords as the record at line 5")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:11: ", "\"ICH\" is never found together with \"DICH\""))
        << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:13: ", "\"X\" is listed twice")) << describe(lines);
    EXPECT_EQ(lines.size(), 6u) << describe(lines);
}

TEST(KnowledgeCheck, FallbackMissingOrWithAnEmptyAnswer)
{
    auto lines = problemLines(keywordFileText({{{"A"}, {"a"}}}));
    EXPECT_EQ(lines, std::vector<std::string>{"sw.dat: no fallback record \"-NICHTS GEFUNDEN-\": questions "
                                              "without a known keyword get no answer"});
    lines = problemLines(keywordFileText({{{"-NICHTS GEFUNDEN-", "B"}, {"a"}}}));
    EXPECT_TRUE(hasProblem(lines, "sw.dat: ", "no fallback record")) << describe(lines);
    lines = problemLines("# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n\"\"\r\n");
    EXPECT_TRUE(hasProblem(lines, "sw.dat:1: ", "record \"-NICHTS GEFUNDEN-\": answer 2 (line 3) is empty"))
        << describe(lines);
    EXPECT_TRUE(problemLines("").size() == 1);
}

TEST(KnowledgeCheck, TextsThatAreReadOtherwiseThanWritten)
{
    const std::string longAnswer(320, 'x');
    // The extra quote after the long text makes the resynchronised text an empty one.
    const std::string keywordFile = "# \"A\"\r\n\"" + longAnswer + "\"\"\r\n# \"B\"\r\n\"" + std::string(1, '\0') +
                                    "nach\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n# \"C\"\r\n\"offen";
    const auto lines = problemLines(keywordFile);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:1: ", "answer 1 (line 2) is longer than 299 bytes")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:", "holds a NUL byte")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:", "has no closing quote")) << describe(lines);
}

TEST(KnowledgeCheck, KeywordsThatNoQuestionCanHold)
{
    const std::string keywordFile = "# \"\" \"A\"\r\n\"a\"\r\n# \"" + std::string(201, 'L') +
                                    "\"\r\n\"l\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n";
    const auto lines = problemLines(keywordFile);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:1: ", "empty keyword")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "sw.dat:3: ", "longer than a question can be")) << describe(lines);
}

TEST(KnowledgeCheck, WordPairProblems)
{
    const std::string keywordFile = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"f"}}});
    const std::string pairs = "\"ich\" \"du\"\r\n"      // line 1: shadowed by "mich" later
                              "\"mich\" \"dich\"\r\n"   // line 2
                              "\"\" \"leer\"\r\n"       // line 3: empty text
                              "\"Du\" \"Sie\"\r\n"      // line 4: "du" is already swapped
                              "\"ich bin\" \"du bist\"\r\n"  // line 5: "ich" is swapped first
                              "\"allein\"";             // line 6: no partner
    const auto lines = problemLines(keywordFile, pairs);
    EXPECT_TRUE(hasProblem(lines, "hv.dat:1: ", "\"ICH\" is shadowed by \"MICH\" of the later pair at line 2"))
        << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "hv.dat:3: ", "has an empty text")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "hv.dat:4: ", "\"DU\" is already swapped by the pair at line 1")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "hv.dat:5: ", "\"ICH BIN\" contains \"ICH\"")) << describe(lines);
    EXPECT_TRUE(hasProblem(lines, "hv.dat:6: ", "has no partner")) << describe(lines);
}

TEST(KnowledgeCheck, LongerPairsFirstIsTheRightOrder)
{
    const std::string keywordFile = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"f"}}});
    const auto lines = problemLines(keywordFile, wordPairFileText({{"ich bin", "du bist"}, {"mich", "dich"},
                                                                  {"mir", "dir"}, {"ich", "du"}}));
    EXPECT_TRUE(lines.empty()) << describe(lines);
}

TEST(KnowledgeCheck, ASentenceSaidByMoreThanThreeRecordsIsReportedOnce)
{
    std::vector<TestRecord> records{{{"-NICHTS GEFUNDEN-"}, {"Frag anders.", "Frag anders."}}};
    for (const std::string keyword : {"A", "B"}) {
        records.push_back({{keyword}, {"Frag anders.", "Nur hier " + keyword}});
    }
    EXPECT_EQ(problemLines(keywordFileText(records)), std::vector<std::string>{});
    // The records stand at lines 3, 7, 11 and 15; the problem is at the fourth.
    records.push_back({{"C"}, {"Frag anders."}});
    EXPECT_EQ(problemLines(keywordFileText(records)),
              std::vector<std::string>{"sw.dat:15: answer \"Frag anders.\" is said by 4 records (lines 3, 7, 11, 15): "
                                       "more than three"});
}

TEST(KnowledgeCheck, EchoesOnlyAfterAQuestionOpening)
{
    for (const std::string keyword : {"SOLL ICH", " WIRD ER ", "K\xD6NNTE SIE", "WARUM IST"}) {
        EXPECT_TRUE(isQuestionOpening(keyword)) << keyword;
    }
    for (const std::string keyword : {"LIEBE", "SOLL", "SOLL ", "ICH SOLL", "SOLLICH X", "", "  "}) {
        EXPECT_FALSE(isQuestionOpening(keyword)) << keyword;
    }
    const std::string keywordFile = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"f"}},
                                                     {{"SOLL ICH"}, {"Ob du *?"}},
                                                     {{"LIEBE"}, {"gut", "Liebe *"}}});
    EXPECT_EQ(problemLines(keywordFile),
              std::vector<std::string>{"sw.dat:9: record \"LIEBE\": answer 2 (line 11) holds \"*\", but \"LIEBE\" is "
                                       "no question opening (two or more words, the first one a word questions "
                                       "begin with): the echo pastes whatever follows it"});
}

TEST(KnowledgeCheck, AnswersTooLongForTheBoxAsTheProgramLaysThemOut)
{
    // A stand-in layout: one line per ten bytes.
    SKnowledgeCheckOptions options;
    std::vector<std::string> measured;
    options.answerLines = [&](std::string_view answer) {
        measured.emplace_back(answer);
        return static_cast<int>(answer.size() + 9) / 10;
    };
    const std::string keywordFile = keywordFileText({{{"-NICHTS GEFUNDEN-"}, {"zwanzig Bytes genau", "einundzwanzig Bytes!!"}},
                                                     {{"SOLL ICH"}, {"Ob du es *tun sollst?"}}});
    std::vector<std::string> lines;
    for (const SKnowledgeProblem& problem : checkKnowledgeFiles(keywordFile, kGoodPairs, options)) {
        lines.push_back(formatKnowledgeProblem(problem));
    }
    EXPECT_EQ(lines, std::vector<std::string>{"sw.dat:3: record \"-NICHTS GEFUNDEN-\": answer 2 (line 5) needs 3 lines "
                                              "of the answer box: more than the two the box is made for"});
    EXPECT_EQ(measured.back(), "Ob du es tun sollst?");
}

TEST(HelpFileCheck, EveryRecordNeedsPhrasesThatMatchAndAnswersThatNameHelp)
{
    const std::string helpFile = "Hilfe\r\n"
                                 "# \"SCHL\xC4GT MICH\" \"MICH* GESCHLAGEN\"\r\n\"Polizei: 110\"\r\n"
                                 "# \"...\" \"A*\" \"STERBEN\"\r\n\r\n"
                                 "# \"RITZ\"\r\n\"Sprich mit jemandem.\"\r\n\"Ruf * an: 116 111\"\r\n\"\"\r\n"
                                 "# \"LANG\"\r\n\"eine sehr lange Antwort mit 116 016\"\r\n";
    std::vector<std::string> lines;
    for (const SKnowledgeProblem& problem :
         checkHelpFile(helpFile, [](std::string_view answer) { return answer.size() > 30 ? 3 : 1; })) {
        lines.push_back(formatKnowledgeProblem(problem));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "hilfe.dat:4: record \"...\" \"A*\" \"STERBEN\": phrase \"...\" has a part without letters or "
                         "digits: it is never matched",
                         "hilfe.dat:4: record \"...\" \"A*\" \"STERBEN\": phrase \"A*\" has a part without letters or "
                         "digits: it is never matched",
                         "hilfe.dat:4: record \"...\" \"A*\" \"STERBEN\" has no answers: its phrases are passed to the "
                         "oracle",
                         "hilfe.dat:6: record \"RITZ\": answer 1 (line 7) names no help number",
                         "hilfe.dat:6: record \"RITZ\": answer 2 (line 8) holds \"*\": help answers are never echoed, "
                         "it is shown as it stands",
                         "hilfe.dat:6: record \"RITZ\": answer 3 (line 9) is empty: a question in distress would get an "
                         "empty scroll",
                         "hilfe.dat:10: record \"LANG\": answer 1 (line 11) needs 3 lines of the answer box: more than "
                         "the two the box is made for"}));
    EXPECT_EQ(checkHelpFile("nur Text", {}).size(), 1u);
}
