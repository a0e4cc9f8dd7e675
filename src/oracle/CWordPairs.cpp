#include "oracle/CWordPairs.h"

#include "oracle/TextModeFile.h"

namespace {

int skipToQuote(CTextCursor& in)
{
    int c = in.get();
    while (c != '"' && c != CTextCursor::kEnd) {
        c = in.get();
    }
    return c;
}

} // namespace

SWordPairFileContents readWordPairFile(std::string_view fileBytes)
{
    const std::string decoded = decodeTextMode(fileBytes);
    CTextCursor in(decoded);
    SWordPairFileContents contents;
    int c = skipToQuote(in);
    while (c == '"') {
        SQuotedText from = readQuotedText(in);
        if (skipToQuote(in) == CTextCursor::kEnd) {
            contents.unpaired.push_back(std::move(from));
            break;
        }
        SQuotedText to = readQuotedText(in);
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

CWordPairs::CWordPairs(std::vector<SWordPair> pairs) : pairs_(std::move(pairs))
{
    buildIndex();
}

EKnowledgeFile CWordPairs::loadWordPairs(const std::filesystem::path& path)
{
    const SKnowledgeFileBytes file = readKnowledgeFileBytes(path);
    pairs_ = readWordPairFile(file.bytes).pairs;
    buildIndex();
    return file.state;
}
