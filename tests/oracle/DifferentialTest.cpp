// The engine against the plain walks over every keyword, record and word pair, on random
// knowledge files and random questions: the same keywords, swaps, answers, cursors and
// generator state after every question.
#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/CWordPairs.h"
#include "oracle/KeywordIndex.h"
#include "oracle/QuestionAnalysis.h"
#include "oracle/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

class CRandomText {
public:
    explicit CRandomText(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& from) { return from[static_cast<std::size_t>(below(int(from.size())))]; }

    // Up to `most` pieces over few letters, so that words often contain one another.
    std::string word(const std::vector<std::string>& pieces, int most)
    {
        std::string word;
        for (int n = below(most + 1); n > 0; --n) {
            word += pick(pieces);
        }
        return word;
    }
    // Now and then a letter in small case: the scan and the swap fold it.
    std::string mixedCase(std::string text)
    {
        for (char& c : text) {
            const auto b = static_cast<unsigned char>(c);
            if (chance(40) && ((b >= 'A' && b <= 'Z') || b == 0xC4 || b == 0xD6 || b == 0xDC)) {
                c = static_cast<char>(b + 32);
            }
        }
        return text;
    }
    // Whole words and pieces of them between joins, at most 200 bytes.
    std::string textFrom(const std::vector<std::string>& words, const std::vector<std::string>& joins, int most = 12)
    {
        std::string text;
        for (int n = below(most); n > 0 && !words.empty(); --n) {
            const std::string& source = pick(words);
            const auto start = static_cast<std::size_t>(below(int(source.size()) + 1));
            const std::string piece = chance(50) ? source : source.substr(start, static_cast<std::size_t>(below(6)));
            text += mixedCase(piece) + pick(joins);
        }
        return text.substr(0, 200);
    }

private:
    std::mt19937 random_;
};

const std::vector<std::string> kVocabulary{
    "ROT", "ROTE", "OT", "GRUEN", "BLAU", "GELB", "WEISS", "LILA", "ROSA", "GRAU", "BRAUN",
    "ICH", "MICH", "\xC4PFEL", "GR\xDC\xDF", "-NICHTS GEFUNDEN-"};
const std::vector<std::string> kKeywordPieces{"LI", "EB", "E", "A", "B", "AB", " ", "\xC4", "\xDC", "\xDF", "-", "?"};
const std::vector<std::string> kPairPieces{"ich", "du", "m", "d", "ICH", "\xE4", "\xC4", "\xDF", " ", "     ", ",", "!", "x"};

// Records of one to three keywords from the vocabulary, answers empty, plain or echoing, and
// mostly a fallback somewhere.
std::vector<TestRecord> randomRecords(CRandomText& random)
{
    const auto answers = [&](int record) {
        std::vector<std::string> texts;
        for (int a = random.below(5); a > 0; --a) {
            const std::string name = "r" + std::to_string(record) + "a" + std::to_string(a);
            texts.push_back(random.chance(12) ? "" : random.chance(25) ? name + " sagt *, und *" : name);
        }
        return texts;
    };
    std::vector<TestRecord> records;
    for (int r = random.below(20); r > 0; --r) {
        TestRecord record{{}, answers(r)};
        for (int k = 1 + random.below(3); k > 0; --k) {
            record.keywords.push_back(random.chance(5) ? std::string("NIE") : random.pick(kVocabulary));
        }
        records.push_back(record);
    }
    if (random.chance(75)) {
        const auto at = static_cast<std::ptrdiff_t>(random.below(int(records.size()) + 1));
        records.insert(records.begin() + at, TestRecord{{"-NICHTS GEFUNDEN-"}, answers(99)});
    }
    return records;
}

// Distinct keywords straight for the search, also ones no record holds; now and then eight.
std::vector<std::string> randomKeywordList(CRandomText& random)
{
    std::vector<std::string> list;
    const int size = random.chance(1) ? 7 + random.below(2) : random.below(7);
    while (static_cast<int>(list.size()) < size) {
        const std::string next = random.chance(10) ? "UNBEKANNT" + std::to_string(random.below(3)) : random.pick(kVocabulary);
        if (std::find(list.begin(), list.end(), next) == list.end()) {
            list.push_back(next);
        }
    }
    return list;
}

plain::CPlainOracle referenceFor(const CAnswerEngine& engine)
{
    plain::CPlainOracle reference;
    for (const CKeywordRecord& record : engine.records()) {
        reference.records.push_back({record.keywords(), record.answers(), record.cursor()});
    }
    reference.randomState = randomState();
    return reference;
}

void expectSameState(const CAnswerEngine& engine, const plain::CPlainOracle& reference, const std::string& what)
{
    ASSERT_EQ(randomState(), reference.randomState) << what;
    for (std::size_t r = 0; r < reference.records.size(); ++r) {
        ASSERT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << what << ", record " << r;
    }
}

} // namespace

