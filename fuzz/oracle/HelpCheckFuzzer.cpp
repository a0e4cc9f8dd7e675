// The help check and the help file's data check over arbitrary bytes: the first line is the question, the rest the help file.
#include "oracle/CHelpCheck.h"
#include "oracle/KnowledgeCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = std::min(bytes.find('\n'), bytes.size());
    const std::string_view question = bytes.substr(0, lineEnd);
    const std::string_view helpFile = bytes.substr(std::min(lineEnd + 1, bytes.size()));
    CHelpCheck help = CHelpCheck::fromFileBytes(helpFile);
    checkHelpFile(helpFile, [](std::string_view answer) { return static_cast<int>(answer.size() / 40); });

    const std::string matchText = helpMatchText(question);
    require(matchText.find("  ") == std::string::npos);
    const auto phrase = help.matchingPhrase(question);
    const auto answer = help.answer(question);
    require(phrase.has_value() == answer.has_value());
    if (answer) {
        bool known = false;
        for (const CKeywordRecord& record : help.records()) {
            known = known || std::find(record.answers().begin(), record.answers().end(), *answer) !=
                                 record.answers().end();
        }
        require(known);
    }
    return 0;
}
