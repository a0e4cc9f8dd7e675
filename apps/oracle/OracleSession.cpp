#include "OracleSession.h"

#include "common/Cp1252.h"
#include "oracle/KnowledgeCheck.h"
#include "oracle/TextModeFile.h"

#include <istream>
#include <ostream>
#include <string>

namespace {

// The entry box holds no more, so the oracle takes no more.
constexpr std::size_t kLongestQuestion = 200;
// What the oracle says to a one-letter question, without asking the engine.
constexpr const char* kNoAnswerLine = "Hmmmm. Wenn ich das w\xFC\xDFte ...";

void removeTrailingCr(std::string& line)
{
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

std::string answerFor(CAnswerEngine& engine, const std::string& question)
{
    return question.size() == 1 ? std::string(kNoAnswerLine) : engine.answer(question);
}

} // namespace

void runInteractive(CAnswerEngine& engine, std::istream& in, std::ostream& out)
{
    out << "Minnespiegel 2004 \xE2\x80\x93 frag den Spiegel nach der Liebe.\n"
           "Stell deine Frage und dr\xC3\xBC" "cke Enter; Strg+D beendet.\n";
    std::string line;
    for (;;) {
        out << "\nDeine Frage: " << std::flush;
        if (!std::getline(in, line)) {
            out << '\n';
            return;
        }
        removeTrailingCr(line);
        const std::string question = utf8ToCp1252(line);
        if (question.empty()) {
            continue;
        }
        if (question.size() > kLongestQuestion) {
            out << "Deine Frage ist zu lang: h\xC3\xB6" "chstens " << kLongestQuestion
                << " Zeichen, deine hat " << question.size() << ".\n";
            continue;
        }
        out << cp1252ToUtf8(answerFor(engine, question)) << '\n';
    }
}

void runRaw(CAnswerEngine& engine, std::istream& in, std::ostream& out)
{
    std::string line;
    while (std::getline(in, line)) {
        removeTrailingCr(line);
        const std::string answer = engine.answer(line);
        out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        out.put('\0');
        out.flush();  // whoever drives us may wait for each answer
    }
}

int runCheck(const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
{
    const std::string keywordFile = readKnowledgeFileBytes(folder / "sw.dat");
    const std::string wordPairFile = readKnowledgeFileBytes(folder / "hv.dat");
    const auto problems = checkKnowledgeFiles(keywordFile, wordPairFile);
    for (const KnowledgeProblem& problem : problems) {
        out << cp1252ToUtf8(formatKnowledgeProblem(problem)) << '\n';
    }
    if (!problems.empty()) {
        err << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
        return 1;
    }
    const auto engine = CAnswerEngine::fromFileBytes(keywordFile, wordPairFile);
    std::size_t answers = 0;
    for (const CKeywordRecord& record : engine.records()) {
        answers += record.answers().size();
    }
    out << "OK: " << engine.records().size() << " records, " << answers << " answers, "
        << engine.wordPairs().pairs().size() << " word pairs\n";
    return 0;
}
