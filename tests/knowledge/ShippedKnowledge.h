#pragma once
#include "oracle/CAnswerEngine.h"

#include "common/Cp1252.h"
#include "oracle/QuestionAnalysis.h"

#include "TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

// The knowledge files as the repository ships them. Read directly: the engine's own reader
// would create missing files in the source tree.
inline std::string shippedFileBytes(const std::string& name)
{
    return CTempFolder::read(std::filesystem::path(MINNE_SOURCE_DIR) / "data" / name);
}

inline CAnswerEngine shippedEngine()
{
    return CAnswerEngine::fromFileBytes(shippedFileBytes("sw.dat"), shippedFileBytes("hv.dat"));
}

// Questions from a fixture file in this folder, one a line, Windows-1252: "questions.txt" holds
// what people ask a love oracle, "echo-questions.txt" questions that begin the way the echo
// answers expect ("Soll ich", "Wird er"...), "fresh-questions.txt" everyday typing.
inline std::vector<std::string> questionsFrom(const std::string& fileName)
{
    return CTempFolder::lines(std::filesystem::path(MINNE_SOURCE_DIR) / "tests" / "knowledge" / fileName);
}

inline std::vector<std::string> foundKeywords(const CAnswerEngine& engine, const std::string& question)
{
    return analyseQuestion(question, engine.keywordIndex()).foundKeywords;
}

// The record that answers for exactly these keywords, if any.
inline const CKeywordRecord* recordFor(const CAnswerEngine& engine, const std::vector<std::string>& keywords)
{
    const auto& records = engine.records();
    const auto found =
        std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.matches(keywords); });
    return found == records.end() ? nullptr : &*found;
}

// Every record that the search for `keywords` can take an answer from, whatever the cursors
// and the generator do: the record for the whole set, or else those of every smaller set.
inline std::set<const CKeywordRecord*> reachableRecords(const CAnswerEngine& engine,
                                                        const std::vector<std::string>& keywords)
{
    std::set<const CKeywordRecord*> reached;
    std::set<std::vector<std::string>> searched;
    const auto collect = [&](const auto& self, const std::vector<std::string>& set) -> void {
        std::vector<std::string> sorted = set;
        std::sort(sorted.begin(), sorted.end());
        const CKeywordRecord* record =
            recordFor(engine, set.empty() ? std::vector{std::string(CAnswerEngine::NOTHING_FOUND)} : set);
        if (!searched.insert(sorted).second || record != nullptr || set.empty()) {
            if (record != nullptr) {
                reached.insert(record);
            }
            return;
        }
        for (std::size_t i = 0; i < set.size(); ++i) {
            std::vector<std::string> fewer = set;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            self(self, fewer);
        }
    };
    collect(collect, keywords);
    return reached;
}

inline bool holdsStar(const CKeywordRecord& record)
{
    return std::any_of(record.answers().begin(), record.answers().end(),
                       [](const std::string& answer) { return answer.find('*') != std::string::npos; });
}

inline std::string joined(const std::vector<std::string>& keywords)
{
    std::string text;
    for (const std::string& keyword : keywords) {
        text += (text.empty() ? "" : " + ") + cp1252ToUtf8(keyword);
    }
    return text;
}
