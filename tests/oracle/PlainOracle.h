#pragma once
// The answering written the straightforward way, walking every keyword, record and word
// pair each time: the reference that the engine is compared with, and the benchmark's
// anchor.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace plain {

struct Record {
    std::vector<std::string> keywords;
    std::vector<std::string> answers;
    std::uint32_t cursor = 0;
};

inline std::string upper(std::string text)
{
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        c = static_cast<char>((b >= 'a' && b <= 'z') || b == 0xE4 || b == 0xF6 || b == 0xFC ? b - 32 : b);
    }
    return text;
}

// One step of the keyword scan: if the keyword occurs, it replaces the found ones it
// contains, unless it is part of a found one (or equal to it).
inline void scanKeyword(std::vector<std::string>& found, const std::string& scan, const std::string& keyword)
{
    if (scan.find(keyword) == std::string::npos) {
        return;
    }
    const auto contains = [](const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    };
    const bool inFound = std::any_of(found.begin(), found.end(), [&](const auto& k) { return contains(k, keyword); });
    std::erase_if(found, [&](const std::string& k) { return k != keyword && contains(keyword, k); });
    if (!inFound) {
        found.push_back(keyword);
    }
}

inline std::vector<std::string> scanKeywords(const std::string& scan, const std::vector<std::string>& keywordIndex)
{
    std::vector<std::string> found;
    for (const std::string& keyword : keywordIndex) {
        scanKeyword(found, scan, keyword);
    }
    return found;
}

inline bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '.' || c == '!' || c == '?';
}

inline bool swapFirst(std::string& text, std::string& mirror, const std::string& find, const std::string& replacement)
{
    const std::size_t position = mirror.find(upper(find));
    const std::size_t end = position + find.size();
    if (position == std::string::npos || (position > 0 && !isSeparator(mirror[position - 1])) ||
        (end < mirror.size() && !isSeparator(mirror[end]))) {
        return false;
    }
    text.replace(position, find.size(), replacement);
    mirror.replace(position, find.size(), replacement.size(), ' ');
    return true;
}

// Every pair in file order; a pair with an empty or separator-only word is skipped.
inline std::string swapWords(std::string text, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::string mirror = upper(text);
    for (const auto& [from, to] : pairs) {
        if (std::all_of(from.begin(), from.end(), isSeparator) || std::all_of(to.begin(), to.end(), isSeparator)) {
            continue;
        }
        for (;;) {
            const bool forward = swapFirst(text, mirror, from, to);
            if (swapFirst(text, mirror, to, from)) {
                continue;
            }
            if (!forward) {
                break;
            }
        }
    }
    return text;
}

// The echo: the first "*" of the answer becomes the rest of the question after the
// keyword's first occurrence, cut at the first ".", else "!", else "?", with words swapped.
inline std::string echo(std::string answer, const std::string& question, const std::string& keyword,
                        const std::vector<std::pair<std::string, std::string>>& pairs)
{
    const std::size_t star = answer.find('*');
    if (star == std::string::npos) {
        return answer;
    }
    std::string cut = question;
    for (const char mark : {'.', '!', '?'}) {
        if (cut.find(mark) != std::string::npos) {
            cut.resize(cut.find(mark));
            break;
        }
    }
    const std::size_t start = upper(question).find(keyword) + keyword.size();
    return answer.replace(star, 1, swapWords(start < cut.size() ? cut.substr(start) : "", pairs));
}

class CPlainOracle {
public:
    std::vector<Record> records;
    std::uint32_t randomState = 0;
    std::uint64_t searchCalls = 0;

    int draw()
    {
        randomState = randomState * 214013u + 2531011u;
        return static_cast<int>((randomState >> 16) & 0x7FFF);
    }

    static bool matches(const Record& record, const std::vector<std::string>& list)
    {
        const auto& own = record.keywords;
        return own.size() == list.size() && std::all_of(list.begin(), list.end(), [&](const std::string& keyword) {
                   return std::find(own.begin(), own.end(), keyword) != own.end();
               });
    }

    static std::string nextAnswer(Record& record)
    {
        if (record.answers.empty()) {
            return "";
        }
        std::string answer = record.answers[record.cursor];
        record.cursor = static_cast<std::uint32_t>((record.cursor + 1) % record.answers.size());
        return answer;
    }

    std::string findRecordAnswer(const std::vector<std::string>& list)
    {
        const auto record = std::find_if(records.begin(), records.end(), [&](const Record& r) { return matches(r, list); });
        return record == records.end() ? "" : nextAnswer(*record);
    }

    std::string search(const std::vector<std::string>& list)
    {
        ++searchCalls;
        std::string found = findRecordAnswer(list.empty() ? std::vector<std::string>{"-NICHTS GEFUNDEN-"} : list);
        if (!found.empty() || list.empty()) {
            return found;
        }
        std::vector<std::string> pool;
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::vector<std::string> smaller = list;
            smaller.erase(smaller.begin() + static_cast<std::ptrdiff_t>(i));
            std::string candidate = search(smaller);
            if (!candidate.empty()) {
                pool.push_back(candidate);
            }
        }
        return pool.empty() ? "" : pool[static_cast<std::size_t>(draw()) % pool.size()];
    }

    // The found keywords of a question, as the keyword index is walked.
    std::vector<std::string> findKeywords(const std::string& question) const
    {
        std::vector<std::string> index;
        for (const Record& record : records) {
            index.insert(index.end(), record.keywords.begin(), record.keywords.end());
        }
        return scanKeywords(upper(question), index);
    }
};

} // namespace plain
