#pragma once
// The answer search as the plain recursion over keyword lists, written the straightforward
// way: the reference that the engine is compared with, and the benchmark's anchor.
#include <cstdint>
#include <string>
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
        if (b >= 'a' && b <= 'z') {
            c = static_cast<char>(b - 32);
        } else if (b == 0xE4 || b == 0xF6 || b == 0xFC) {
            c = static_cast<char>(b - 32);
        }
    }
    return text;
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
        if (record.keywords.size() != list.size()) {
            return false;
        }
        for (const std::string& keyword : list) {
            bool found = false;
            for (const std::string& own : record.keywords) {
                found = found || own == keyword;
            }
            if (!found) {
                return false;
            }
        }
        return true;
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
        for (Record& record : records) {
            if (matches(record, list)) {
                return nextAnswer(record);
            }
        }
        return "";
    }

    std::string search(const std::vector<std::string>& list)
    {
        ++searchCalls;
        if (list.empty()) {
            return findRecordAnswer({"-NICHTS GEFUNDEN-"});
        }
        std::string found = findRecordAnswer(list);
        if (!found.empty()) {
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
        if (pool.empty()) {
            return "";
        }
        return pool[static_cast<std::size_t>(draw()) % pool.size()];
    }

    // The found keywords of a question, as the keyword index is walked.
    std::vector<std::string> findKeywords(const std::string& question) const
    {
        const std::string scan = upper(question);
        std::vector<std::string> found;
        for (const Record& record : records) {
            for (const std::string& keyword : record.keywords) {
                if (scan.find(keyword) == std::string::npos) {
                    continue;
                }
                bool add = true;
                std::vector<std::string> kept;
                for (const std::string& k : found) {
                    if (keyword.find(k) != std::string::npos && k != keyword) {
                        continue;
                    }
                    if (k.find(keyword) != std::string::npos) {
                        add = false;
                    }
                    kept.push_back(k);
                }
                found = kept;
                if (add) {
                    found.push_back(keyword);
                }
            }
        }
        return found;
    }
};

} // namespace plain
