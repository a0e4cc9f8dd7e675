#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/Random.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

namespace {

const std::string kFallback = "-NICHTS GEFUNDEN-";
const std::string kAny = "\x01"; // an answer the generator chooses; what follows shows the effects

} // namespace

// The draws the plain reference's generator also makes: the differential tests compare them,
// and the worked examples below step a state of their own the same way.
TEST(RandomGenerator, StepsAsTheProcessWideLinearCongruence)
{
    seedRandom(1);
    for (const int expected : {41, 18467, 6334}) {
        EXPECT_EQ(drawRandom(), expected);
    }
    seedRandom(0);
    EXPECT_EQ(drawRandom(), 38); // 2531011 >> 16
}

// The questions asked in turn of one knowledge file, the answers, and how often the generator
// was drawn in all: worked examples of the rules. Files without a fallback or without answers
// are among the differential tests' random files.
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
        {"two keywords in another order", {{{"LIEBT"}, {"nur"}}, {{"MICH", "LIEBT"}, {"beide"}}, {{kFallback}, {"?"}}},
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
        {"the fallback's empty answer empties the pool", {{{"B", "C"}, {"bc"}}, {{kFallback}, {"", "f2"}}},
         {"b", "b"}, {"", "f2"}, 1},
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
        std::uint32_t state = 1234;
        for (int i = 0; i < c.draws; ++i) {
            stepRandom(state);
        }
        EXPECT_EQ(randomState(), state) << c.what;
    }
}

// Above 8 keywords the full search runs while it stays within what 8 can need, else the first
// eight are searched and every cursor is put back as it was: the same answers, cursors and
// generator state as the plain search of the keywords named.
TEST(AnswerSelection, BeyondEightKeywordsSearchInFullWithinBudgetElseTheFirstEight)
{
    Texts words;
    for (char c = 'A'; c < 'A' + 19; ++c) {
        words.push_back(std::string(3, c));
    }
    // Next to last: the search reaches {S} and the empty set before the fallback keyword alone.
    words.insert(words.begin() + 18, kFallback);
    const auto without = [](Texts all, std::size_t left) {
        all.erase(all.begin() + static_cast<std::ptrdiff_t>(left));
        return all;
    };
    const auto first = [&words](std::size_t n) {
        return Texts(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n));
    };
    std::vector<TestRecord> all{{first(10), {"alle zehn"}}, {{kFallback}, {"f"}}}, nines{{{kFallback}, {"f"}}};
    std::vector<TestRecord> pairs{{{kFallback}, {"f1", "f2", "f3"}}};
    std::vector<TestRecord> overBudget{{{kFallback}, {"f1", "f2", "f3", "f4", "f5"}}};
    for (std::size_t i = 0; i < 12; ++i) {
        nines.push_back({without(first(10), i % 10), {"ohne " + words[i % 10]}});
        // A record for a pair of neighbours, and one that can never match.
        pairs.push_back({{words[i], words[(i + 1) % 12]}, {"paar " + words[i], "paar' " + words[i]}});
        pairs.push_back({{words[i], "NIE"}, {"nie"}});
    }
    nines.resize(11);
    for (std::size_t i = 0; i + 1 < 18; i += 2) {
        // Answer counts that differ, so that the moves of a search are seen in the cursors.
        Texts answers{"paar " + words[i]};
        answers.resize(2 + i / 2, "noch eine");
        overBudget.push_back({{words[i], words[i + 1]}, answers});
    }
    std::vector<TestRecord> nineteens = overBudget;
    for (std::size_t left = 0; left < words.size(); ++left) {
        nineteens.push_back({without(words, left), {"ohne " + words[left]}});
    }
    // Not cut to eight before the search.
    EXPECT_EQ(makeEngine(all).answer("aaa bbb ccc ddd eee fff ggg hhh iii jjj"), "alle zehn");
    const struct {
        const std::vector<TestRecord>& records;
        std::size_t asked, searched;
        std::uint32_t rounds;
    } cases[] = {{all, 10, 10, 1}, {nines, 10, 10, 1}, {pairs, 9, 8, 1}, {pairs, 12, 8, 1},
                 {overBudget, 20, 8, 3}, {nineteens, 20, 20, 3}};
    for (const auto& c : cases) {
        auto engine = makeEngine(c.records);
        plain::CPlainOracle reference;
        for (const TestRecord& record : c.records) {
            reference.records.push_back({record.keywords, record.answers, 0});
        }
        for (std::uint32_t round = 0; round < c.rounds; ++round) {
            const std::string what =
                std::to_string(c.asked) + " of " + std::to_string(c.records.size()) + ", round " + std::to_string(round);
            seedRandom(reference.randomState = 500u + round);
            EXPECT_EQ(engine.search(first(c.asked)), reference.search(first(c.searched))) << what;
            EXPECT_EQ(randomState(), reference.randomState) << what;
            for (std::size_t r = 0; r < c.records.size(); ++r) {
                ASSERT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << what << ", record " << r;
            }
        }
    }
}
