#include "oracle/CWordPairs.h"

#include "oracle/MakeUpper.h"
#include "oracle/TextModeFile.h"

#include <algorithm>

namespace {

constexpr int kEnd = CTextCursor::kEnd;

int skipToQuote(CTextCursor& in)
{
    int c = in.get();
    while (c != '"' && c != kEnd) {
        c = in.get();
    }
    return c;
}

// A pair word that is empty or all separators would be found again in the blanks it leaves
// behind (or everywhere), so such a pair could swap forever; it is left out of the swap.
bool isSwappable(const std::string& word)
{
    return !std::all_of(word.begin(), word.end(), isWordSeparator);
}

// Swaps the first occurrence of `find` in the mirror for `replacement`, if it is a whole
// word there; the mirror gets blanks in its place so that it is never swapped back.
bool swapFirstOccurrence(std::string& text, std::string& mirror, const std::string& find,
                         const std::string& replacement)
{
    const std::string folded = upperCopy(find);
    const std::size_t position = mirror.find(folded);
    if (position == std::string::npos || !isWholeWord(mirror, folded, position)) {
        return false;
    }
    text.replace(position, find.size(), replacement);
    mirror.replace(position, find.size(), replacement.size(), ' ');
    return true;
}

} // namespace

WordPairFileContents readWordPairFile(std::string_view fileBytes)
{
    const std::string decoded = decodeTextMode(fileBytes);
    CTextCursor in(decoded);
    WordPairFileContents contents;
    int c = skipToQuote(in);
    while (c == '"') {
        QuotedText from = readQuotedText(in);
        if (skipToQuote(in) == kEnd) {
            contents.unpaired.push_back(std::move(from));
            break;
        }
        QuotedText to = readQuotedText(in);
        contents.pairs.push_back({from.text, to.text});
        contents.origins.push_back({std::move(from), std::move(to)});
        c = skipToQuote(in);
    }
    return contents;
}

bool isWordSeparator(char c)
{
    return c == ' ' || c == ',' || c == '.' || c == '!' || c == '?';
}

bool isWholeWord(std::string_view text, std::string_view word, std::size_t position)
{
    const std::size_t end = position + word.size();
    const bool startDelimited = position == 0 || isWordSeparator(text[position - 1]);
    const bool endDelimited = end >= text.size() || isWordSeparator(text[end]);
    return startDelimited && endDelimited;
}

CWordPairs::CWordPairs(std::vector<WordPair> pairs) : pairs_(std::move(pairs))
{
}

void CWordPairs::loadWordPairs(const std::filesystem::path& path)
{
    pairs_ = readWordPairFile(readKnowledgeFileBytes(path)).pairs;
}

void CWordPairs::swapWords(std::string& text) const
{
    std::string mirror = upperCopy(text);
    for (const WordPair& pair : pairs_) {
        if (!isSwappable(pair.from) || !isSwappable(pair.to)) {
            continue;
        }
        // Each swap blanks out at least one non-separator byte of the mirror, so this ends.
        for (;;) {
            const bool forward = swapFirstOccurrence(text, mirror, pair.from, pair.to);
            const bool backward = swapFirstOccurrence(text, mirror, pair.to, pair.from);
            if (!forward && !backward) {
                break;
            }
        }
    }
}
