#pragma once
#include "common/Clock.h"
#include "oracle/CKeywordRecord.h"
#include "oracle/CWordPairs.h"
#include "oracle/KeywordIndex.h"
#include "oracle/RecordSetIndex.h"
#include "oracle/TextModeFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the two knowledge files came in, for whoever tells the user.
struct SKnowledgeLoad {
    EKnowledgeFile keywordFile = EKnowledgeFile::Read;
    EKnowledgeFile wordPairFile = EKnowledgeFile::Read;
};

// The oracle: the knowledge base from "sw.dat" and "hv.dat" and the answering built on it.
class CAnswerEngine {
public:
    // The keyword of the record that answers when nothing else does.
    static constexpr std::string_view NOTHING_FOUND = "-NICHTS GEFUNDEN-";
    // Up to this many found keywords the search is always the full one.
    static constexpr std::size_t kExactKeywordLimit = 8;
    // The most searches the full search can need for kExactKeywordLimit keywords
    // (1 + n * calls(n - 1), from calls(0) = 1).
    static constexpr std::uint64_t kSearchBudget = 109'601;

    // Reads "hv.dat" and then "sw.dat" in `folder` (empty: the working directory), then seeds
    // the random generator with the calendar seconds. A missing file is left missing and
    // reads as empty; loadReport() says so.
    explicit CAnswerEngine(const IClock& clock, const std::filesystem::path& folder = {});

    // An engine over the given file contents; the random generator is left alone.
    static CAnswerEngine fromFileBytes(std::string_view keywordFile, std::string_view wordPairFile);

    // The answer to a question as typed; empty when the knowledge base has nothing to say.
    std::string answer(std::string question);

    // The answer for a list of found keywords (none twice, as the analysis gives them): the
    // record for exactly that set, or else one drawn at random from what the sets with one
    // keyword fewer give, down to the fallback.
    std::string search(const std::vector<std::string>& keywords);

    const std::vector<CKeywordRecord>& records() const { return records_; }
    const std::vector<std::string>& keywordIndex() const { return keywordIndex_.keywords(); }
    const CWordPairs& wordPairs() const { return wordPairs_; }
    const SKnowledgeLoad& loadReport() const { return loadReport_; }

private:
    CAnswerEngine() = default;
    EKnowledgeFile loadKeywordFile(const std::filesystem::path& path);
    void takeKeywordFile(std::string_view fileBytes);
    std::optional<std::string> searchWith(const std::vector<std::string>& keywords, std::uint64_t callBudget);

    std::vector<CKeywordRecord> records_;
    CKeywordIndex keywordIndex_;
    CWordPairs wordPairs_;
    CRecordSetIndex recordSets_;
    std::optional<std::size_t> fallback_;
    SKnowledgeLoad loadReport_;
};

// One error-log line for each knowledge file that did not come in usable, saying what the
// oracle then does without it. None when both are fine.
std::vector<std::string> knowledgeLoadMessages(const CAnswerEngine& engine);
