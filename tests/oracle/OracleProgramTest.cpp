// minnespiegel-oracle run as a program, with its input and output as files.
#include "OracleProgramRun.h"
#include "OracleTestSupport.h"
#include "TempFolder.h"

#include "oracle/Random.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kKeywordFile =
    keywordFileText({{{"LIEBE"}, {"Die Liebe ist ein seltsames Spiel.", "Liebe kommt und geht."}},
                     {{"HEIRAT"}, {"Du fragst, ob *? Die Sterne sagen ja.", "Eine Hochzeit im Mai."}},
                     {{"GL\xDC" "CK"}, {"Gl\xFC" "ck findest du *."}},
                     {{"-NICHTS GEFUNDEN-"}, {"Das verrate ich dir nicht.", "Frag mich etwas anderes."}}});
const std::string kWordPairFile = wordPairFileText({{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}});
// Without a help file every question goes to the engine, and the program says so once.
const std::string kNoHelpNote = "Hinweis: hilfe.dat fehlt; Fragen in Not bekommen keine Hilfe-Antwort.\n";

class OracleProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp_.write("data/sw.dat", kKeywordFile);
        temp_.write("data/hv.dat", kWordPairFile);
    }
    RunResult run(const std::string& arguments, const std::string& input = "")
    {
        return runOracleProgram(folder_, arguments, input);
    }

    CTempFolder temp_{"oracle-program"};
    fs::path folder_ = temp_.path();
};

} // namespace

TEST_F(OracleProgram, RawModeAnswersEveryLineAsTheEngineDoes)
{
    const std::vector<std::string> questions{"Liebe", "Liebe", "", "x", "Heirat ich meinen Schatz?",
                                             "Gl\xFC" "ck f\xFCr mich", "was nun", "Liebe"};
    // LF and CR LF line ends, and a last line without one.
    std::string input;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        input += questions[i] + (i + 1 == questions.size() ? "" : i % 2 ? "\r\n" : "\n");
    }
    const RunResult result = run("--raw --seed 4711 --data data", input);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(run("--data data --seed=4711 --raw", input).out, result.out); // any order, either form

    auto engine = CAnswerEngine::fromFileBytes(kKeywordFile, kWordPairFile);
    seedRandom(4711);
    std::vector<std::string> expected;
    for (const std::string& question : questions) {
        expected.push_back(engine.answer(question));
    }
    EXPECT_EQ(splitAtNul(result.out), expected); // the echoes' words swapped: the interactive test
    EXPECT_EQ(result.err, kNoHelpNote);
}

TEST_F(OracleProgram, EveryModeAsksTheHelpFileFirst)
{
    temp_.write("data/hilfe.dat", "# Gewalt\r\n\"SCHL\xC4GT MICH\"\r\n\"Polizei: 110\"\r\n");
    const std::string input = "Liebe\ner schlaegt mich, liebt er mich?\nLiebe\n";
    RunResult result = run("--raw --seed 5 --data data", input);
    EXPECT_EQ(result.err, "");
    auto engine = CAnswerEngine::fromFileBytes(kKeywordFile, kWordPairFile);
    seedRandom(5);
    const std::vector<std::string> first{engine.answer("Liebe"), "Polizei: 110", engine.answer("Liebe")};
    EXPECT_EQ(splitAtNul(result.out), first);
    EXPECT_EQ(first[2], "Liebe kommt und geht.");

    result = run("--seed 5 --data data", "Mein Freund schl\xC3\xA4gt mich.\n");
    EXPECT_NE(result.out.find("Polizei: 110\n"), std::string::npos) << result.out;
}

TEST_F(OracleProgram, InteractiveModeSpeaksUtf8AndGuardsTheQuestionLength)
{
    const std::string longQuestion(201, 'a');
    const std::string input = "Heirat ich meinen Schatz?\n"
                              "\xC3\xA4\n"                   // one byte in Windows-1252
                              "Gl\xC3\xBC" "ck \xE2\x98\x85" "f\xC3\xBCr mich\n"  // the star is dropped
                              + longQuestion + "\n" + std::string(200, 'a') + "\n\n";
    const RunResult result = run("--seed 1 --data data", input);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The 200-byte question is answered: by the fallback, in turn.
    for (const char* shown : {"Deine Frage: ", "Du fragst, ob  du meinen Schatz? Die Sterne sagen ja.\n",
                              "Hmmmm. Wenn ich das w\xC3\xBC\xC3\x9Fte ...\n", "Gl\xC3\xBC" "ck findest du  f\xC3\xBCr dich.\n",
                              "zu lang", "Das verrate ich dir nicht.\n"}) {
        EXPECT_NE(result.out.find(shown), std::string::npos) << shown;
    }
    EXPECT_EQ(result.err, kNoHelpNote);
}

