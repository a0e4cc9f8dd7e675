#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/QuestionAnalysis.h"
#include "oracle/Random.h"

#include <gtest/gtest.h>


using Texts = std::vector<std::string>;

namespace {

const std::string kFallback = "-NICHTS GEFUNDEN-";
const std::string kAny = "\x01"; // an answer the generator chooses; what follows shows the effects

std::uint32_t stateAfterDraws(std::uint32_t state, int draws)
{
    for (int i = 0; i < draws; ++i) {
        stepRandom(state);
    }
    return state;
}

plain::CPlainOracle referenceOf(const std::vector<TestRecord>& records, std::uint32_t seed)
{
    plain::CPlainOracle reference;
    for (const TestRecord& record : records) {
        reference.records.push_back({record.keywords, record.answers, 0});
    }
    reference.randomState = seed;
    seedRandom(seed);
    return reference;
}

} // namespace

TEST(RandomGenerator, StepsAsTheProcessWideLinearCongruence)
{
    seedRandom(0);
    EXPECT_EQ(drawRandom(), 38); // 2531011 >> 16
    seedRandom(1);
    for (const int expected : {41, 18467, 6334}) {
        EXPECT_EQ(drawRandom(), expected);
    }
    seedRandom(0xFFFFFFFFu); // bit 31 never shows
    for (int i = 0; i < 1000; ++i) {
        ASSERT_LE(static_cast<unsigned>(drawRandom()), 32767u);
    }
    std::uint32_t own = 1;
    EXPECT_EQ(stepRandom(own), 41);
    EXPECT_EQ(own, 1u * 214013u + 2531011u);
}

// The questions asked in turn of one knowledge file, the answers, and how often the generator
// was drawn in all.
TEST(AnswerSelection, AnswersInTurnAndDrawsOnlyFromPoolsOfSubsets)
{
    const struct {
        const char* what;
        std::vector<TestRecord> records;
        Texts questions, answers;
        int draws;
    } cases[] = {
        {"a record's answers in turn", {{{"LIEBE"}, {"eins", "zwei", "drei"}}, {{kFallback}, {"?"}}},
         {"Was ist Liebe", "Liebe", "Liebe", "Liebe"}, {"eins", "zwei", "drei", "eins"}, 0},
        {"two keywords in file order", {{{"LIEBT"}, {"nur liebt"}}, {{"LIEBT", "MICH"}, {"beide"}}, {{kFallback}, {"?"}}},
         {"Liebt er mich"}, {"beide"}, 0},
        {"two keywords in the other order", {{{"LIEBT"}, {"nur"}}, {{"MICH", "LIEBT"}, {"beide"}}, {{kFallback}, {"?"}}},
         {"Liebt er mich"}, {"beide"}, 0},
        {"no keyword: the first fallback in turn",
         {{{"A"}, {"a"}}, {{kFallback}, {"f1", "f2"}}, {{kFallback}, {"never"}}}, {"xyz", "xyz", "xyz"},
         {"f1", "f2", "f1"}, 0},
        {"one keyword without its record: a pool of one", {{{"A", "B"}, {"ab"}}, {{kFallback}, {"f1", "f2"}}},
         {"a"}, {"f1"}, 1},
        // Three keywords, only the fallback: 6 paths reach the empty set and the fallback moves
        // six times; the top, three pairs and six singles draw.
        {"every path moves the cursors",
         {{{"A", "X"}, {}}, {{"B", "X"}, {}}, {{"C", "X"}, {}}, {{kFallback}, {"f0", "f1", "f2", "f3", "f4"}}},
         {"a b c", "hmm"}, {kAny, "f1"}, 10},
        {"only the first record of a set", {{{"A", "B"}, {"first"}}, {{"B", "A"}, {"second"}}, {{kFallback}, {"f"}}},
         {"a b", "a b"}, {"first", "first"}, 0},
        {"an empty answer is no match, its cursor moves", {{{"A"}, {"", "a2"}}, {{kFallback}, {"f1", "f2"}}},
         {"a", "a"}, {"f1", "a2"}, 1},
        {"a record without answers is passed over", {{{"A"}, {}}, {{kFallback}, {"f1", "f2"}}}, {"a"}, {"f1"}, 1},
        {"no fallback", {{{"A"}, {"a"}}}, {"nichts", "b"}, {"", ""}, 0},
        {"the fallback's empty answer empties the pool", {{{"B", "C"}, {"bc"}}, {{kFallback}, {"", "f2"}}},
         {"b", "b"}, {"", "f2"}, 1},
        {"an empty file", {}, {"", "Liebt sie mich?"}, {"", ""}, 0},
        {"a keyword listed twice never matches",
         {{{"A", "A"}, {"doppelt"}}, {{"A", "B", "A"}, {"auch"}}, {{kFallback}, {"f"}}}, {"a", "a b"}, {"f", "f"}, 4},
        // {A, NF}: the pool is [search of NF alone, search of A alone]; both cursors move.
        {"the fallback keyword typed", {{{"A"}, {"a1", "a2"}}, {{kFallback}, {"f1", "f2", "f3"}}},
         {"-nichts gefunden-", "a -nichts gefunden-", "xyz", "a"}, {"f1", kAny, "f3", "a2"}, 1},
    };
    for (const auto& c : cases) {
        auto engine = makeEngine(c.records);
        seedRandom(1234);
        for (std::size_t i = 0; i < c.questions.size(); ++i) {
            const std::string answer = engine.answer(c.questions[i]);
            if (c.answers[i] != kAny) {
                EXPECT_EQ(answer, c.answers[i]) << c.what << ", question " << i;
            }
        }
        EXPECT_EQ(randomState(), stateAfterDraws(1234, c.draws)) << c.what;
    }
}

