#include "ShippedKnowledge.h"

#include "common/Cp1252.h"
#include "oracle/QuestionAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

std::vector<std::string> foundKeywords(const CAnswerEngine& engine, const char* utf8Question)
{
    return analyseQuestion(utf8ToCp1252(utf8Question), engine.keywordIndex()).foundKeywords;
}

bool holds(const std::vector<std::string>& keywords, const char* utf8Keyword)
{
    return std::find(keywords.begin(), keywords.end(), utf8ToCp1252(utf8Keyword)) != keywords.end();
}

bool containsAny(const std::string& text, const std::vector<const char*>& utf8Parts)
{
    return std::any_of(utf8Parts.begin(), utf8Parts.end(),
                       [&](const char* part) { return text.find(utf8ToCp1252(part)) != std::string::npos; });
}

// Every answer that `question` can be given, whatever the cursors and the generator do.
std::vector<std::string> possibleAnswers(const CAnswerEngine& engine, const char* utf8Question)
{
    std::vector<std::string> answers;
    for (const CKeywordRecord* record : reachableRecords(engine, foundKeywords(engine, utf8Question))) {
        answers.insert(answers.end(), record->answers().begin(), record->answers().end());
    }
    return answers;
}

} // namespace

TEST(KnowledgeVariety, DistinctSentencesFillSeventyPercentOfTheAnswerSlots)
{
    const CAnswerEngine engine = shippedEngine();
    std::set<std::string> distinct;
    std::size_t slots = 0;
    for (const CKeywordRecord& record : engine.records()) {
        distinct.insert(record.answers().begin(), record.answers().end());
        slots += record.answers().size();
    }
    EXPECT_GE(distinct.size() * 10, slots * 7) << distinct.size() << " distinct of " << slots;
}

// The records most questions reach are where a repeated answer shows first, so they have the
// most to say.
TEST(KnowledgeVariety, TheFortyMostReachedRecordsHaveSixToEightAnswers)
{
    const CAnswerEngine engine = shippedEngine();
    std::vector<std::string> questions = realQuestions();
    for (const auto& more : {echoQuestions(), questionsFrom("fresh-questions.txt")}) {
        questions.insert(questions.end(), more.begin(), more.end());
    }
    std::map<const CKeywordRecord*, int> reached;
    for (const std::string& question : questions) {
        const auto found = analyseQuestion(question, engine.keywordIndex()).foundKeywords;
        for (const CKeywordRecord* record : reachableRecords(engine, found)) {
            ++reached[record];
        }
    }
    const CKeywordRecord* fallback = recordFor(engine, {std::string(CAnswerEngine::NOTHING_FOUND)});
    reached.erase(fallback);
    std::vector<const CKeywordRecord*> ranked;
    for (const CKeywordRecord& record : engine.records()) {
        if (reached.count(&record) != 0) {
            ranked.push_back(&record);
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&](const CKeywordRecord* a, const CKeywordRecord* b) { return reached[a] > reached[b]; });
    ASSERT_GE(ranked.size(), 40u);
    for (std::size_t i = 0; i < 40; ++i) {
        std::string keywords;
        for (const std::string& keyword : ranked[i]->keywords()) {
            keywords.append(1, '"').append(cp1252ToUtf8(keyword)).append("\" ");
        }
        EXPECT_GE(ranked[i]->answers().size(), 6u) << keywords << "reached by " << reached[ranked[i]];
        EXPECT_LE(ranked[i]->answers().size(), 8u) << keywords;
    }
}

TEST(KnowledgeWording, AnswersUseTodaysSpelling)
{
    const std::vector<const char*> oldSpellings = {"Kuß", "Schluß", "daß", "muß", "mußt", "Haß", "gut tun",
                                                   "schwer fällt", "heisst", "weisst", "reisst"};
    const CAnswerEngine engine = shippedEngine();
    for (const CKeywordRecord& record : engine.records()) {
        for (const std::string& answer : record.answers()) {
            EXPECT_FALSE(containsAny(answer, oldSpellings)) << cp1252ToUtf8(answer);
        }
    }
}

// Lines that romanticised jealousy, blamed the asker, pressed for a kiss, promised health or
// money, or leant on a stereotype, and their close relatives.
TEST(KnowledgeSafety, LinesThatBlameOrPressAreGone)
{
    const std::vector<const char*> hurtful = {
        "das zeigt, dass er dich liebt", "das zeigt, dass sie dich liebt", "einen Grund gibst",
        "Dein Misstrauen verletzt", "mehr Aufmerksamkeit von dir", "kein richtiges Alter", "Küss, wenn",
        "Küss, wen", "leicht verschmerzt", "Die Operation gelingt", "Neues Leben kündigt sich an",
        "es wird verziehen", "Hexe", "Tasse Kaffee", "aus freiem Herzen tust", "Sie wird gesund",
        "Du bestehst", "kleine Füße", "gesundes Kind", "kleines Wunder auf dich zu", "wird nicht abgelehnt"};
    const CAnswerEngine engine = shippedEngine();
    for (const CKeywordRecord& record : engine.records()) {
        for (const std::string& answer : record.answers()) {
            EXPECT_FALSE(containsAny(answer, hurtful)) << cp1252ToUtf8(answer);
        }
    }
}

