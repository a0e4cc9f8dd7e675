#include "OracleTestSupport.h"
#include "TempFolder.h"

#include "common/Clock.h"
#include "oracle/CWordPairs.h"
#include "oracle/KeywordFile.h"
#include "oracle/Random.h"
#include "oracle/TextModeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using Texts = std::vector<std::string>;
using namespace std::string_literals;

namespace {

std::vector<CKeywordRecord> recordsOf(std::string_view file)
{
    return readKeywordFile(file).records;
}

std::string repeated(char c, std::size_t n)
{
    return std::string(n, c);
}

} // namespace

TEST(TextMode, CrLfBecomesLfAndCtrlZEndsTheFile)
{
    EXPECT_EQ(decodeTextMode("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(decodeTextMode("a\rb\r"), "a\rb\r");  // a lone CR is an ordinary byte
    EXPECT_EQ(decodeTextMode("a\r\r\nb"), "a\r\nb");
    EXPECT_EQ(decodeTextMode("ab\x1A" "cd\r\n"), "ab");
    EXPECT_EQ(decodeTextMode("\0x\n"s), "\0x\n"s);
    EXPECT_EQ(decodeTextMode(""), "");
}

TEST(KeywordFile, HeadingIsIgnoredAndKeywordsAreFolded)
{
    const auto records = recordsOf("\"Kopf\" mit \"Zitaten\"\r\n"
                                   "# Eintrag eins \"Gr\xFC\xDF" "e\" \"liebe\"\r\n"
                                   "\"Sch\xF6ne Gr\xFC\xDF" "e!\"\r\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"GR\xDC\xDF" "E", "LIEBE"}));
    EXPECT_EQ(records[0].answers(), (Texts{"Sch\xF6ne Gr\xFC\xDF" "e!"}));
    EXPECT_EQ(records[0].cursor(), 0u);
}

TEST(KeywordFile, KeywordLineRules)
{
    // Touching quotes are two keywords; anything but a quote or a line end may separate them,
    // "#" included; a lone CR does not end the line.
    auto records = recordsOf("#\"A\"\"B\" x # \"C\"\r\"D\"\n\"answer\"\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"A", "B", "C", "D"}));
    EXPECT_EQ(records[0].answers(), (Texts{"answer"}));

    // The line end after the keywords closes them: the next quoted text is an answer.
    records = recordsOf("# \"A\"\r\n\"B\" \"C\"\r\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"A"}));
    EXPECT_EQ(records[0].answers(), (Texts{"B", "C"}));

    // Text between "#" and the first keyword may span lines, further "#" included.
    records = recordsOf("#\r\n#\r\n  \"A\"\r\n\"x\"");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"A"}));
}

TEST(KeywordFile, AnswersKeepEverythingBetweenTheirQuotes)
{
    const auto records = recordsOf("# \"A\"\r\n"
                                   "\"Zeile 1\r\nZeile 2 # mit Raute\" Text ohne Bedeutung \"Gro\xDF und klein\"\r\n"
                                   "# \"B\"\r\n\"b1\"#\"C\"\n\"c1\"\r\n\"c2\"");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].answers(), (Texts{"Zeile 1\nZeile 2 # mit Raute", "Gro\xDF und klein"}));
    EXPECT_EQ(records[1].answers(), (Texts{"b1"}));
    EXPECT_EQ(records[2].keywords(), (Texts{"C"}));
    EXPECT_EQ(records[2].answers(), (Texts{"c1", "c2"}));
}

