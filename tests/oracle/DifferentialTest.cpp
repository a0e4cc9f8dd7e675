// The engine against the plain walks over every keyword, record and word pair, on random
// knowledge files and random questions: the same answers, cursors and generator state after
// every question. The answer fuzzer compares the keyword scan and the word swap alone.
#include "OracleTestSupport.h"
#include "PlainOracle.h"

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
        plain::CPlainOracle reference{{}, randomState()};
        for (const CKeywordRecord& record : engine.records()) {
            reference.records.push_back({record.keywords(), record.answers(), record.cursor()});
        }
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
                // Distinct keywords straight for the search, also ones no record holds; now and then eight.
                std::vector<std::string> list;
                for (const int size = random.chance(1) ? 7 + random.below(2) : random.below(7); int(list.size()) < size;) {
                    const std::string next =
                        random.chance(10) ? "UNBEKANNT" + std::to_string(random.below(3)) : random.pick(kVocabulary);
                    if (std::find(list.begin(), list.end(), next) == list.end()) {
                        list.push_back(next);
                    }
                }
                what += " list of " + std::to_string(list.size());
                ASSERT_EQ(engine.search(list), reference.search(list)) << what;
            }
            ASSERT_EQ(randomState(), reference.randomState) << what;
            for (std::size_t r = 0; r < reference.records.size(); ++r) {
                ASSERT_EQ(engine.records()[r].cursor(), reference.records[r].cursor) << what << ", record " << r;
            }
            ++compared;
            withDraws += randomState() != before;
        }
    }
    EXPECT_GT(compared, 3500);
    EXPECT_GT(withDraws, 1000);  // the random files do reach the pools
}
