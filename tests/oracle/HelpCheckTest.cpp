// The help check in front of the engine, and the one answering path built on both.
#include "OracleTestSupport.h"
#include "TempFolder.h"

#include "oracle/COracle.h"
#include "oracle/Random.h"

#include <gtest/gtest.h>

#include <filesystem>

using Texts = std::vector<std::string>;

namespace {

// Two help records: a violence record whose phrase needs "mich" after the verb or a few words
// before the participle, and a record that only matches a whole word at its start (" RITZ").
const std::string kHelpFile = "Hilfe\r\n"
                              "# Gewalt\r\n"
                              "\"SCHL\xC4GT MICH\" \"GEW\xDCRGT\" \"HAT MICH* GESCHLAGEN\"\r\n"
                              "\"Hilfe eins: 110\"\r\n"
                              "\"Hilfe zwei: 116 016\"\r\n"
                              "# Ritzen\r\n"
                              "\" RITZ\" \"SELBSTVERLETZ\"\r\n"
                              "\"Ritzhilfe: 116 111\"\r\n"
                              "# Ohne Antworten wird nie gew\xE4hlt\r\n"
                              "\"STERBEN\"\r\n";

const std::vector<TestRecord> kRecords{
    {{"LIEBE"}, {"Liebe eins", "Liebe zwei", "Liebe drei"}},
    {{"HERZ"}, {"Herz eins", "Herz zwei"}},
    {{"LIEBE", "HERZ"}, {"Beides"}},
    {{"SCHLUSS"}, {"Ob *?"}},
    {{"-NICHTS GEFUNDEN-"}, {"Nichts eins", "Nichts zwei"}},
};

std::vector<std::uint32_t> cursorsOf(const CAnswerEngine& engine)
{
    std::vector<std::uint32_t> cursors;
    for (const CKeywordRecord& record : engine.records()) {
        cursors.push_back(record.cursor());
    }
    return cursors;
}

} // namespace

TEST(HelpMatchText, FoldsSpellsOutUmlautsAndTurnsPunctuationIntoSingleBlanks)
{
    EXPECT_EQ(helpMatchText("Er schl\xE4gt  mich!!"), "ER SCHLAEGT MICH ");
    EXPECT_EQ(helpMatchText("Gr\xFC\xDF" "e, \xD6" "l & \xC9t\xE9"), "GRUESSE OEL \xC9T\xE9");
    EXPECT_EQ(helpMatchText("  ...geht's?"), " GEHT S ");
    EXPECT_EQ(helpMatchText("3\xD7" "4"), "3 4");
}

// Phrases match in casual spellings, their parts in order with at most three words between.
TEST(HelpCheck, MatchesPhrasesInCasualSpellingsButNotLookAlikes)
{
    const CHelpCheck help = CHelpCheck::fromFileBytes(kHelpFile);
    const std::string violence = "SCHLAEGT MICH", beaten = "HAT MICH* GESCHLAGEN";
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"mein freund schl\xE4gt mich", violence}, {"Er SCHLAEGT MICH, soll ich bleiben?", violence},
        {"er schl\xE4gt,mich", violence}, {"warum   schl\xE4gt    mich er", violence},
        {"Hallo. Er schl\xE4gt mich.", violence}, {"er schl\xE4gt mich und ich ritze mich", violence},
        {"ich bin gew\xFCrgt worden", "GEWUERGT"}, {"ich ritze mich", " RITZ"}, {"Ritzen hilft mir", " RITZ"},
        {"soll ich weiter ritzen?", " RITZ"}, {"Selbstverletzung", "SELBSTVERLETZ"},
        {"er hat mich geschlagen", beaten}, {"er hat mich gestern geschlagen", beaten},
        {"hat mich eins zwei drei geschlagen", beaten}, {"er hat michael geschlagen", beaten},
        {"mein Herz schl\xE4gt f\xFCr ihn", {}}, {"schl\xE4gt sein Herz f\xFCr mich", {}}, {"Fritz liebt mich", {}},
        {"ich will nicht sterben ohne ihn", {}}, {"schlaegtmich", {}}, {"", {}},
        {"hat mich eins zwei drei vier geschlagen", {}}, {"geschlagen hat er mich", {}},
        {"er hat mich vorgeschlagen", {}},
    };
    for (const auto& [question, phrase] : cases) {
        EXPECT_EQ(help.matchingPhrase(question), phrase) << question;
    }
    // Without a help file or with phrases of no letters nothing matches.
    EXPECT_FALSE(CHelpCheck().matchingPhrase("er schl\xE4gt mich").has_value());
    const CHelpCheck blanks =
        CHelpCheck::fromFileBytes("# \" \" \"...\" \"LIEBE*\" \"*\" \"A**B\"\r\n\"Antwort 110\"\r\n");
    EXPECT_FALSE(blanks.matchingPhrase("irgendwas").has_value());
}

TEST(Oracle, HelpAnswersComeInTurnAndLeaveTheEngineAndTheGeneratorAlone)
{
    COracle oracle(makeEngine(kRecords, {{"ich", "du"}}), CHelpCheck::fromFileBytes(kHelpFile));
    seedRandom(4711);
    oracle.answer("Liebe und Herz und Schluss");  // moves cursors and draws
    const auto cursors = cursorsOf(oracle.engine());
    const std::uint32_t state = randomState();

    const Texts answers{oracle.answer("er schl\xE4gt mich"), oracle.answer("Liebe? Ich wurde gew\xFCrgt, Herz"),
                        oracle.answer("ER SCHLAEGT MICH"), oracle.answer("ich ritze mich, liebt er mich?")};
    EXPECT_EQ(answers, (Texts{"Hilfe eins: 110", "Hilfe zwei: 116 016", "Hilfe eins: 110", "Ritzhilfe: 116 111"}));
    EXPECT_EQ(cursorsOf(oracle.engine()), cursors);
    EXPECT_EQ(randomState(), state);
}

TEST(Oracle, ReadsTheHelpFileBesideTheKnowledgeFilesAndTellsWhenItIsMissing)
{
    const CTempFolder temp("oracle-help");
    const std::filesystem::path& folder = temp.path();
    temp.write("sw.dat", keywordFileText(kRecords));
    temp.write("hv.dat", wordPairFileText({{"ich", "du"}}));
    CManualClock clock;
    {
        COracle oracle(clock, folder);
        EXPECT_EQ(oracle.helpFileState(), EKnowledgeFile::Missing);
        EXPECT_EQ(oracleLoadMessages(oracle),
                  (Texts{"COracle::hilfe.dat is missing - questions in distress get no help answer"}));
        EXPECT_EQ(oracle.answer("Liebe"), "Liebe eins");
        EXPECT_FALSE(std::filesystem::exists(folder / "hilfe.dat"));
    }
    temp.write("hilfe.dat", "nur ein Kopf");
    EXPECT_EQ(oracleLoadMessages(COracle(clock, folder)),
              (Texts{"COracle::hilfe.dat holds no records - questions in distress get no help answer"}));
    temp.write("hilfe.dat", kHelpFile);
    COracle oracle(clock, folder);
    EXPECT_TRUE(oracleLoadMessages(oracle).empty());
    EXPECT_EQ(oracle.answer("er schlaegt mich"), "Hilfe eins: 110");
}
