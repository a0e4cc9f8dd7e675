#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/QuestionAnalysis.h"
#include "oracle/Random.h"

#include <gtest/gtest.h>

#include <set>

using Texts = std::vector<std::string>;

namespace {

const std::string kFallback = "-NICHTS GEFUNDEN-";

// The answers of `count` questions in a row.
Texts askRepeatedly(CAnswerEngine& engine, const std::string& question, int count)
{
    Texts answers;
    for (int i = 0; i < count; ++i) {
        answers.push_back(engine.answer(question));
    }
    return answers;
}

std::uint32_t stateAfterDraws(std::uint32_t state, int draws)
{
    for (int i = 0; i < draws; ++i) {
        stepRandom(state);
    }
    return state;
}

} // namespace

TEST(RandomGenerator, StepsAsTheProcessWideLinearCongruence)
{
    seedRandom(0);
    EXPECT_EQ(drawRandom(), 38);  // 2531011 >> 16
    EXPECT_EQ(randomState(), 2531011u);
    seedRandom(1);
    EXPECT_EQ(drawRandom(), 41);
    EXPECT_EQ(drawRandom(), 18467);
    EXPECT_EQ(drawRandom(), 6334);
    seedRandom(0xFFFFFFFFu);  // bit 31 never shows
    for (int i = 0; i < 1000; ++i) {
        const int drawn = drawRandom();
        ASSERT_GE(drawn, 0);
        ASSERT_LE(drawn, 32767);
    }
    std::uint32_t own = 1;
    EXPECT_EQ(stepRandom(own), 41);
    EXPECT_EQ(own, 1u * 214013u + 2531011u);
}

TEST(AnswerSelection, ARecordGivesItsAnswersInTurnWithoutDrawing)
{
    auto engine = makeEngine({{{"LIEBE"}, {"eins", "zwei", "drei"}}, {{kFallback}, {"?"}}});
    seedRandom(99);
    EXPECT_EQ(askRepeatedly(engine, "Was ist Liebe", 4), (Texts{"eins", "zwei", "drei", "eins"}));
    EXPECT_EQ(randomState(), 99u);
    EXPECT_EQ(engine.records()[0].cursor(), 1u);
}

TEST(AnswerSelection, TwoKeywordRecordAnswersWhicheverOrderTheFileLists)
{
    for (const Texts& keywords : {Texts{"LIEBT", "MICH"}, Texts{"MICH", "LIEBT"}}) {
        auto engine = makeEngine({{{"LIEBT"}, {"nur liebt"}}, {keywords, {"beide"}}, {{kFallback}, {"?"}}});
        seedRandom(5);
        EXPECT_EQ(engine.answer("Liebt er mich"), "beide");
        EXPECT_EQ(randomState(), 5u);
    }
}

TEST(AnswerSelection, NoKeywordGivesTheFallbackInTurnWithoutDrawing)
{
    auto engine = makeEngine({{{"A"}, {"a"}}, {{kFallback}, {"f1", "f2"}}, {{kFallback}, {"never"}}});
    seedRandom(3);
    EXPECT_EQ(askRepeatedly(engine, "xyz", 3), (Texts{"f1", "f2", "f1"}));
    EXPECT_EQ(randomState(), 3u);
}

TEST(AnswerSelection, OneUnknownKeywordDrawsOnceFromAPoolOfOne)
{
    auto engine = makeEngine({{{"A", "B"}, {"ab"}}, {{kFallback}, {"f1", "f2"}}});
    seedRandom(11);
    EXPECT_EQ(engine.answer("a"), "f1");
    EXPECT_EQ(randomState(), stateAfterDraws(11, 1));
}

