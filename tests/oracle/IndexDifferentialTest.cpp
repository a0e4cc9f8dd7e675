// The indexed keyword scan and the indexed word swap against the plain walks over every
// keyword and every pair, on random files full of words that overlap, repeat and contain
// one another.
#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/CWordPairs.h"
#include "oracle/KeywordIndex.h"
#include "oracle/QuestionAnalysis.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

class CRandomPieces {
public:
    explicit CRandomPieces(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }

    template <typename T>
    const T& pick(const std::vector<T>& from) { return from[static_cast<std::size_t>(below(int(from.size())))]; }

    // A few short pieces over few letters, so that words often contain one another.
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

    // Pieces of the given words (whole ones too) between joins, at most 200 bytes.
    std::string textFrom(const std::vector<std::string>& words, const std::vector<std::string>& joins)
    {
        std::string text;
        for (int n = below(12); n > 0 && !words.empty(); --n) {
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

const std::vector<std::string> kKeywordPieces{"LI", "EB", "E", "A", "B", "AB", " ", "\xC4", "\xDC", "\xDF", "-", "?"};

// Keyword files as the reader gives them: records of one to three keywords, keywords that
// several records share, a record listing one twice, now and then an empty keyword.
std::vector<TestRecord> randomKeywordRecords(CRandomPieces& random)
{
    std::vector<std::string> used;
    std::vector<TestRecord> records;
    for (int r = random.below(40); r > 0; --r) {
        TestRecord record{{}, {"a" + std::to_string(r)}};
        for (int k = 1 + random.below(3); k > 0; --k) {
            const bool again = !used.empty() && random.chance(30);
            std::string keyword = again ? random.pick(used) : random.word(kKeywordPieces, random.chance(3) ? 0 : 5);
            record.keywords.push_back(random.mixedCase(keyword));
            used.push_back(keyword);
        }
        records.push_back(record);
    }
    return records;
}

} // namespace

TEST(IndexDifferential, KeywordScanFindsWhatThePlainWalkFinds)
{
    int found = 0;
    int withContainment = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        CRandomPieces random(seed);
        const CAnswerEngine engine = makeEngine(randomKeywordRecords(random));
        const std::vector<std::string>& keywordIndex = engine.keywordIndex();
        const CKeywordIndex index(keywordIndex);
        for (int q = 0; q < 40; ++q) {
            const std::string question = random.textFrom(keywordIndex, {"", " ", ", ", "!", "\xE4", "?"});
            const std::string scan = plain::upper(question);
            const auto expected = plain::scanKeywords(scan, keywordIndex);
            ASSERT_EQ(index.findKeywords(scan), expected) << "file " << seed << " question \"" << question << "\"";
            ASSERT_EQ(analyseQuestion(question, keywordIndex).foundKeywords, expected) << seed;
            found += !expected.empty();
            std::set<std::string> occurring;
            for (const std::string& keyword : keywordIndex) {
                if (scan.find(keyword) != std::string::npos) {
                    occurring.insert(keyword);
                }
            }
            withContainment += expected.size() + 1 < occurring.size();
        }
    }
    EXPECT_GT(found, 8000);  // most questions do find keywords
    EXPECT_GT(withContainment, 4000);  // and drop at least two that longer ones contain
}

TEST(IndexDifferential, KeywordLookUpByText)
{
    const CKeywordIndex index({"LIEBE", "LIEB", "", "LIEBE", "\xDC" "BER"});
    EXPECT_EQ(index.keywords().size(), 5u);
    ASSERT_TRUE(index.idOf("LIEB") && index.idOf("LIEBE") && index.idOf("") && index.idOf("\xDC" "BER"));
    EXPECT_NE(*index.idOf("LIEB"), *index.idOf("LIEBE"));
    EXPECT_FALSE(index.idOf("LIE"));
    EXPECT_FALSE(index.idOf("LIEBEN"));
    EXPECT_FALSE(CKeywordIndex().idOf(""));
    EXPECT_TRUE(CKeywordIndex().findKeywords("IRGENDWAS").empty());
}

namespace {

const std::vector<std::string> kPairPieces{"ich", "du", "m", "d", "ICH", "\xE4", "\xC4", "\xDF", " ", "     ", ",", "!", "x"};

// Pairs with words that hold one another, blanks (also in front and in runs), separators,
// umlauts in both cases; pairs repeated; long words that make the mirror grow; now and
// then an empty or separator-only word.
std::vector<std::pair<std::string, std::string>> randomPairs(CRandomPieces& random)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int p = random.below(25); p > 0; --p) {
        if (!pairs.empty() && random.chance(15)) {
            pairs.push_back(random.pick(pairs));
            continue;
        }
        std::string from = random.word(kPairPieces, 3);
        std::string to = random.chance(10) ? std::string(static_cast<std::size_t>(random.below(40)), ' ') + "y"
                                           : random.word(kPairPieces, 3);
        if (random.chance(10)) {
            from = std::string(static_cast<std::size_t>(1 + random.below(3)), ' ') + from;
        }
        pairs.emplace_back(from, to);
    }
    return pairs;
}

} // namespace

TEST(IndexDifferential, WordSwapSwapsWhatThePlainWalkSwaps)
{
    int changed = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        CRandomPieces random(seed);
        const auto pairs = randomPairs(random);
        std::vector<SWordPair> table;
        std::vector<std::string> words;
        for (const auto& [from, to] : pairs) {
            table.push_back({from, to});
            words.insert(words.end(), {from, to});
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