// Pregnancy, illness and operations are for a test or a doctor; a prophecy has no place there.
TEST(KnowledgeSafety, HealthQuestionsArePointedToADoctorOrATest)
{
    const std::vector<const char*> pointers = {"Arzt", "Ärzt", "ärzt", "Test", "Ultraschall", "Beratung",
                                               "untersuch", "0800", "116 111", "Apotheke"};
    const char* questions[] = {
        "bin ich schwanger",       "Bin ich schwanger?",          "werde ich schwanger",
        "ist sie schwanger",       "bin ich krank",                "habe ich krebs",
        "meine oma hat krebs",     "Mein Papa hat Krebs.",         "muss ich operiert werden",
        "Muss ich zum Arzt?",      "wird er wieder gesund",        "Wird sie gesund?",
        "werde ich wieder gesund", "mein opa ist krank wird er wieder gesund",
        "bekomme ich ein mädchen oder einen jungen",
    };
    const CAnswerEngine engine = shippedEngine();
    for (const char* question : questions) {
        const std::vector<std::string> answers = possibleAnswers(engine, question);
        ASSERT_FALSE(answers.empty()) << question;
        for (const std::string& answer : answers) {
            EXPECT_TRUE(containsAny(answer, pointers)) << question << " -> " << cp1252ToUtf8(answer);
        }
    }
}

// Keywords are found inside longer words, so a longer keyword has to claim the word first.
TEST(KnowledgeTraps, LongerKeywordsClaimTheWordsThatHideShortOnes)
{
    const CAnswerEngine engine = shippedEngine();
    const auto cancer = foundKeywords(engine, "meine oma hat krebs");
    EXPECT_TRUE(holds(cancer, "HAT KREBS"));
    EXPECT_FALSE(holds(cancer, "KREBS"));
    EXPECT_FALSE(holds(foundKeywords(engine, "kannst du meine mathe hausaufgaben machen"), "HAUS"));
    const auto hisParents = foundKeywords(engine, "Mögen mich seine Eltern?");
    EXPECT_TRUE(holds(hisParents, "SEINE ELTERN"));
    EXPECT_FALSE(holds(hisParents, "ELTERN"));
    EXPECT_TRUE(holds(foundKeywords(engine, "was hält ihr bruder von mir"), "IHR BRUDER"));
    EXPECT_TRUE(holds(foundKeywords(engine, "versteh ich mich mit ihrem vater"), "IHREM VATER"));
    EXPECT_TRUE(holds(foundKeywords(engine, "geht sie mit mir zum abschlussball"), "ABSCHLUSSBALL"));
}

// "Schluss machen mit allem" is not a break-up.
TEST(KnowledgeTraps, EndingEverythingIsAnsweredWithHelpNotWithBreakUpAdvice)
{
    const std::vector<const char*> help = {"0800 111 0 111", "0800 111 0 222", "116 111", "112"};
    const CAnswerEngine engine = shippedEngine();
    for (const char* question : {"ich will schluss machen mit allem", "Soll ich Schluss machen mit allem?",
                                 "ich will mit allem schluss machen"}) {
        const std::vector<std::string> answers = possibleAnswers(engine, question);
        ASSERT_FALSE(answers.empty()) << question;
        for (const std::string& answer : answers) {
            EXPECT_TRUE(containsAny(answer, help)) << question << " -> " << cp1252ToUtf8(answer);
        }
    }
}

TEST(KnowledgeTraps, WordsPeopleTypeTodayHaveARecordOfTheirOwn)
{
    struct Word {
        const char* question;  // UTF-8
        const char* keyword;   // UTF-8
    };
    const Word words[] = {
        {"ich bin total verknallt", "VERKNAL"}, {"ich bin so verknalt", "VERKNAL"},
        {"total verlibt", "VERLIBT"},         {"mein schwarm", "SCHWARM"},
        {"mein crush", "CRUSH"},                {"geghostet", "GHOST"},
        {"sie hat blockiert", "BLOCKIER"},      {"er hat entfolgt", "ENTFOLG"},
        {"er schreibt nicht zurück", "SCHREIBT NICHT ZURÜCK"},
        {"schreibt nicht zurueck", "SCHREIBT NICHT ZURUECK"},
        {"auf whatsapp", "WHATSAPP"},           {"auf insta", "INSTA"},
        {"der abschlussball", "ABSCHLUSSBALL"}, {"kommt er zuruck", "ZURUCK"},
    };
    const CAnswerEngine engine = shippedEngine();
    for (const Word& word : words) {
        const auto found = foundKeywords(engine, word.question);
        ASSERT_EQ(found.size(), 1u) << word.question;
        EXPECT_EQ(found.front(), utf8ToCp1252(word.keyword)) << word.question;
        EXPECT_NE(recordFor(engine, found), nullptr) << word.question;
    }
}

// Behind the help check the data still answers these words with help, never with a yes: alone,
// and after "Soll ich", the opening whose echo would otherwise repeat the question back.
TEST(KnowledgeSafety, HarmAndViolenceWordsAreAnsweredWithHelpAndNeverWithYes)
{
    const std::vector<const char*> help = {"0800 111 0 111", "0800 111 0 222", "116 111", "116 016",
                                           "0800 22 55 530", "110", "112"};
    const CAnswerEngine engine = shippedEngine();
    for (const char* word : {"UMBRINGEN", "SELBSTMORD", "SUIZID", "NICHT MEHR LEBEN", "RITZE", "WERTLOS",
                             "SCHLÄGT MICH", "SCHLAEGT MICH", "GESCHLAGEN", "FASST MICH AN", "ZWINGT MICH",
                             "MIT ALLEM"}) {
        for (const std::vector<std::string>& keywords :
             {std::vector{utf8ToCp1252(word)}, std::vector{std::string("SOLL ICH"), utf8ToCp1252(word)}}) {
            const CKeywordRecord* record = recordFor(engine, keywords);
            ASSERT_NE(record, nullptr) << word;
            for (const std::string& answer : record->answers()) {
                EXPECT_TRUE(containsAny(answer, help)) << word << " -> " << cp1252ToUtf8(answer);
                EXPECT_NE(answer.rfind("Ja", 0), 0u) << word << " -> " << cp1252ToUtf8(answer);
            }
        }
    }
}