TEST(AnswerSelection, TwoKeywordsWithoutTheirRecordDrawBetweenBothSubsets)
{
    // Pool = [search of B alone (the fallback), search of A alone]; both cursors move.
    std::set<std::string> seen;
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        // The third record only puts B into the index; it never matches.
        auto engine = makeEngine({{{"A"}, {"a1", "a2"}}, {{kFallback}, {"f1", "f2"}}, {{"B", "NIE"}, {"nie"}}});
        seedRandom(seed);
        // The search of B alone draws first, from its pool of one fallback answer.
        std::uint32_t expectedState = stateAfterDraws(seed, 1);
        const int drawn = stepRandom(expectedState);
        const std::string answer = engine.answer("b a");
        EXPECT_EQ(answer, drawn % 2 == 0 ? "f1" : "a1");
        EXPECT_EQ(randomState(), expectedState);
        EXPECT_EQ(engine.records()[0].cursor(), 1u);
        EXPECT_EQ(engine.records()[1].cursor(), 1u);
        seen.insert(answer);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"a1", "f1"}));
}

TEST(AnswerSelection, EveryPathAdvancesTheCursorsAgain)
{
    // Three keywords, no records but the fallback: e * 3! = 16 searches, 6 paths to the
    // empty set, so the fallback is asked six times; 1 + 3 + 6 draws... of which the pools
    // with candidates: the top, three pairs and six singles = 10 draws.
    auto engine = makeEngine({{{"A", "X"}, {}}, {{"B", "X"}, {}}, {{"C", "X"}, {}},
                              {{kFallback}, {"f0", "f1", "f2", "f3", "f4"}}});
    seedRandom(1234);
    engine.answer("a b c");
    EXPECT_EQ(engine.records()[3].cursor(), 6u % 5u);
    EXPECT_EQ(randomState(), stateAfterDraws(1234, 10));
}

TEST(AnswerSelection, OnlyTheFirstRecordOfAKeywordSetAnswers)
{
    auto engine = makeEngine({{{"A", "B"}, {"first"}}, {{"B", "A"}, {"second"}}, {{kFallback}, {"f"}}});
    EXPECT_EQ(askRepeatedly(engine, "a b", 2), (Texts{"first", "first"}));
    EXPECT_EQ(engine.records()[1].cursor(), 0u);
}

TEST(AnswerSelection, AnEmptyAnswerCountsAsNoMatchButItsCursorMoves)
{
    auto engine = makeEngine({{{"A"}, {"", "a2"}}, {{kFallback}, {"f1", "f2"}}});
    seedRandom(8);
    EXPECT_EQ(engine.answer("a"), "f1");  // the empty answer passes on to the fallback
    EXPECT_EQ(engine.records()[0].cursor(), 1u);
    EXPECT_EQ(randomState(), stateAfterDraws(8, 1));
    EXPECT_EQ(engine.answer("a"), "a2");
    EXPECT_EQ(engine.records()[0].cursor(), 0u);
}

TEST(AnswerSelection, ARecordWithoutAnswersIsPassedOverAndKeepsItsCursor)
{
    auto engine = makeEngine({{{"A"}, {}}, {{kFallback}, {"f1", "f2"}}});
    seedRandom(8);
    EXPECT_EQ(engine.answer("a"), "f1");
    EXPECT_EQ(engine.records()[0].cursor(), 0u);
    EXPECT_EQ(randomState(), stateAfterDraws(8, 1));
}

TEST(AnswerSelection, WithoutAUsableFallbackTheAnswerIsEmptyAndNothingIsDrawn)
{
    auto noFallback = makeEngine({{{"A"}, {"a"}}});
    seedRandom(21);
    EXPECT_EQ(noFallback.answer("nichts"), "");
    EXPECT_EQ(noFallback.answer("b"), "");
    EXPECT_EQ(randomState(), 21u);

    // The fallback's empty answer empties the pool of the one-keyword question.
    auto emptyFallback = makeEngine({{{"B", "C"}, {"bc"}}, {{kFallback}, {"", "f2"}}});
    EXPECT_EQ(emptyFallback.answer("b"), "");
    EXPECT_EQ(randomState(), 21u);
    EXPECT_EQ(emptyFallback.answer("b"), "f2");
    EXPECT_EQ(randomState(), stateAfterDraws(21, 1));

    auto empty = CAnswerEngine::fromFileBytes("", "");
    EXPECT_EQ(empty.answer(""), "");
    EXPECT_EQ(empty.answer("Liebt sie mich?"), "");
}

