#include "oracle/CAnswerEngine.h"

#include "oracle/AnswerSearch.h"
#include "oracle/KeywordFile.h"
#include "oracle/QuestionAnalysis.h"
#include "oracle/QuestionEcho.h"
#include "oracle/Random.h"
#include "oracle/TextModeFile.h"

CAnswerEngine::CAnswerEngine(const IClock& clock, const std::filesystem::path& folder)
{
    wordPairs_.loadWordPairs(folder / "hv.dat");
    loadKeywordFile(folder / "sw.dat");
    seedRandom(static_cast<std::uint32_t>(clock.calendarSeconds()));
}

CAnswerEngine CAnswerEngine::fromFileBytes(std::string_view keywordFile, std::string_view wordPairFile)
{
    CAnswerEngine engine;
    engine.wordPairs_ = CWordPairs(readWordPairFile(wordPairFile).pairs);
    engine.takeKeywordFile(keywordFile);
    return engine;
}

void CAnswerEngine::loadKeywordFile(const std::filesystem::path& path)
{
    takeKeywordFile(readKnowledgeFileBytes(path));
}

void CAnswerEngine::takeKeywordFile(std::string_view fileBytes)
{
    records_ = readKeywordFile(fileBytes).records;
    keywordIndex_.clear();
    for (const CKeywordRecord& record : records_) {
        keywordIndex_.insert(keywordIndex_.end(), record.keywords().begin(), record.keywords().end());
    }
    const std::vector<std::string> fallbackList{std::string(NOTHING_FOUND)};
    fallback_.reset();
    for (std::size_t i = 0; i < records_.size() && !fallback_; ++i) {
        if (records_[i].matches(fallbackList)) {
            fallback_ = i;
        }
    }
}

std::string CAnswerEngine::answer(std::string question)
{
    const QuestionAnalysis analysis = analyseQuestion(std::move(question), keywordIndex_);
    std::string result = search(analysis.foundKeywords);
    if (analysis.foundKeywords.size() == 1) {
        echoQuestion(result, analysis.cutQuestion, analysis.scanText, analysis.foundKeywords.front(),
                     wordPairs_);
    }
    return result;
}

// The full search makes about e * n! searches when no record matches on the way down:
// seconds for 10 keywords, hours for 13. So it runs in full for up to 8 keywords. Above
// that it still runs in full as long as it stays within what 8 keywords can need at most
// (a record matching high up cuts it short); when it would need more, everything it did
// is undone and the search runs on the first 8 found keywords only.
std::string CAnswerEngine::search(const std::vector<std::string>& keywords)
{
    if (keywords.size() <= kExactKeywordLimit) {
        return *CAnswerSearch(records_, fallback_, keywords).run(CAnswerSearch::kNoBudget);
    }
    if (keywords.size() <= CAnswerSearch::kMaxKeywords) {
        if (auto exact = CAnswerSearch(records_, fallback_, keywords).run(kSearchBudget)) {
            return *exact;
        }
    }
    const std::vector<std::string> firstKeywords(keywords.begin(),
                                                 keywords.begin() + kExactKeywordLimit);
    return *CAnswerSearch(records_, fallback_, firstKeywords).run(CAnswerSearch::kNoBudget);
}
