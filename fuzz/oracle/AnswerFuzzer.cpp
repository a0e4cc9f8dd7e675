// A whole answer from arbitrary knowledge: the input is split into a question, a word-pair
// file and a keyword file. A search that runs away trips the fuzzer's own time limit.
#include "oracle/CAnswerEngine.h"
#include "oracle/Random.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

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
