#include "AnswerBoxFont.h"
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

// Every record that the search for `keywords` can take an answer from, whatever the cursors
// and the generator do: the record for the whole set, or else those of every smaller set.
void collectReachable(const CAnswerEngine& engine, const std::vector<std::string>& keywords,
                      std::set<const CKeywordRecord*>& reached, std::set<std::vector<std::string>>& searched)
{
    std::vector<std::string> sorted = keywords;
    std::sort(sorted.begin(), sorted.end());
    if (!searched.insert(sorted).second) {
        return;
    }
    const CKeywordRecord* record = recordFor(engine, keywords.empty() ? std::vector{kFallbackKeyword} : keywords);
    if (record != nullptr || keywords.empty()) {
        if (record != nullptr) {
            reached.insert(record);
        }
        return;
    }
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        std::vector<std::string> fewer = keywords;
        fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
        collectReachable(engine, fewer, reached, searched);
    }
}

// The two lines the answer box shows, split as the shell splits: one line when the text
// measures below 390 pixels, else at the last blank whose text before it measures below 390.
std::vector<std::string> answerBoxLines(const std::string& text)
{
    constexpr int kLineWidth = 390;
    if (answerFontWidth(text) < kLineWidth) {
        return {text};
    }
    std::size_t split = 0;
    for (std::size_t i = text.size() - 1; i >= 2; --i) {
        if (text[i] == ' ' && answerFontWidth(std::string_view(text).substr(0, i)) < kLineWidth) {
            split = i;
            break;
        }
    }
    return {text.substr(0, split), split == 0 ? text.substr(1) : text.substr(split + 1)};
}

} // namespace

TEST(KnowledgeBase, ShippedFilesAreComplete)
{
    const CAnswerEngine engine = shippedEngine();
    std::size_t answers = 0;
    std::size_t echoAnswers = 0;
    for (const CKeywordRecord& record : engine.records()) {
        EXPECT_GE(record.answers().size(), 3u) << joined(record.keywords());
        answers += record.answers().size();
        if (record.keywords().size() == 1) {
            echoAnswers += std::count_if(record.answers().begin(), record.answers().end(),
                                         [](const std::string& answer) { return answer.find('*') != std::string::npos; });
        }
    }
    EXPECT_GE(engine.records().size(), 200u);
    EXPECT_GE(answers, 800u);
    EXPECT_GE(echoAnswers, 30u);
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

// The rest of the question, with its words swapped, must read as German where the "*" stood.
TEST(KnowledgeBase, EchoesReadNaturally)
{
    struct Echo {
        const char* question;  // UTF-8
        const char* expected;  // UTF-8, a part of at least one answer
    };
    const Echo echoes[] = {
        {"Soll ich ihm schreiben?", "Ob du ihm schreiben sollst?"},
        {"Soll ich mich bei ihm melden?", "Ob du dich bei ihm melden sollst?"},
        {"Wird er mir schreiben?", "Ob er dir schreiben wird?"},
        {"Wird er anrufen?", "Ob er anrufen wird?"},
        {"Wird sie sich bei mir melden?", "Ob sie sich bei dir melden wird?"},
        {"Darf ich mit meinem Schwarm tanzen?", "Ob du mit deinem Schwarm tanzen darfst?"},
        {"Muss ich mir Sorgen machen?", "Ob du dir Sorgen machen musst?"},
        {"Ist es zu spät?", "Ob es zu spät ist?"},
        {"Lohnt es sich, auf ihn zu warten?", "Ob es sich lohnt, auf ihn zu warten?"},
        {"Gibt es Aliens?", "Ob es Aliens gibt?"},
        {"Kannst du mir helfen?", "Ob ich dir helfen kann?"},
        {"Bist du echt?", "Ob ich echt bin?"},
        {"Ich heiße Jürgen", "Sei gegrüßt, Jürgen!"},
        {"Mein Name ist Anna.", "Willkommen, Anna."},
        {"Was hältst du von Tom?", "Von Tom halte ich viel"},
        {"Wie findest du meine Nachbarin?", "Wie ich deine Nachbarin finde?"},
        {"Ich liebe meinen Nachbarn.", "Du liebst deinen Nachbarn?"},
        {"Ich vermisse ihn so sehr.", "Du vermisst ihn so sehr –"},
        {"Wird sie zu meiner Party kommen?", "Ob sie zu deiner Party kommen wird?"},
        {"Ich vermisse dich.", "Du vermisst mich"},
        {"Passen wir zueinander?", "Ob ihr zueinander passt?"},
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

// The box shows at most two lines; the second must not run into the border. An echo answer
// is measured with a tail as long as a typical rest of a question.
TEST(KnowledgeBase, EveryAnswerFitsTheAnswerBox)
{
    constexpr int kSecondLineWidth = 440;
    const std::string typicalTail = " ihm heute eine Nachricht senden";
    const CAnswerEngine engine = shippedEngine();
    for (const CKeywordRecord& record : engine.records()) {
        for (std::string text : record.answers()) {
            const std::size_t star = text.find('*');
            if (star != std::string::npos && record.keywords().size() == 1) {
                text.replace(star, 1, typicalTail);
            }
            const std::vector<std::string> lines = answerBoxLines(text);
            if (lines.size() == 2) {
                EXPECT_FALSE(lines[0].empty()) << "no blank to break at: " << cp1252ToUtf8(text);
                EXPECT_LE(answerFontWidth(lines[1]), kSecondLineWidth) << "too long: " << cp1252ToUtf8(text);
            }
        }
    }
}
