#include "OracleTestSupport.h"

#include "oracle/KnowledgeCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::string kGoodPairs = wordPairFileText({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});

std::vector<std::string> problemLines(const std::string& keywordFile, const std::string& wordPairFile = kGoodPairs)
{
    std::vector<std::string> lines;
    for (const KnowledgeProblem& problem : checkKnowledgeFiles(keywordFile, wordPairFile)) {
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
    const std::string keywordFile = keywordFileText({{{"LIEBE"}, {"Ja, *.", "Vielleicht."}},
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

TEST(KnowledgeCheck, ShippedDataPassesTheCheck)
{
    const std::filesystem::path data = std::filesystem::path(MINNE_SOURCE_DIR) / "data";
    // Read directly: the engine's reader would create missing files in the source tree.
    if (!std::filesystem::exists(data / "sw.dat") || !std::filesystem::exists(data / "hv.dat")) {
        GTEST_SKIP() << "no knowledge files in " << data;
    }
    const auto bytesOf = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const auto lines = problemLines(bytesOf(data / "sw.dat"), bytesOf(data / "hv.dat"));
    EXPECT_TRUE(lines.empty()) << describe(lines);
}
