#include "oracle/KeywordFile.h"

#include "oracle/MakeUpper.h"
#include "oracle/TextModeFile.h"

namespace {

// Skips until one of the two bytes or the end; `c` is the first byte looked at.
int skipUntil(CTextCursor& in, int c, char first, char second)
{
    while (c != first && c != second && c != CTextCursor::kEnd) {
        c = in.get();
    }
    return c;
}

// The keywords of one record: every quoted text on the line of the first one. Starts after
// the first keyword's opening quote.
std::vector<SQuotedText> readKeywordLine(CTextCursor& in)
{
    std::vector<SQuotedText> keywords;
    int c = '"';
    while (c == '"') {
        keywords.push_back(readQuotedText(in));
        c = skipUntil(in, in.get(), '"', '\n');
    }
    return keywords;
}

// The answers after the keyword line, up to the next "#" (returned) or the end.
int readAnswers(CTextCursor& in, std::vector<SQuotedText>& answers)
{
    int c = skipUntil(in, in.get(), '"', '#');
    while (c == '"') {
        answers.push_back(readQuotedText(in));
        c = skipUntil(in, in.get(), '"', '#');
    }
    return c;
}

CKeywordRecord makeRecord(const SKeywordRecordOrigin& origin)
{
    std::vector<std::string> keywords;
    for (const SQuotedText& keyword : origin.keywords) {
        keywords.push_back(upperCopy(keyword.text));
    }
    std::vector<std::string> answers;
    for (const SQuotedText& answer : origin.answers) {
        answers.push_back(answer.text);
    }
    return CKeywordRecord(std::move(keywords), std::move(answers));
}

} // namespace

SKeywordFileContents readKeywordFile(std::string_view fileBytes)
{
    const std::string text = decodeTextMode(fileBytes);
    CTextCursor in(text);
    SKeywordFileContents contents;
    // Whatever stands before the first "#" is a heading; a record starts at the first quote
    // after its "#".
    int c = skipUntil(in, in.get(), '#', '#');
    while (c == '#') {
        c = skipUntil(in, in.get(), '"', '"');
        if (c == CTextCursor::kEnd) {
            break;
        }
        SKeywordRecordOrigin origin;
        origin.keywords = readKeywordLine(in);
        c = readAnswers(in, origin.answers);
        contents.records.push_back(makeRecord(origin));
        contents.origins.push_back(std::move(origin));
    }
    return contents;
}
