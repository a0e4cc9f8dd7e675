// The answer for 1 to 12 found keywords in the worst case (no record matches on the way
// down, so the search visits every sub-set along every path), beside the plain recursion
// over keyword lists where that finishes within a second.
#include "oracle/CAnswerEngine.h"
#include "oracle/Random.h"

#include "../tests/oracle/OracleTestSupport.h"
#include "../tests/oracle/PlainOracle.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kWords{"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO", "FOXTROT",
                                      "GOLF", "HOTEL", "INDIA", "JULIETT", "KILO", "LIMA"};
// The plain recursion needs about e * n! searches: 10 keywords take most of a second.
constexpr int kPlainUpTo = 10;

// Every word is a keyword, but only in a record with a keyword no question holds.
std::vector<TestRecord> worstCaseRecords()
{
    std::vector<TestRecord> records;
    for (const std::string& word : kWords) {
        records.push_back({{word, "NIEMALS"}, {"Nie um " + word + "."}});
    }
    records.push_back({{"-NICHTS GEFUNDEN-"}, {"Das verrate ich dir nicht.", "Frag mich etwas anderes.",
                                               "Die Sterne schweigen."}});
    return records;
}

std::string questionWith(int keywords)
{
    std::string question = "Sag mir:";
    for (int i = 0; i < keywords; ++i) {
        question += " " + kWords[static_cast<std::size_t>(i)];
    }
    return question + "?";
}

void answerOurs(benchmark::State& state, int keywords)
{
    auto engine = makeEngine(worstCaseRecords(), {{"mich", "dich"}, {"ich", "du"}});
    const std::string question = questionWith(keywords);
    seedRandom(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.answer(question));
    }
}

void answerPlain(benchmark::State& state, int keywords)
{
    plain::CPlainOracle oracle;
    for (const TestRecord& record : worstCaseRecords()) {
        oracle.records.push_back({record.keywords, record.answers, 0});
    }
    oracle.randomState = 1;
    const std::string question = questionWith(keywords);
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle.search(oracle.findKeywords(question)));
    }
}

const bool registered = [] {
    for (int n = 1; n <= static_cast<int>(kWords.size()); ++n) {
        const std::string name = "Oracle/answer/" + std::to_string(n);
        benchmark::RegisterBenchmark((name + "/ours").c_str(), answerOurs, n)->Unit(benchmark::kMicrosecond);
        if (n <= kPlainUpTo) {
            benchmark::RegisterBenchmark((name + "/plain").c_str(), answerPlain, n)->Unit(benchmark::kMicrosecond);
        }
    }
    return true;
}();

} // namespace