TEST(KeywordFile, EmptyAndDegenerateFiles)
{
    EXPECT_TRUE(recordsOf("").empty());
    EXPECT_TRUE(recordsOf("\"nur\" \"Zitate\" ohne Raute").empty());
    EXPECT_TRUE(recordsOf("Kopf #  ohne Zitat danach").empty());
    EXPECT_TRUE(recordsOf("\x1A# \"A\"\r\n\"a\"").empty());

    // A last record with a keyword line but no answers is kept without answers.
    auto records = recordsOf("# \"A\"\r\n\"a\"\r\n# \"B\" \"C\"\r\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[1].answers().empty());
    EXPECT_EQ(records[1].keywords(), (Texts{"B", "C"}));

    // Empty texts are texts; a file ending inside a text keeps what was read.
    records = recordsOf("# \"\" \"A\"\r\n\"\"\r\n\"halb");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"", "A"}));
    EXPECT_EQ(records[0].answers(), (Texts{"", "halb"}));

    // Ctrl-Z ends the file even inside a text.
    records = recordsOf("# \"A\"\r\n\"ab\x1A" "cd\"\r\n\"e\"");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].answers(), (Texts{"ab"}));
}

TEST(KeywordFile, TextsAre299BytesAtMostAndResynchroniseAfterALongerOne)
{
    const std::string exact = repeated('a', 299);
    auto records = recordsOf("# \"A\"\r\n\"" + exact + "\"\r\n\"next\"");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].answers(), (Texts{exact, "next"}));

    // 300 bytes: the 300th is lost, the real closing quote opens a text that runs to the
    // opening quote of "next", and the closing quote of "next" opens one more.
    records = recordsOf("# \"A\"\r\n\"" + repeated('a', 299) + "Z\"\r\n\"next\"");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].answers(), (Texts{exact, "\n", ""}));

    // The same in a keyword line: the resynchronised texts become keywords.
    records = recordsOf("# \"" + repeated('k', 300) + "\" \"X\"\r\n\"ans\"");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{repeated('K', 299), " ", "\n", ""}));
    EXPECT_TRUE(records[0].answers().empty());
}

TEST(KeywordFile, NulEndsTheStoredText)
{
    const auto records = recordsOf("# \"AB\0C\"\r\n\"vor\0nach\"\r\n"s);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].keywords(), (Texts{"AB"}));
    EXPECT_EQ(records[0].answers(), (Texts{"vor"}));
}

TEST(KeywordFile, OriginsGiveLinesAndReadingTrouble)
{
    const auto contents = readKeywordFile("Kopf\r\n# \"A\"\r\n\"a1\"\r\n\r\n\"" + repeated('x', 305) +
                                          "\"\"\r\n# \"B\"\r\n\"offen");
    ASSERT_EQ(contents.origins.size(), 2u);
    EXPECT_EQ(contents.origins[0].keywords[0].line, 2);
    EXPECT_EQ(contents.origins[0].answers[0].line, 3);
    EXPECT_TRUE(contents.origins[0].answers[1].cut);
    EXPECT_EQ(contents.origins[0].answers[1].line, 5);
    EXPECT_EQ(contents.records[0].answers().size(), 3u);  // the resynchronised "" after it
    EXPECT_EQ(contents.origins[1].keywords[0].line, 6);
    EXPECT_TRUE(contents.origins[1].answers[0].unclosed);
}

TEST(WordPairFile, TextsAlternateAndOnlyQuotesMatter)
{
    auto contents = readWordPairFile("Paare # \"ich\"\r\n\"du\" \"Mich\"# \"dich\"\"mein\"");
    ASSERT_EQ(contents.pairs.size(), 2u);
    EXPECT_EQ(contents.pairs[0].from, "ich");
    EXPECT_EQ(contents.pairs[0].to, "du");
    EXPECT_EQ(contents.pairs[1].from, "Mich");  // stored as written
    EXPECT_EQ(contents.pairs[1].to, "dich");
    ASSERT_EQ(contents.unpaired.size(), 1u);
    EXPECT_EQ(contents.unpaired[0].text, "mein");

    EXPECT_TRUE(readWordPairFile("").pairs.empty());
    EXPECT_TRUE(readWordPairFile("keine Anfuehrungszeichen").pairs.empty());

    // A "to" that the file ends inside is kept; a long text resynchronises as in sw.dat.
    contents = readWordPairFile("\"a\" \"b");
    ASSERT_EQ(contents.pairs.size(), 1u);
    EXPECT_EQ(contents.pairs[0].to, "b");
    contents = readWordPairFile("\"" + repeated('w', 300) + "\" \"x\" \"y\"");
    ASSERT_EQ(contents.pairs.size(), 2u);
    EXPECT_EQ(contents.pairs[0].from, repeated('w', 299));
    EXPECT_EQ(contents.pairs[0].to, " ");
    EXPECT_EQ(contents.pairs[1].from, " ");
    EXPECT_EQ(contents.pairs[1].to, "");
}

class EngineFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock_.setCalendarSeconds(1'700'000'123);
    }

    void write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    CTempFolder temp_{"oracle"};
    std::filesystem::path folder_ = temp_.path();
    CManualClock clock_;
};

TEST_F(EngineFolder, MissingFilesAreNeitherCreatedNorHiddenAndTheGeneratorIsSeeded)
{
    seedRandom(7);
    const CAnswerEngine engine(clock_, folder_);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "sw.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "hv.dat"));
    EXPECT_TRUE(engine.records().empty());
    EXPECT_TRUE(engine.wordPairs().pairs().empty());
    EXPECT_EQ(engine.loadReport().keywordFile, EKnowledgeFile::Missing);
    EXPECT_EQ(engine.loadReport().wordPairFile, EKnowledgeFile::Missing);
    EXPECT_EQ(knowledgeLoadMessages(engine),
              (Texts{"CAnswerEngine::sw.dat is missing - the mirror cannot answer",
                     "CAnswerEngine::hv.dat is missing - echoes keep the question's words"}));
    EXPECT_EQ(randomState(), 1'700'000'123u);
}

TEST_F(EngineFolder, EmptyOrUnreadableFilesAreToldApart)
{
    write("sw.dat", "nur ein Kopf ohne Raute\r\n");
    std::filesystem::create_directory(folder_ / "hv.dat");
    const CAnswerEngine engine(clock_, folder_);
    EXPECT_EQ(engine.loadReport().keywordFile, EKnowledgeFile::Read);
    EXPECT_EQ(engine.loadReport().wordPairFile, EKnowledgeFile::Unreadable);
    EXPECT_EQ(knowledgeLoadMessages(engine),
              (Texts{"CAnswerEngine::sw.dat holds no records - the mirror cannot answer",
                     "CAnswerEngine::hv.dat cannot be read - echoes keep the question's words"}));

    std::filesystem::remove(folder_ / "hv.dat");
    write("sw.dat", keywordFileText({{{"LIEBE"}, {"a"}}}));
    write("hv.dat", "");
    const CAnswerEngine second(clock_, folder_);
    EXPECT_EQ(knowledgeLoadMessages(second),
              (Texts{"CAnswerEngine::hv.dat holds no word pairs - echoes keep the question's words"}));
    write("hv.dat", wordPairFileText({{"ich", "du"}}));
    EXPECT_TRUE(knowledgeLoadMessages(CAnswerEngine(clock_, folder_)).empty());
}

TEST_F(EngineFolder, LoadsBothFilesAndIndexesEveryKeywordInFileOrder)
{
    write("sw.dat", keywordFileText({{{"liebe", "dich"}, {"a"}}, {{"LIEBE"}, {"b"}}, {{"x"}, {}}}));
    write("hv.dat", wordPairFileText({{"ich", "du"}}));
    const CAnswerEngine engine(clock_, folder_);
    EXPECT_EQ(engine.keywordIndex(), (Texts{"LIEBE", "DICH", "LIEBE", "X"}));
    ASSERT_EQ(engine.records().size(), 3u);
    ASSERT_EQ(engine.wordPairs().pairs().size(), 1u);
    EXPECT_EQ(engine.wordPairs().pairs()[0].to, "du");
}

TEST_F(EngineFolder, AFolderThatCannotHoldTheFilesGivesAnEmptyEngine)
{
    const CAnswerEngine engine(clock_, folder_ / "fehlt" / "auch");
    EXPECT_TRUE(engine.records().empty());
    std::filesystem::create_directory(folder_ / "sw.dat");  // not a regular file
    const CAnswerEngine second(clock_, folder_);
    EXPECT_TRUE(second.records().empty());
}
