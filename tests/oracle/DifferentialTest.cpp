// The engine against the plain recursion over keyword lists, on random knowledge files and
// random questions: the same answers, the same cursors and the same generator state after
// every question.
#include "OracleTestSupport.h"
#include "PlainOracle.h"

#include "oracle/QuestionAnalysis.h"
#include "oracle/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const std::vector<std::string> kVocabulary{
    "ROT", "ROTE", "OT", "GRUEN", "BLAU", "GELB", "WEISS", "LILA", "ROSA", "GRAU", "BRAUN",
    "ICH", "MICH", "\xC4PFEL", "GR\xDC\xDF", "-NICHTS GEFUNDEN-"};

class CRandomKnowledge {
public:
    explicit CRandomKnowledge(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    const std::string& word() { return kVocabulary[static_cast<std::size_t>(below(int(kVocabulary.size())))]; }

    std::vector<TestRecord> records()
    {
        std::vector<TestRecord> records;
        const int count = below(20);
        for (int r = 0; r < count; ++r) {
            TestRecord record;
            const int keywords = 1 + below(3);
            for (int k = 0; k < keywords; ++k) {
                record.keywords.push_back(chance(5) ? std::string("NIE") : word());
            }
            record.answers = answers(r);
            records.push_back(record);
        }
        if (chance(75)) {
            const auto at = static_cast<std::ptrdiff_t>(below(int(records.size()) + 1));
            records.insert(records.begin() + at, TestRecord{{"-NICHTS GEFUNDEN-"}, answers(99)});
        }
        return records;
    }

    std::vector<std::string> answers(int record)
    {
        std::vector<std::string> answers;
        const int count = below(5);
        for (int a = 0; a < count; ++a) {
            const std::string name = "r" + std::to_string(record) + "a" + std::to_string(a);
            answers.push_back(chance(12) ? "" : chance(25) ? name + " sagt *, und *" : name);
        }
        return answers;
    }

    // Mostly up to six words, now and then eight (the plain recursion is slow for those),
    // in mixed case, between blanks, commas and an occasional sentence end.
    std::string question()
    {
        static const std::vector<std::string> kJoins{" ", ", ", " und ", ". ", "? ", "!"};
        std::string question = chance(30) ? "Sag mir" : "";
        const int words = chance(1) ? 7 + below(2) : below(7);
        for (int w = 0; w < words; ++w) {
            std::string next = word();
            if (chance(60)) {
                std::transform(next.begin(), next.end(), next.begin(), [](char c) {
                    const auto b = static_cast<unsigned char>(c);
                    return (b >= 'A' && b <= 'Z') || b == 0xC4 || b == 0xDC ? static_cast<char>(b + 32) : c;
                });
            }
            question += kJoins[static_cast<std::size_t>(below(int(kJoins.size())))] + next;
        }
        return question;
    }

    // Distinct keywords straight for the search, also ones no record holds.
    std::vector<std::string> keywordList()
    {
        std::vector<std::string> list;
        const int size = chance(1) ? 7 + below(2) : below(7);
        while (static_cast<int>(list.size()) < size) {
            const std::string next = chance(10) ? "UNBEKANNT" + std::to_string(below(3)) : word();
            if (std::find(list.begin(), list.end(), next) == list.end()) {
                list.push_back(next);
            }
        }
        return list;
    }

    std::vector<std::pair<std::string, std::string>> pairs()
    {
        std::vector<std::pair<std::string, std::string>> pairs{
            {"mich", "dich"}, {"ich", "du"}, {"rot", "blau"}, {"Gelb", "lila"}};
        std::shuffle(pairs.begin(), pairs.end(), random_);
        pairs.resize(static_cast<std::size_t>(below(5)));
        return pairs;
    }

private:
    std::mt19937 random_;
};

plain::CPlainOracle referenceFor(const CAnswerEngine& engine)
{
    plain::CPlainOracle reference;
    for (const CKeywordRecord& record : engine.records()) {
        reference.records.push_back({record.keywords(), record.answers(), record.cursor()});
    }
    reference.randomState = randomState();
    return reference;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string referenceAnswer(plain::CPlainOracle& reference, const Pairs& pairs, const std::string& question,
                            const std::vector<std::string>& found)
{
    const std::string result = reference.search(found);
    return found.size() == 1 ? plain::echo(result, question, found[0], pairs) : result;
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
        CRandomKnowledge random(fileSeed);
        const auto records = random.records();
        const Pairs pairs = random.pairs();
        auto engine = makeEngine(records, pairs);
        seedRandom(fileSeed * 7919u);
        auto reference = referenceFor(engine);
        for (int step = 0; step < 40; ++step) {
            const std::uint32_t before = randomState();
            std::string what = "file " + std::to_string(fileSeed) + " step " + std::to_string(step);
            if (random.chance(50)) {
                const std::string question = random.question();
                const auto found = reference.findKeywords(question);
                if (found.size() > CAnswerEngine::kExactKeywordLimit) {
                    continue;
                }
                what += " question \"" + question + "\"";
                ASSERT_EQ(analyseQuestion(question, engine.keywordIndex()).foundKeywords, found) << what;
                ASSERT_EQ(engine.answer(question), referenceAnswer(reference, pairs, question, found)) << what;
            } else {
                const auto list = random.keywordList();
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