TEST_F(OracleProgram, MissingFilesAreNotedAndNotCreated)
{
    RunResult result = run("", "Hallo\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_FALSE(fs::exists(folder_ / "sw.dat"));
    EXPECT_FALSE(fs::exists(folder_ / "hv.dat"));
    EXPECT_EQ(result.err, "Hinweis: sw.dat fehlt; der Spiegel bleibt stumm.\n"
                          "Hinweis: hv.dat fehlt; Echos behalten die W\xC3\xB6rter der Frage.\n" +
                              kNoHelpNote);

    temp_.write("sw.dat", "");
    result = run("--raw", "Hallo\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, std::string(1, '\0'));
    EXPECT_EQ(result.err.find("Hinweis: sw.dat ist leer;"), 0u) << result.err;
    EXPECT_FALSE(fs::exists(folder_ / "hv.dat"));

    result = run("--check");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.find("hv.dat: the file is missing\n"), 0u) << result.out;
    EXPECT_FALSE(fs::exists(folder_ / "hv.dat"));
}

TEST_F(OracleProgram, CheckReportsProblemsWithLineNumbers)
{
    temp_.write("data/sw.dat",
              keywordFileText({{{"LIEBE"}, {"Die Liebe ist ein seltsames Spiel."}},
                               {{"SOLL ICH"}, {"Ob du *sollst? Frag dein Herz."}},
                               {{"-NICHTS GEFUNDEN-"}, {"Das verrate ich dir nicht."}}}));
    temp_.write("data/hilfe.dat", "# \"RITZ\"\r\n\"Nummer gegen Kummer: 116 111\"\r\n");
    RunResult result = run("--check --data data");
    EXPECT_EQ(result.exitCode, 0) << result.out;
    EXPECT_EQ(result.out, "OK: 3 records, 3 answers, 3 word pairs, 1 help records\n");

    temp_.write("data/sw.dat", "# \"GL\xDC" "CK\" \"X\"\r\n\"*\"\r\n# \"-NICHTS GEFUNDEN-\"\r\n\"f\"\r\n");
    result = run("--check --data data");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "sw.dat:1: record \"GL\xC3\x9C" "CK\" \"X\": answer 1 (line 2) holds \"*\", which is "
                          "only replaced for one-keyword questions: it is shown as it stands\n");
    EXPECT_EQ(result.err, "1 problem\n");
}

#ifdef MINNE_ORACLE_FONT
// The program's own font and layout decide: a W is 17 pixels wide, an i 4, and a line holds
// less than 390, so 48 "i" stand on one line and 60 "W" need three.
TEST_F(OracleProgram, CheckMeasuresAnswersWithTheProgramsFont)
{
    const std::string fits = "Ein kurzer Satz passt in eine Zeile.";
    const std::string tooLong = "Dieser Satz ist so lang, dass ihn der Spiegel nur auf drei Zeilen zeigen "
                                "k\xF6nnte, weil er viel mehr sagt, als zwei Zeilen fassen.";
    temp_.write("data/sw.dat",
              keywordFileText({{{"LIEBE"}, {fits, tooLong}}, {{"-NICHTS GEFUNDEN-"}, {std::string(48, 'i')}}}));
    temp_.write("data/hilfe.dat", "# \"RITZ\"\r\n\"" + std::string(60, 'W') + " 116 111\"\r\n");
    const RunResult result = run("--check --data data");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "sw.dat:3: record \"LIEBE\": answer 2 (line 5) needs 3 lines of the answer box: more than "
                          "the two the box is made for\n"
                          "hilfe.dat:1: record \"RITZ\": answer 1 (line 2) needs 3 lines of the answer box: more "
                          "than the two the box is made for\n");
    EXPECT_EQ(result.err, "2 problems\n");
}
#endif

TEST_F(OracleProgram, HelpVersionAndUsageErrors)
{
    RunResult result = run("--help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("--seed"), std::string::npos);
    result = run("--version");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("1.0"), std::string::npos);
    for (const std::string arguments : {"--bogus", "--seed", "--seed abc", "--seed -1", "--seed 4294967296",
                                        "--raw --check", "--data", "frage"}) {
        result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("Aufruf"), std::string::npos) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
    }
    result = run("--data fehlt");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(fs::exists(folder_ / "fehlt"));
}
