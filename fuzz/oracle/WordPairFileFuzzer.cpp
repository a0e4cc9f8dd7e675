// The word-pair reader over arbitrary bytes, and a swap with whatever pairs it read.
#include "oracle/CWordPairs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SWordPairFileContents contents = readWordPairFile(bytes);
    if (contents.pairs.size() != contents.origins.size()) {
        __builtin_trap();
    }
    // The file itself, cut to a question's length, as the text to swap in: it holds the
    // pairs' words in every case and position.
    std::string text(bytes.substr(0, 200));
    const CWordPairs pairs(std::move(contents.pairs));
    pairs.swapWords(text);
    return 0;
}
