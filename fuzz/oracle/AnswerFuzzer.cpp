// A whole answer from arbitrary knowledge: the input is split into a question, a word-pair
// file and a keyword file. A search that runs away trips the fuzzer's own time limit. The
// indexed keyword scan and word swap must give what the plain walks over every keyword and
// every pair give.
#include "oracle/CAnswerEngine.h"
#include "oracle/QuestionAnalysis.h"
#include "oracle/Random.h"

#include "../../tests/oracle/PlainOracle.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void checkAgainstPlainWalks(const CAnswerEngine& engine, const std::string& question)
{
    const auto found = analyseQuestion(question, engine.keywordIndex()).foundKeywords;
    if (found != plain::scanKeywords(plain::upper(question), engine.keywordIndex())) {
        __builtin_trap();
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const SWordPair& pair : engine.wordPairs().pairs()) {
        pairs.emplace_back(pair.from, pair.to);
    }
    std::string swapped = question;
    engine.wordPairs().swapWords(swapped);
    if (swapped != plain::swapWords(question, pairs)) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t questionSize = std::min<std::size_t>(data[0], rest.size());
    const std::string question(rest.substr(0, questionSize));
    rest.remove_prefix(questionSize);
    const std::size_t pairFileSize = std::min<std::size_t>(data[1], rest.size());
    const std::string_view pairFile = rest.substr(0, pairFileSize);
    const std::string_view keywordFile = rest.substr(pairFileSize);

    auto engine = CAnswerEngine::fromFileBytes(keywordFile, pairFile);
    checkAgainstPlainWalks(engine, question);
    seedRandom(data[0] * 257u + data[1]);
    for (int round = 0; round < 3; ++round) {
        engine.answer(question);
        for (const CKeywordRecord& record : engine.records()) {
            if (!record.answers().empty() && record.cursor() >= record.answers().size()) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
