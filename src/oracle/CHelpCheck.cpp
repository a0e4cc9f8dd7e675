#include "oracle/CHelpCheck.h"

#include "oracle/KeywordFile.h"
#include "oracle/MakeUpper.h"

namespace {

bool isLetterOrDigit(unsigned char c)
{
    // 0xD7 and 0xF7 are the multiplication and division signs among the accented letters.
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

const char* spelledOut(unsigned char c)
{
    switch (c) {
    case 0xC4: return "AE";
    case 0xD6: return "OE";
    case 0xDC: return "UE";
    case 0xDF: return "SS";
    default: return nullptr;
    }
}

// How many words may stand between the parts of a phrase written "A*B".
constexpr std::size_t kMostWordsBetweenParts = 3;

std::size_t wordsIn(std::string_view text)
{
    std::size_t words = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ' && (i == 0 || text[i - 1] == ' ')) {
            ++words;
        }
    }
    return words;
}

// Whether parts[k..] occur in order from `from` on, each within a few words of the one before.
bool partsFrom(const std::string& text, const std::vector<std::string>& parts, std::size_t k, std::size_t from)
{
    if (k == parts.size()) {
        return true;
    }
    for (std::size_t at = text.find(parts[k], from); at != std::string::npos; at = text.find(parts[k], at + 1)) {
        if (k > 0 && wordsIn(std::string_view(text).substr(from, at - from)) > kMostWordsBetweenParts) {
            return false;
        }
        if (partsFrom(text, parts, k + 1, at + parts[k].size())) {
            return true;
        }
    }
    return false;
}

void appendBlank(std::string& out)
{
    if (out.empty() || out.back() != ' ') {
        out += ' ';
    }
}

} // namespace

std::string helpMatchText(std::string_view text)
{
    std::string folded(text);
    makeUpper(folded);
    std::string out;
    out.reserve(folded.size() + 8);
    for (const char byte : folded) {
        const auto c = static_cast<unsigned char>(byte);
        if (const char* spelled = spelledOut(c)) {
            out += spelled;
        } else if (isLetterOrDigit(c)) {
            out += byte;
        } else {
            appendBlank(out);
        }
    }
    return out;
}

CHelpCheck CHelpCheck::fromFileBytes(std::string_view helpFile)
{
    CHelpCheck check;
    check.take(helpFile);
    return check;
}

EKnowledgeFile CHelpCheck::load(const std::filesystem::path& path)
{
    const SKnowledgeFileBytes file = readKnowledgeFileBytes(path);
    take(file.bytes);
    return file.state;
}

void CHelpCheck::take(std::string_view fileBytes)
{
    records_ = readKeywordFile(fileBytes).records;
    phrases_.clear();
    for (const CKeywordRecord& record : records_) {
        std::vector<SPhrase> phrases;
        for (const std::string& keyword : record.keywords()) {
            if (auto phrase = parsePhrase(keyword)) {
                phrases.push_back(std::move(*phrase));
            }
        }
        phrases_.push_back(std::move(phrases));
    }
}

std::optional<CHelpCheck::SPhrase> CHelpCheck::parsePhrase(const std::string& keyword)
{
    SPhrase phrase;
    std::size_t start = 0;
    for (;;) {
        const std::size_t star = keyword.find('*', start);
        std::string part = helpMatchText(keyword.substr(start, star == std::string::npos ? star : star - start));
        // A part of blanks alone would match every question.
        if (part.find_first_not_of(' ') == std::string::npos) {
            return std::nullopt;
        }
        phrase.text += (phrase.parts.empty() ? "" : "*") + part;
        phrase.parts.push_back(std::move(part));
        if (star == std::string::npos) {
            return phrase;
        }
        start = star + 1;
    }
}

std::optional<CHelpCheck::SMatch> CHelpCheck::find(std::string_view question) const
{
    const std::string matchText = " " + helpMatchText(question) + " ";
    for (std::size_t record = 0; record < records_.size(); ++record) {
        if (records_[record].answers().empty()) {
            continue;
        }
        for (std::size_t phrase = 0; phrase < phrases_[record].size(); ++phrase) {
            if (partsFrom(matchText, phrases_[record][phrase].parts, 0, 0)) {
                return SMatch{record, phrase};
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> CHelpCheck::answer(std::string_view question)
{
    const auto match = find(question);
    if (!match) {
        return std::nullopt;
    }
    return records_[match->record].nextAnswer();
}

std::optional<std::string> CHelpCheck::matchingPhrase(std::string_view question) const
{
    const auto match = find(question);
    if (!match) {
        return std::nullopt;
    }
    return phrases_[match->record][match->phrase].text;
}