// Above 8 found keywords: the full search when it stays within what 8 can need.
TEST(AnswerSelection, NineOrMoreKeywordsSearchInFullWhenARecordCutsItShort)
{
    const Texts words{"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT", "GOLF", "HOTEL", "INDIA", "JULIETT"};
    const std::string question = "alpha bravo charlie delta echo foxtrot golf hotel india juliett";
    EXPECT_EQ(makeEngine({{words, {"alle zehn"}}, {{kFallback}, {"f"}}}).answer(question), "alle zehn");

    // No record for all ten, but one for each set of nine: 11 searches and a draw.
    std::vector<TestRecord> records;
    for (std::size_t left = 0; left < words.size(); ++left) {
        Texts nine = words;
        nine.erase(nine.begin() + static_cast<std::ptrdiff_t>(left));
        records.push_back({nine, {"ohne " + words[left]}});
    }
    records.push_back({{kFallback}, {"f"}});
    auto nines = makeEngine(records);
    seedRandom(77);
    std::uint32_t state = 77;
    const int drawn = stepRandom(state);
    // The found keywords follow the index: BRAVO (first record) comes first, ALPHA last.
    const auto found = analyseQuestion(question, nines.keywordIndex()).foundKeywords;
    ASSERT_EQ(found.size(), 10u);
    EXPECT_EQ(nines.answer(question), "ohne " + found[static_cast<std::size_t>(drawn) % 10]);
    EXPECT_EQ(randomState(), state);
}

TEST(AnswerSelection, NineOrMoreKeywordsWithoutEarlyMatchSearchTheFirstEight)
{
    const Texts words{"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT", "GOLF", "HOTEL", "INDIA",
                      "JULIETT", "KILO", "LIMA"};
    std::vector<TestRecord> records;
    for (std::size_t i = 0; i < words.size(); ++i) {
        // A record for a pair of neighbours, and one that can never match.
        records.push_back({{words[i], words[(i + 1) % words.size()]}, {"paar " + words[i], "paar' " + words[i]}});
        records.push_back({{words[i], "NIE"}, {"nie"}});
    }
    records.push_back({{kFallback}, {"f1", "f2", "f3"}});
    auto engine = makeEngine(records);
    plain::CPlainOracle reference = referenceOf(records, 0);
    for (const std::size_t n : {std::size_t{9}, words.size()}) {
        seedRandom(reference.randomState = 1000 + static_cast<std::uint32_t>(n));
        const Texts found(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_EQ(engine.search(found), reference.search(Texts(found.begin(), found.begin() + 8))) << n;
        EXPECT_EQ(randomState(), reference.randomState) << n;
        for (std::size_t r = 0; r < records.size(); ++r) {
            EXPECT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << n << " record " << r;
        }
    }
}

// Twenty keywords, the fallback keyword among them: the full search runs over its budget
// after reaching the fallback record first as the empty set and then as the set of the
// fallback keyword, and must put every cursor back as it was before searching the first
// eight. Within budget, the same many keywords search in full.
TEST(AnswerSelection, ManyKeywordsOverBudgetPutEveryCursorBack)
{
    Texts words;
    for (char c = 'A'; c < 'A' + 19; ++c) {
        words.push_back(std::string(3, c));
    }
    // Next to last: the search reaches {S} and the empty set before the fallback keyword alone.
    words.insert(words.begin() + 18, kFallback);
    std::vector<TestRecord> records{{{kFallback}, {"f1", "f2", "f3", "f4", "f5"}}};
    for (std::size_t i = 0; i + 1 < 18; i += 2) {
        // Answer counts that differ, so that the moves of a search are seen in the cursors.
        Texts answers{"paar " + words[i]};
        answers.resize(2 + i / 2, "noch eine");
        records.push_back({{words[i], words[i + 1]}, answers});
    }
    std::vector<TestRecord> nineteens = records;
    for (std::size_t left = 0; left < words.size(); ++left) {
        Texts nineteen = words;
        nineteen.erase(nineteen.begin() + static_cast<std::ptrdiff_t>(left));
        nineteens.push_back({nineteen, {"ohne " + words[left]}});
    }
    for (const bool withinBudget : {false, true}) {
        const auto& fileRecords = withinBudget ? nineteens : records;
        auto engine = makeEngine(fileRecords);
        plain::CPlainOracle reference = referenceOf(fileRecords, 0);
        for (std::uint32_t round = 0; round < 3; ++round) {
            seedRandom(reference.randomState = 500u + round);
            const Texts searched = withinBudget ? words : Texts(words.begin(), words.begin() + 8);
            EXPECT_EQ(engine.search(words), reference.search(searched)) << withinBudget << round;
            EXPECT_EQ(randomState(), reference.randomState) << withinBudget << round;
            for (std::size_t r = 0; r < fileRecords.size(); ++r) {
                ASSERT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << withinBudget << round << r;
            }
        }
    }
}
