#include "ShippedKnowledge.h"

#include "common/Cp1252.h"
#include "oracle/QuestionAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const std::string kFallbackKeyword(CAnswerEngine::NOTHING_FOUND);

std::string joined(const std::vector<std::string>& keywords)
{
    std::string text;
    for (const std::string& keyword : keywords) {
        text += (text.empty() ? "" : " + ") + cp1252ToUtf8(keyword);
    }
    return text;
}

} // namespace

TEST(KnowledgeBase, ShippedFilesAreComplete)
{
    const CAnswerEngine engine = shippedEngine();
    std::size_t answers = 0;
    std::size_t echoAnswers = 0;
    for (const CKeywordRecord& record : engine.records()) {
        // A keyword alone is reached by many questions; a combination by few, and written for them.
        EXPECT_GE(record.answers().size(), record.keywords().size() == 1 ? 3u : 2u) << joined(record.keywords());
        answers += record.answers().size();
        if (record.keywords().size() == 1) {
            echoAnswers += std::count_if(record.answers().begin(), record.answers().end(),
                                         [](const std::string& answer) { return answer.find('*') != std::string::npos; });
        }
    }
    EXPECT_GE(engine.records().size(), 200u);
    EXPECT_GE(answers, 800u);
    EXPECT_GE(echoAnswers, 8u);
    EXPECT_GE(engine.wordPairs().pairs().size(), 40u);
    const CKeywordRecord* fallback = recordFor(engine, {kFallbackKeyword});
    ASSERT_NE(fallback, nullptr);
    EXPECT_GE(fallback->answers().size(), 30u);
}

// With a record for every keyword alone, a partly understood question is answered from what
// was understood and never draws a fallback answer beside it.
TEST(KnowledgeBase, EveryKeywordHasARecordOfItsOwn)
{
    const CAnswerEngine engine = shippedEngine();
    std::vector<std::string> lonely;
    for (const std::string& keyword : engine.keywordIndex()) {
        if (recordFor(engine, {keyword}) == nullptr &&
            std::find(lonely.begin(), lonely.end(), keyword) == lonely.end()) {
            lonely.push_back(keyword);
        }
    }
    EXPECT_TRUE(lonely.empty()) << "keywords without a record of their own: " << joined(lonely);
}

// A "*" is replaced only when the question holds exactly one keyword. When a question with
// several keywords falls back on a one-keyword record, that record must not hold a "*", or
// the user sees it as it stands.
TEST(KnowledgeBase, NoRealQuestionCanShowAnUnreplacedStar)
{
    const CAnswerEngine engine = shippedEngine();
    std::vector<std::string> questions = realQuestions();
    const std::vector<std::string> echoing = echoQuestions();
    ASSERT_FALSE(echoing.empty());
    questions.insert(questions.end(), echoing.begin(), echoing.end());
    for (const std::string& question : questions) {
        const std::vector<std::string> found = analyseQuestion(question, engine.keywordIndex()).foundKeywords;
        if (found.size() == 1) {
            continue;
        }
        std::set<const CKeywordRecord*> reached;
        std::set<std::vector<std::string>> searched;
        collectReachable(engine, found, reached, searched);
        for (const CKeywordRecord* record : reached) {
            const bool holdsStar = std::any_of(record->answers().begin(), record->answers().end(),
                                               [](const std::string& answer) { return answer.find('*') != std::string::npos; });
            EXPECT_FALSE(holdsStar) << cp1252ToUtf8(question) << " (" << joined(found)
                                    << ") can take an answer with \"*\" from " << joined(record->keywords());
        }
    }
}

// A question with an echo keyword and any other keyword must find a record for the two, or
// the search falls back on the echo keyword alone and may show its "*" unreplaced. (The
// fallback keyword is left out: nobody types it.)
TEST(KnowledgeBase, EveryEchoKeywordIsPairedWithEveryOtherKeyword)
{
    const CAnswerEngine engine = shippedEngine();
    std::set<std::string> keywords(engine.keywordIndex().begin(), engine.keywordIndex().end());
    keywords.erase(kFallbackKeyword);
    std::size_t echoKeywords = 0;
    for (const CKeywordRecord& record : engine.records()) {
        const bool echoes = record.keywords().size() == 1 &&
                            std::any_of(record.answers().begin(), record.answers().end(),
                                        [](const std::string& answer) { return answer.find('*') != std::string::npos; });
        if (!echoes) {
            continue;
        }
        ++echoKeywords;
        const std::string& echo = record.keywords().front();
        std::vector<std::string> unpaired;
        for (const std::string& other : keywords) {
            // Where one contains the other, the scan never reports both.
            if (other.find(echo) == std::string::npos && echo.find(other) == std::string::npos &&
                recordFor(engine, {echo, other}) == nullptr) {
                unpaired.push_back(other);
            }
        }
        EXPECT_TRUE(unpaired.empty()) << cp1252ToUtf8(echo) << " has no record beside " << joined(unpaired);
    }
    EXPECT_GT(echoKeywords, 0u);
}

// The rest of the question, with its words swapped, must read as German where the "*" stood.
TEST(KnowledgeBase, EchoesReadNaturally)
{
    struct Echo {
        const char* question;  // UTF-8
        const char* expected;  // UTF-8, a part of at least one answer
    };
    const Echo echoes[] = {
        {"Soll ich ihm schreiben?", "Sollst du ihm schreiben?"},
        {"Soll ich es wagen?", "Sollst du es wagen?"},
        {"soll ich auf ihn warten", "Sollst du auf ihn warten?"},
        {"Soll ich mir ein Tattoo stechen lassen?", "Sollst du dir ein Tattoo stechen lassen?"},
        {"Soll ich zu meiner Tante fahren?", "Sollst du zu deiner Tante fahren?"},
        {"Soll ich mit meinem Nachbarn tanzen?", "Sollst du mit deinem Nachbarn tanzen?"},
        {"Soll ich meine Meinung sagen?", "Sollst du deine Meinung sagen?"},
        {"Soll ich ihm sagen, dass ich ihn gern hab?", "Sollst du ihm sagen, dass du ihn gern hast?"},
        {"soll ich ihr sagen dass ich so weit bin", "Sollst du ihr sagen dass du so weit bist?"},
        {"Soll ich fragen, ob er mit uns kommt?", "Sollst du fragen, ob er mit euch kommt?"},
        {"soll ich ihr sagen was ich möchte", "Sollst du ihr sagen was du möchtest?"},
        {"Soll ich?", "Sollst du?"},
    };
    CAnswerEngine engine = shippedEngine();
    for (const Echo& echo : echoes) {
        const std::string question = utf8ToCp1252(echo.question);
        const std::vector<std::string> found = analyseQuestion(question, engine.keywordIndex()).foundKeywords;
        ASSERT_EQ(found.size(), 1u) << echo.question << " finds " << joined(found);
        const CKeywordRecord* record = recordFor(engine, found);
        ASSERT_NE(record, nullptr) << echo.question;
        bool echoed = false;
        for (std::size_t round = 0; round < record->answers().size(); ++round) {
            const std::string answer = engine.answer(question);
            EXPECT_EQ(answer.find('*'), std::string::npos) << cp1252ToUtf8(answer);
            echoed = echoed || answer.find(utf8ToCp1252(echo.expected)) != std::string::npos;
        }
        EXPECT_TRUE(echoed) << echo.question << " never gives \"" << echo.expected << "\"";
    }
}