TEST(Differential, AnswersCursorsAndGeneratorMatchThePlainRecursion)
{
    int compared = 0;
    int withDraws = 0;
    for (unsigned fileSeed = 1; fileSeed <= 100; ++fileSeed) {
        CRandomText random(fileSeed);
        const auto records = randomRecords(random);
        Pairs pairs{{"mich", "dich"}, {"ich", "du"}, {"rot", "blau"}, {"Gelb", "lila"}};
        pairs.resize(static_cast<std::size_t>(random.below(5)));
        auto engine = makeEngine(records, pairs);
        seedRandom(fileSeed * 7919u);
        auto reference = referenceFor(engine);
        for (int step = 0; step < 40; ++step) {
            const std::uint32_t before = randomState();
            std::string what = "file " + std::to_string(fileSeed) + " step " + std::to_string(step);
            if (random.chance(50)) {
                const std::string question = (random.chance(30) ? "Sag mir " : "") +
                                             random.textFrom(kVocabulary, {" ", ", ", " und ", ". ", "? ", "!"}, 7);
                const auto found = reference.findKeywords(question);
                if (found.size() > CAnswerEngine::kExactKeywordLimit) {
                    continue;
                }
                what += " question \"" + question + "\"";
                const std::string result = reference.search(found);
                ASSERT_EQ(engine.answer(question),
                          found.size() == 1 ? plain::echo(result, question, found[0], pairs) : result) << what;
            } else {
                const auto list = randomKeywordList(random);
                what += " list of " + std::to_string(list.size());
                ASSERT_EQ(engine.search(list), reference.search(list)) << what;
            }
            expectSameState(engine, reference, what);
            ++compared;
            withDraws += randomState() != before;
        }
    }
    EXPECT_GT(compared, 3500);
    EXPECT_GT(withDraws, 1000);  // the random files do reach the pools
}

TEST(Differential, EightKeywordsWithEmptyAnswersOnEveryLevel)
{
    // The worst case within the full search: records for many sub-sets, all giving empty
    // answers now and then, so that the search goes down everywhere.
    const std::vector<std::string> words{"ROT", "GRUEN", "BLAU", "GELB", "WEISS", "LILA", "ROSA", "GRAU"};
    std::vector<TestRecord> records;
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (std::size_t j = i + 1; j < words.size(); j += 2) {
            records.push_back({{words[i], words[j]}, {"", words[i] + "+" + words[j], ""}});
        }
        records.push_back({{words[i]}, {"", words[i]}});
    }
    records.push_back({{"-NICHTS GEFUNDEN-"}, {"f1", "", "f3"}});
    auto engine = makeEngine(records);
    seedRandom(4242);
    auto reference = referenceFor(engine);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(engine.search(words), reference.search(words)) << round;
        expectSameState(engine, reference, "round " + std::to_string(round));
    }
}

// Keywords that overlap, repeat and contain one another, an empty one now and then.
TEST(Differential, KeywordScanFindsWhatThePlainWalkFinds)
{
    int withContainment = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        CRandomText random(seed);
        std::vector<TestRecord> records;
        for (int r = random.below(40); r > 0; --r) {
            records.push_back({{random.mixedCase(random.word(kKeywordPieces, random.chance(3) ? 0 : 5))}, {"a"}});
            if (records.size() > 1 && random.chance(30)) {
                records.back().keywords.push_back(random.pick(records).keywords[0]);
            }
        }
        const CAnswerEngine engine = makeEngine(records);
        const std::vector<std::string>& keywords = engine.keywordIndex();
        for (int q = 0; q < 40; ++q) {
            const std::string question = random.textFrom(keywords, {"", " ", ", ", "!", "\xE4", "?"});
            const auto expected = plain::scanKeywords(plain::upper(question), keywords);
            ASSERT_EQ(analyseQuestion(question, keywords).foundKeywords, expected) << seed << " \"" << question << "\"";
            withContainment += std::count_if(keywords.begin(), keywords.end(), [&](const std::string& k) {
                                   return plain::upper(question).find(k) != std::string::npos;
                               }) > static_cast<long>(expected.size()) + 1;
        }
    }
    EXPECT_GT(withContainment, 4000);  // most questions drop two keywords that longer ones contain
    const CKeywordIndex index({"LIEBE", "LIEB", "", "LIEBE", "\xDC" "BER"});
    ASSERT_TRUE(index.idOf("LIEB") && index.idOf("LIEBE") && index.idOf(""));
    EXPECT_NE(*index.idOf("LIEB"), *index.idOf("LIEBE"));
    EXPECT_FALSE(index.idOf("LIE") || index.idOf("LIEBEN") || CKeywordIndex().idOf(""));
}

// Pairs whose words hold one another, with blanks in front and in runs, umlauts in both cases,
// repeated pairs, and now and then an empty or separator-only word.
TEST(Differential, WordSwapSwapsWhatThePlainWalkSwaps)
{
    int changed = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        CRandomText random(seed);
        Pairs pairs;
        std::vector<SWordPair> table;
        std::vector<std::string> words;
        for (int p = random.below(25); p > 0; --p) {
            std::string from = std::string(random.chance(10) ? 1 + random.below(3) : 0, ' ') + random.word(kPairPieces, 3);
            std::string to = random.chance(10) ? std::string(random.below(40), ' ') + "y" : random.word(kPairPieces, 3);
            pairs.push_back(!pairs.empty() && random.chance(15) ? random.pick(pairs) : std::pair{from, to});
            table.push_back({pairs.back().first, pairs.back().second});
            words.insert(words.end(), {pairs.back().first, pairs.back().second});
        }
        const CWordPairs wordPairs(table);
        for (int t = 0; t < 30; ++t) {
            const std::string tail = random.textFrom(words, {" ", "", ", ", "  ", "-", "."});
            std::string swapped = tail;
            wordPairs.swapWords(swapped);
            ASSERT_EQ(swapped, plain::swapWords(tail, pairs)) << "pairs " << seed << " tail \"" << tail << "\"";
            changed += swapped != tail;
        }
    }
    EXPECT_GT(changed, 3000);
}
