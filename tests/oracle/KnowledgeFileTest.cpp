#include "OracleTestSupport.h"
#include "TempFolder.h"

#include "common/Clock.h"
#include "oracle/CWordPairs.h"
#include "oracle/KeywordFile.h"
#include "oracle/Random.h"
#include "oracle/TextModeFile.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;
using namespace std::string_literals;

namespace {

// The records as one line each: keywords in braces, then "=", then the answers in braces.
std::string recordsOf(std::string_view file)
{
    std::string text;
    for (const CKeywordRecord& record : readKeywordFile(file).records) {
        for (const std::string& keyword : record.keywords()) {
            text += "{" + keyword + "}";
        }
        text += "=";
        for (const std::string& answer : record.answers()) {
            text += "{" + answer + "}";
        }
        text += ";";
    }
    return text;
}

} // namespace

TEST(TextMode, CrLfBecomesLfAndCtrlZEndsTheFile)
{
    EXPECT_EQ(decodeTextMode("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(decodeTextMode("a\rb\r"), "a\rb\r"); // a lone CR is an ordinary byte
    EXPECT_EQ(decodeTextMode("a\r\r\nb"), "a\r\nb");
    EXPECT_EQ(decodeTextMode("ab\x1A" "cd\r\n"), "ab");
    EXPECT_EQ(decodeTextMode("\0x\n"s), "\0x\n"s);
}

TEST(KeywordFile, RecordsAsTheFileHoldsThem)
{
    const std::string a299(299, 'a');
    const std::string k299(299, 'K');
    const struct {
        const char* what;
        std::string file, records;
    } cases[] = {
        {"heading ignored, keywords folded",
         "\"Kopf\" mit \"Zitaten\"\r\n# Eintrag eins \"Gr\xFC\xDF" "e\" \"liebe\"\r\n\"Sch\xF6ne Gr\xFC\xDF" "e!\"\r\n",
         "{GR\xDC\xDF" "E}{LIEBE}={Sch\xF6ne Gr\xFC\xDF" "e!};"},
        {"touching quotes, anything but a quote between, a lone CR", "#\"A\"\"B\" x # \"C\"\r\"D\"\n\"answer\"\n",
         "{A}{B}{C}{D}={answer};"},
        {"the line end closes the keywords", "# \"A\"\r\n\"B\" \"C\"\r\n", "{A}={B}{C};"},
        {"text before the first keyword spans lines", "#\r\n#\r\n  \"A\"\r\n\"x\"", "{A}={x};"},
        {"answers keep everything between their quotes",
         "# \"A\"\r\n\"Zeile 1\r\nZeile 2 # mit Raute\" Text \"Gro\xDF und klein\"\r\n# \"B\"\r\n\"b1\"#\"C\"\n\"c1\"\r\n\"c2\"",
         "{A}={Zeile 1\nZeile 2 # mit Raute}{Gro\xDF und klein};{B}={b1};{C}={c1}{c2};"},
        {"empty", "", ""}, {"no hash", "\"nur\" \"Zitate\" ohne Raute", ""},
        {"no quote after the hash", "Kopf #  ohne Zitat danach", ""},
        {"Ctrl-Z first", "\x1A# \"A\"\r\n\"a\"", ""},
        {"a last record without answers", "# \"A\"\r\n\"a\"\r\n# \"B\" \"C\"\r\n", "{A}={a};{B}{C}=;"},
        {"empty texts, a text the file ends in", "# \"\" \"A\"\r\n\"\"\r\n\"halb", "{}{A}={}{halb};"},
        {"Ctrl-Z inside a text", "# \"A\"\r\n\"ab\x1A" "cd\"\r\n\"e\"", "{A}={ab};"},
        {"NUL ends the stored text", "# \"AB\0C\"\r\n\"vor\0nach\"\r\n"s, "{AB}={vor};"},
        {"299 bytes", "# \"A\"\r\n\"" + a299 + "\"\r\n\"next\"", "{A}={" + a299 + "}{next};"},
        // 300 bytes: the 300th is lost, the real closing quote opens a text that runs to the
        // opening quote of "next", and the closing quote of "next" opens one more.
        {"300 bytes", "# \"A\"\r\n\"" + a299 + "Z\"\r\n\"next\"", "{A}={" + a299 + "}{\n}{};"},
        {"300 bytes of keyword", "# \"" + std::string(300, 'k') + "\" \"X\"\r\n\"ans\"", "{" + k299 + "}{ }{\n}{}=;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordsOf(c.file), c.records) << c.what;
    }
}

TEST(WordPairFile, TextsAlternateAndOnlyQuotesMatter)
{
    const auto pairsOf = [](std::string_view file) {
        const SWordPairFileContents contents = readWordPairFile(file);
        std::string text;
        for (const SWordPair& pair : contents.pairs) {
            text += "{" + pair.from + "}{" + pair.to + "};";
        }
        for (const auto& unpaired : contents.unpaired) {
            text += "{" + unpaired.text + "}";
        }
        return text;
    };
    EXPECT_EQ(pairsOf("Paare # \"ich\"\r\n\"du\" \"Mich\"# \"dich\"\"mein\""), "{ich}{du};{Mich}{dich};{mein}");
    EXPECT_EQ(pairsOf("keine Anfuehrungszeichen"), "");
    EXPECT_EQ(pairsOf("\"a\" \"b"), "{a}{b};"); // a "to" the file ends inside is kept
    EXPECT_EQ(pairsOf("\"" + std::string(300, 'w') + "\" \"x\" \"y\""), "{" + std::string(299, 'w') + "}{ };{ }{};");
}

// Missing files are neither created nor hidden, and the generator is seeded from the clock;
// empty and unreadable files are told apart; both files load, every keyword indexed in file order.
TEST(EngineFolder, LoadsBothFilesAndTellsMissingEmptyAndUnreadableApart)
{
    const CTempFolder temp("oracle");
    const std::filesystem::path& folder = temp.path();
    CManualClock clock;
    clock.setCalendarSeconds(1'700'000'123);
    seedRandom(7);
    const CAnswerEngine none(clock, folder);
    EXPECT_FALSE(std::filesystem::exists(folder / "sw.dat") || std::filesystem::exists(folder / "hv.dat"));
    EXPECT_TRUE(none.records().empty());
    EXPECT_EQ(knowledgeLoadMessages(none),
              (Texts{"CAnswerEngine::sw.dat is missing - the mirror cannot answer",
                     "CAnswerEngine::hv.dat is missing - echoes keep the question's words"}));
    EXPECT_EQ(randomState(), 1'700'000'123u);

    temp.write("sw.dat", "nur ein Kopf ohne Raute\r\n");
    std::filesystem::create_directory(folder / "hv.dat");
    EXPECT_EQ(knowledgeLoadMessages(CAnswerEngine(clock, folder)),
              (Texts{"CAnswerEngine::sw.dat holds no records - the mirror cannot answer",
                     "CAnswerEngine::hv.dat cannot be read - echoes keep the question's words"}));
    std::filesystem::remove(folder / "hv.dat");
    temp.write("sw.dat", keywordFileText({{{"liebe", "dich"}, {"a"}}, {{"LIEBE"}, {"b"}}, {{"x"}, {}}}));
    temp.write("hv.dat", "");
    EXPECT_EQ(knowledgeLoadMessages(CAnswerEngine(clock, folder)),
              (Texts{"CAnswerEngine::hv.dat holds no word pairs - echoes keep the question's words"}));
    temp.write("hv.dat", wordPairFileText({{"ich", "du"}}));
    const CAnswerEngine engine(clock, folder);
    EXPECT_TRUE(knowledgeLoadMessages(engine).empty());
    EXPECT_EQ(engine.keywordIndex(), (Texts{"LIEBE", "DICH", "LIEBE", "X"}));
    EXPECT_EQ(engine.records().size(), 3u);
    EXPECT_EQ(engine.wordPairs().pairs().size(), 1u);
    EXPECT_TRUE(CAnswerEngine(clock, folder / "fehlt" / "auch").records().empty());
    std::filesystem::remove(folder / "sw.dat");
    std::filesystem::create_directory(folder / "sw.dat"); // not a regular file
    EXPECT_TRUE(CAnswerEngine(clock, folder).records().empty());
}
