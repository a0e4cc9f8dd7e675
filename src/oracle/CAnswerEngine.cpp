#include "oracle/CAnswerEngine.h"

#include "oracle/AnswerSearch.h"
#include "oracle/KeywordFile.h"
#include "oracle/QuestionAnalysis.h"
#include "oracle/QuestionEcho.h"
#include "oracle/Random.h"
#include "oracle/TextModeFile.h"

CAnswerEngine::CAnswerEngine(const IClock& clock, const std::filesystem::path& folder)
{
    loadReport_.wordPairFile = wordPairs_.loadWordPairs(folder / "hv.dat");
    loadReport_.keywordFile = loadKeywordFile(folder / "sw.dat");
    seedRandom(static_cast<std::uint32_t>(clock.calendarSeconds()));
}

CAnswerEngine CAnswerEngine::fromFileBytes(std::string_view keywordFile, std::string_view wordPairFile)
{
    CAnswerEngine engine;
    engine.wordPairs_ = CWordPairs(readWordPairFile(wordPairFile).pairs);
    engine.takeKeywordFile(keywordFile);
    return engine;
}

EKnowledgeFile CAnswerEngine::loadKeywordFile(const std::filesystem::path& path)
{
    const SKnowledgeFileBytes file = readKnowledgeFileBytes(path);
    takeKeywordFile(file.bytes);
    return file.state;
}

void CAnswerEngine::takeKeywordFile(std::string_view fileBytes)
{
    records_ = readKeywordFile(fileBytes).records;
    std::vector<std::string> keywords;
    for (const CKeywordRecord& record : records_) {
        keywords.insert(keywords.end(), record.keywords().begin(), record.keywords().end());
    }
    keywordIndex_ = CKeywordIndex(std::move(keywords));
    recordSets_ = CRecordSetIndex(records_, keywordIndex_);
    fallback_.reset();
    if (const auto id = keywordIndex_.idOf(NOTHING_FOUND)) {
        const CKeywordIndex::KeywordId set[] = {*id};
        fallback_ = recordSets_.firstRecordWith(set, CRecordSetIndex::keywordHash(*id));
    }
}

// A question's cost depends on the question, never on the size of the knowledge files:
// the scan follows the keyword trie from each byte of the question (at most its length
// times the longest keyword's), the search looks each keyword set up at most once and
// never walks the records, and the echo jumps through the word-pair index to the pairs
// that can swap something. For a question of up to 200 bytes that is well under a
// millisecond with files of any size (a million keywords or word pairs included).
std::string CAnswerEngine::answer(std::string question)
{
    const SQuestionAnalysis analysis = analyseQuestion(std::move(question), keywordIndex_);
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
        return *searchWith(keywords, CAnswerSearch::kNoBudget);
    }
    if (keywords.size() <= CAnswerSearch::kMaxKeywords) {
        if (auto exact = searchWith(keywords, kSearchBudget)) {
            return *exact;
        }
    }
    const std::vector<std::string> firstKeywords(keywords.begin(),
                                                 keywords.begin() + kExactKeywordLimit);
    return *searchWith(firstKeywords, CAnswerSearch::kNoBudget);
}

std::optional<std::string> CAnswerEngine::searchWith(const std::vector<std::string>& keywords,
                                                     std::uint64_t callBudget)
{
    std::vector<std::optional<CKeywordIndex::KeywordId>> ids;
    for (const std::string& keyword : keywords) {
        ids.push_back(keywordIndex_.idOf(keyword));
    }
    return CAnswerSearch(records_, fallback_, recordSets_, ids).run(callBudget);
}

namespace {

std::string fileTrouble(const char* name, EKnowledgeFile state, bool empty, const char* nothingIn,
                        const char* consequence)
{
    std::string line = std::string("CAnswerEngine::") + name;
    switch (state) {
    case EKnowledgeFile::Missing:
        line += " is missing";
        break;
    case EKnowledgeFile::Unreadable:
        line += " cannot be read";
        break;
    case EKnowledgeFile::Read:
        if (!empty) {
            return {};
        }
        line += std::string(" holds no ") + nothingIn;
        break;
    }
    return line + " - " + consequence;
}

} // namespace

std::vector<std::string> knowledgeLoadMessages(const CAnswerEngine& engine)
{
    std::vector<std::string> lines;
    for (std::string line :
         {fileTrouble("sw.dat", engine.loadReport().keywordFile, engine.records().empty(), "records",
                      "the mirror cannot answer"),
          fileTrouble("hv.dat", engine.loadReport().wordPairFile, engine.wordPairs().pairs().empty(),
                      "word pairs", "echoes keep the question's words")}) {
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}