TEST(AnswerSelection, ARecordListingAKeywordTwiceNeverMatches)
{
    auto engine = makeEngine({{{"A", "A"}, {"doppelt"}}, {{"A", "B", "A"}, {"auch"}}, {{kFallback}, {"f"}}});
    EXPECT_EQ(engine.answer("a"), "f");
    EXPECT_EQ(engine.answer("a b"), "f");
    EXPECT_EQ(engine.records()[0].cursor(), 0u);
    EXPECT_EQ(engine.records()[1].cursor(), 0u);
}

TEST(AnswerSelection, TheFallbackKeywordTypedIsOneMorePathToTheFallback)
{
    auto engine = makeEngine({{{"A"}, {"a1", "a2"}}, {{kFallback}, {"f1", "f2", "f3"}}});
    EXPECT_EQ(engine.answer("-nichts gefunden-"), "f1");
    // {A, NF}: the pool is [search of NF alone, search of A alone]; the fallback moves once.
    seedRandom(0);
    engine.answer("a -nichts gefunden-");
    EXPECT_EQ(engine.records()[1].cursor(), 2u);
    EXPECT_EQ(engine.records()[0].cursor(), 1u);
}

// Above 8 found keywords: the full search when it stays within what 8 can need.
TEST(AnswerSelection, NineOrMoreKeywordsSearchInFullWhenARecordCutsItShort)
{
    const Texts words{"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT", "GOLF", "HOTEL", "INDIA",
                      "JULIETT"};
    const std::string question = "alpha bravo charlie delta echo foxtrot golf hotel india juliett";
    auto whole = makeEngine({{words, {"alle zehn"}}, {{kFallback}, {"f"}}});
    EXPECT_EQ(whole.answer(question), "alle zehn");

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
    plain::CPlainOracle reference;
    for (std::size_t i = 0; i < words.size(); ++i) {
        // A record for a pair of neighbours, and one that can never match.
        const Texts pairKeywords{words[i], words[(i + 1) % words.size()]};
        records.push_back({pairKeywords, {"paar " + std::to_string(i), "paar' " + std::to_string(i)}});
        records.push_back({{words[i], "NIE"}, {"nie"}});
    }
    records.push_back({{kFallback}, {"f1", "f2", "f3"}});
    for (const TestRecord& record : records) {
        reference.records.push_back({record.keywords, record.answers, 0});
    }
    auto engine = makeEngine(records);
    for (const std::size_t n : {std::size_t{9}, words.size()}) {
        const Texts found(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n));
        seedRandom(1000 + static_cast<std::uint32_t>(n));
        reference.randomState = 1000 + static_cast<std::uint32_t>(n);
        const Texts firstEight(found.begin(), found.begin() + 8);
        EXPECT_EQ(engine.search(found), reference.search(firstEight)) << n;
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
        plain::CPlainOracle reference;
        for (const TestRecord& record : fileRecords) {
            reference.records.push_back({record.keywords, record.answers, 0});
        }
        for (int round = 0; round < 3; ++round) {
            seedRandom(500u + static_cast<std::uint32_t>(round));
            reference.randomState = randomState();
            const Texts searched = withinBudget ? words : Texts(words.begin(), words.begin() + 8);
            EXPECT_EQ(engine.search(words), reference.search(searched)) << withinBudget << round;
            EXPECT_EQ(randomState(), reference.randomState) << withinBudget << round;
            for (std::size_t r = 0; r < fileRecords.size(); ++r) {
                ASSERT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << withinBudget << round << r;
            }
        }
    }
}
