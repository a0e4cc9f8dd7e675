#include "ShippedKnowledge.h"

#include <gtest/gtest.h>

namespace {

bool containsAny(const std::string& text, const std::vector<const char*>& utf8Parts)
{
    return std::any_of(utf8Parts.begin(), utf8Parts.end(),
                       [&](const char* part) { return text.find(utf8ToCp1252(part)) != std::string::npos; });
}

const std::vector<const char*> kHelpNumbers = {
    "0800 111 0 111", "0800 111 0 222", "116 111", "116 016", "0800 22 55 530", "110", "112"};

} // namespace

// Pregnancy, illness and operations are for a test or a doctor, and "Schluss machen mit allem"
// is no break-up: every answer such a question can be given, whatever the cursors and the
// generator do, points there.
TEST(KnowledgeSafety, HealthAndDistressQuestionsArePointedToHelp)
{
    const std::vector<const char*> doctor = {"Arzt", "Ärzt", "ärzt", "Test", "Ultraschall",
                                             "Beratung", "untersuch", "0800", "116 111", "Apotheke"};
    const std::pair<const char*, const std::vector<const char*>*> cases[] = {
        {"bin ich schwanger", &doctor}, {"Bin ich schwanger?", &doctor}, {"ist sie schwanger", &doctor},
        {"bin ich krank", &doctor}, {"habe ich krebs", &doctor}, {"Mein Papa hat Krebs.", &doctor},
        {"muss ich operiert werden", &doctor}, {"Muss ich zum Arzt?", &doctor}, {"Wird sie gesund?", &doctor},
        {"mein opa ist krank wird er wieder gesund", &doctor},
        {"bekomme ich ein mädchen oder einen jungen", &doctor},
        {"ich will schluss machen mit allem", &kHelpNumbers},
        {"Soll ich Schluss machen mit allem?", &kHelpNumbers},
    };
    const CAnswerEngine engine = shippedEngine();
    for (const auto& [question, pointers] : cases) {
        std::size_t answers = 0;
        for (const CKeywordRecord* record :
             reachableRecords(engine, foundKeywords(engine, utf8ToCp1252(question)))) {
            for (const std::string& answer : record->answers()) {
                ++answers;
                EXPECT_TRUE(containsAny(answer, *pointers)) << question << " -> " << cp1252ToUtf8(answer);
            }
        }
        EXPECT_GT(answers, 0u) << question;
    }
}

// Behind the help check the data still answers these words with help, never with a yes: alone,
// and after "Soll ich", the opening whose echo would otherwise repeat the question back.
TEST(KnowledgeSafety, HarmAndViolenceWordsAreAnsweredWithHelpAndNeverWithYes)
{
    const CAnswerEngine engine = shippedEngine();
    for (const char* word : {"UMBRINGEN", "SELBSTMORD", "SUIZID", "NICHT MEHR LEBEN", "RITZE", "WERTLOS",
                             "SCHLÄGT MICH", "SCHLAEGT MICH", "GESCHLAGEN", "FASST MICH AN", "ZWINGT MICH",
                             "MIT ALLEM"}) {
        for (const std::vector<std::string>& keywords :
             {std::vector{utf8ToCp1252(word)}, std::vector{std::string("SOLL ICH"), utf8ToCp1252(word)}}) {
            const CKeywordRecord* record = recordFor(engine, keywords);
            ASSERT_NE(record, nullptr) << word;
            for (const std::string& answer : record->answers()) {
                EXPECT_TRUE(containsAny(answer, kHelpNumbers)) << word << " -> " << cp1252ToUtf8(answer);
                EXPECT_NE(answer.rfind("Ja", 0), 0u) << word << " -> " << cp1252ToUtf8(answer);
            }
        }
    }
}

// Keywords are found inside longer words, so a longer keyword has to claim the word first; and
// the words people type today are keywords of their own, each with its record.
TEST(KnowledgeTraps, EachQuestionFindsItsOwnKeywordAndNotTheShorterOneInside)
{
    const struct {
        const char* question;
        const char* keyword; // found, with a record of its own; "" for none
        const char* hidden;  // not found
        bool alone;          // the only keyword found
    } cases[] = {
        {"meine oma hat krebs", "HAT KREBS", "KREBS", false},
        {"kannst du meine mathe hausaufgaben machen", "", "HAUS", false},
        {"Mögen mich seine Eltern?", "SEINE ELTERN", "ELTERN", false},
        {"was hält ihr bruder von mir", "IHR BRUDER", "", false},
        {"versteh ich mich mit ihrem vater", "IHREM VATER", "", false},
        {"geht sie mit mir zum abschlussball", "ABSCHLUSSBALL", "", false},
        {"ich bin total verknallt", "VERKNAL", "", true}, {"ich bin so verknalt", "VERKNAL", "", true},
        {"total verlibt", "VERLIBT", "", true}, {"mein schwarm", "SCHWARM", "", true},
        {"mein crush", "CRUSH", "", true}, {"geghostet", "GHOST", "", true},
        {"sie hat blockiert", "BLOCKIER", "", true}, {"er hat entfolgt", "ENTFOLG", "", true},
        {"er schreibt nicht zurück", "SCHREIBT NICHT ZURÜCK", "", true},
        {"schreibt nicht zurueck", "SCHREIBT NICHT ZURUECK", "", true},
        {"auf whatsapp", "WHATSAPP", "", true}, {"auf insta", "INSTA", "", true},
        {"kommt er zuruck", "ZURUCK", "", true},
    };
    const CAnswerEngine engine = shippedEngine();
    for (const auto& c : cases) {
        const std::vector<std::string> found = foundKeywords(engine, utf8ToCp1252(c.question));
        const auto holds = [&found](const char* keyword) {
            return std::find(found.begin(), found.end(), utf8ToCp1252(keyword)) != found.end();
        };
        if (*c.keyword != '\0') {
            EXPECT_TRUE(holds(c.keyword)) << c.question << " finds " << joined(found);
            EXPECT_NE(recordFor(engine, {utf8ToCp1252(c.keyword)}), nullptr) << c.keyword;
            EXPECT_TRUE(!c.alone || found.size() == 1) << c.question << " finds " << joined(found);
        }
        if (*c.hidden != '\0') {
            EXPECT_FALSE(holds(c.hidden)) << c.question;
        }
    }
}
