// The keyword-file reader and the data check over arbitrary bytes.
#include "oracle/KeywordFile.h"
#include "oracle/KnowledgeCheck.h"

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

bool isStoredText(const std::string& text)
{
    return text.size() <= kMaxQuotedText && text.find('\0') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SKeywordFileContents contents = readKeywordFile(bytes);
    require(contents.records.size() == contents.origins.size());
    for (const CKeywordRecord& record : contents.records) {
        require(!record.keywords().empty());
        require(record.cursor() == 0);
        for (const std::string& keyword : record.keywords()) {
            require(isStoredText(keyword));
        }
        for (const std::string& answer : record.answers()) {
            require(isStoredText(answer));
        }
    }
    checkKnowledgeFiles(bytes, bytes);
    return 0;
}
