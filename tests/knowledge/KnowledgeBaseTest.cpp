#include "ShippedKnowledge.h"

#include <gtest/gtest.h>

// With a record for every keyword alone, a partly understood question is answered from what
// was understood and never draws a fallback answer beside it.
TEST(KnowledgeBase, EveryKeywordHasARecordOfItsOwn)
{
    const CAnswerEngine engine = shippedEngine();
    std::set<std::string> lonely;
    for (const std::string& keyword : engine.keywordIndex()) {
        if (recordFor(engine, {keyword}) == nullptr) {
            lonely.insert(keyword);
        }
    }
    EXPECT_TRUE(lonely.empty()) << "keywords without a record of their own: "
                                << joined({lonely.begin(), lonely.end()});
}

// A "*" is replaced only when the question holds exactly one keyword. When a question with
// several keywords falls back on a one-keyword record, that record must not hold a "*", or the
// user sees it as it stands. So no real question may reach one, and every echo keyword needs a
// record beside every other keyword (but one it contains or is contained in: the scan never
// reports both; and the fallback keyword, which nobody types).
TEST(KnowledgeBase, NoQuestionCanShowAnUnreplacedStar)
{
    const CAnswerEngine engine = shippedEngine();
    std::vector<std::string> questions = questionsFrom("questions.txt");
    const std::vector<std::string> echoing = questionsFrom("echo-questions.txt");
    ASSERT_FALSE(echoing.empty());
    questions.insert(questions.end(), echoing.begin(), echoing.end());
    for (const std::string& question : questions) {
        const std::vector<std::string> found = foundKeywords(engine, question);
        for (const CKeywordRecord* record :
             found.size() == 1 ? std::set<const CKeywordRecord*>{} : reachableRecords(engine, found)) {
            EXPECT_FALSE(holdsStar(*record))
                << cp1252ToUtf8(question) << " (" << joined(found) << ") can take an answer with \"*\" from "
                << joined(record->keywords());
        }
    }
    std::set<std::string> keywords(engine.keywordIndex().begin(), engine.keywordIndex().end());
    keywords.erase(std::string(CAnswerEngine::NOTHING_FOUND));
    for (const CKeywordRecord& record : engine.records()) {
        if (record.keywords().size() != 1 || !holdsStar(record)) {
            continue;
        }
        const std::string& echo = record.keywords().front();
        for (const std::string& other : keywords) {
            EXPECT_TRUE(other.find(echo) != std::string::npos || echo.find(other) != std::string::npos ||
                        recordFor(engine, {echo, other}) != nullptr)
                << cp1252ToUtf8(echo) << " has no record beside " << cp1252ToUtf8(other);
        }
    }
}

// The rest of the question, with its words swapped, must read as German where the "*" stood.
TEST(KnowledgeBase, EchoesReadNaturally)
{
    // UTF-8; a part of at least one answer
    const std::pair<const char*, const char*> echoes[] = {
        {"Soll ich ihm schreiben?", "Sollst du ihm schreiben?"},
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
    for (const auto& [utf8Question, expected] : echoes) {
        const std::string question = utf8ToCp1252(utf8Question);
        const std::vector<std::string> found = foundKeywords(engine, question);
        ASSERT_EQ(found.size(), 1u) << utf8Question << " finds " << joined(found);
        const CKeywordRecord* record = recordFor(engine, found);
        ASSERT_NE(record, nullptr) << utf8Question;
        bool echoed = false;
        for (std::size_t round = 0; round < record->answers().size(); ++round) {
            const std::string answer = engine.answer(question);
            EXPECT_EQ(answer.find('*'), std::string::npos) << cp1252ToUtf8(answer);
            echoed = echoed || answer.find(utf8ToCp1252(expected)) != std::string::npos;
        }
        EXPECT_TRUE(echoed) << utf8Question << " never gives \"" << expected << "\"";
    }
}
