// The answer for 1 to 12 found keywords in the worst case (no record matches on the way
// down, so the search visits every sub-set along every path), beside the plain recursion
// over keyword lists where that finishes within a second. Then the answer over big files:
// about 20,000 keywords that all occur in one 200-byte question, about a million keywords
// that mostly do not, and an echo through about a million word pairs.
#include "oracle/CAnswerEngine.h"
#include "oracle/Random.h"

#include "../tests/oracle/OracleTestSupport.h"
#include "../tests/oracle/PlainOracle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
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

// A 200-byte question of letters, umlauts and blanks in which nearly every substring is
// different from every other one.
std::string bigQuestion()
{
    static const std::string kBytes = "abcdefghijklmnopqrstuvwxyz \xE4\xF6\xFC\xDF";
    std::uint32_t state = 12345;
    std::string question;
    while (question.size() < 200) {
        question += kBytes[static_cast<std::size_t>(stepRandom(state)) % kBytes.size()];
    }
    return question;
}

// Every distinct substring of the big question up to 194 bytes is a keyword (about 20,000),
// four to a record, shorter ones first (the hardest order for the plain walk, whose found
// list then grows long); the maximal ones are the six of 194 bytes: a six-keyword search.
std::vector<TestRecord> allSubstringRecords()
{
    const std::string scan = plain::upper(bigQuestion());
    std::set<std::string> seen;
    std::vector<std::string> distinct;
    for (std::size_t length = 1; length <= 194; ++length) {
        for (std::size_t start = 0; start + length <= scan.size(); ++start) {
            if (seen.insert(scan.substr(start, length)).second) {
                distinct.push_back(scan.substr(start, length));
            }
        }
    }
    std::vector<TestRecord> records;
    for (const std::string& keyword : distinct) {
        if (records.empty() || records.back().keywords.size() == 4) {
            records.push_back({{}, {"Antwort " + std::to_string(records.size())}});
        }
        // Keywords may not hold a double quote; the question has none.
        records.back().keywords.push_back(keyword);
    }
    records.push_back({{"-NICHTS GEFUNDEN-"}, {"Die Sterne schweigen."}});
    return records;
}

// About a million keywords of random letters, one to a record; five more are pieces of the
// question (few enough for the plain search to finish).
std::vector<TestRecord> millionKeywordRecords(const std::string& question)
{
    std::uint32_t state = 777;
    std::vector<TestRecord> records;
    records.reserve(1'000'100);
    for (int i = 0; i < 1'000'000; ++i) {
        std::string keyword;
        const int length = 8 + stepRandom(state) % 7;
        for (int b = 0; b < length; ++b) {
            keyword += static_cast<char>('A' + stepRandom(state) % 26);
        }
        records.push_back({{keyword}, {"Antwort"}});
    }
    const std::string scan = plain::upper(question);
    for (std::size_t start = 0; start < 200; start += 40) {
        records.push_back({{scan.substr(start, 6)}, {"Treffer"}});
    }
    records.push_back({{"-NICHTS GEFUNDEN-"}, {"Die Sterne schweigen."}});
    return records;
}

std::vector<TestRecord> bigFileRecords(bool million)
{
    return million ? millionKeywordRecords(bigQuestion()) : allSubstringRecords();
}

void answerBigFileOurs(benchmark::State& state, bool million)
{
    auto engine = makeEngine(bigFileRecords(million));
    const std::string question = bigQuestion();
    seedRandom(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.answer(question));
    }
}

void answerBigFilePlain(benchmark::State& state, bool million)
{
    plain::CPlainOracle oracle;
    for (TestRecord& record : bigFileRecords(million)) {
        oracle.records.push_back({std::move(record.keywords), std::move(record.answers), 0});
    }
    oracle.randomState = 1;
    const std::string question = bigQuestion();
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle.search(oracle.findKeywords(question)));
    }
}

// A word-pair file of about a million pairs of random words, the real pairs last, and a
// question that finds one keyword whose answer echoes it.
using Pairs = std::vector<std::pair<std::string, std::string>>;
const std::vector<TestRecord> kEchoRecords{{{"LIEBE"}, {"Du fragst, ob *?"}},
                                           {{"-NICHTS GEFUNDEN-"}, {"Die Sterne schweigen."}}};
const std::string kEchoQuestion =
    "Liebe ich dich und mich, und weiss ich nicht, ob du mich liebst oder ob ich dich liebe, "
    "sag mir das bitte ehrlich und ausfuehrlich, denn mein Herz will es wissen und dein Herz auch";

Pairs millionPairs()
{
    std::uint32_t state = 5;
    Pairs pairs;
    pairs.reserve(1'000'004);
    for (int i = 0; i < 1'000'000; ++i) {
        std::string from;
        std::string to;
        for (int b = 0; b < 8; ++b) {
            from += static_cast<char>('a' + stepRandom(state) % 26);
            to += static_cast<char>('a' + stepRandom(state) % 26);
        }
        pairs.emplace_back(from, to);
    }
    pairs.insert(pairs.end(), {{"mich", "dich"}, {"ich", "du"}, {"mein", "dein"}, {"mir", "dir"}});
    return pairs;
}

void answerPairFileOurs(benchmark::State& state)
{
    auto engine = makeEngine(kEchoRecords, millionPairs());
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.answer(kEchoQuestion));
    }
}

void answerPairFilePlain(benchmark::State& state)
{
    plain::CPlainOracle oracle;
    for (const TestRecord& record : kEchoRecords) {
        oracle.records.push_back({record.keywords, record.answers, 0});
    }
    const Pairs pairs = millionPairs();
    for (auto _ : state) {
        const auto found = oracle.findKeywords(kEchoQuestion);
        benchmark::DoNotOptimize(plain::echo(oracle.search(found), kEchoQuestion, found.at(0), pairs));
    }
}

const bool oracleBenchmarksRegistered = [] {
    for (int n = 1; n <= static_cast<int>(kWords.size()); ++n) {
        const std::string name = "Oracle/answer/" + std::to_string(n);
        benchmark::RegisterBenchmark((name + "/ours").c_str(), answerOurs, n)->Unit(benchmark::kMicrosecond);
        if (n <= kPlainUpTo) {
            benchmark::RegisterBenchmark((name + "/plain").c_str(), answerPlain, n)->Unit(benchmark::kMicrosecond);
        }
    }
    for (const bool million : {false, true}) {
        const std::string name = million ? "Oracle/answer/millionfile" : "Oracle/answer/bigfile";
        benchmark::RegisterBenchmark((name + "/ours").c_str(), answerBigFileOurs, million)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/plain").c_str(), answerBigFilePlain, million)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("Oracle/answer/millionpairs/ours", answerPairFileOurs)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Oracle/answer/millionpairs/plain", answerPairFilePlain)->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace
