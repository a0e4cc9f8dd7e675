#include "OracleSession.h"

#include "AnswerBoxLines.h"

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

std::string answerFor(COracle& oracle, const std::string& question)
{
    return question.size() == 1 ? std::string(kNoAnswerLine) : oracle.answer(question);
}

} // namespace

void runInteractive(COracle& oracle, std::istream& in, std::ostream& out)
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
        out << cp1252ToUtf8(answerFor(oracle, question)) << '\n';
    }
}

void runRaw(COracle& oracle, std::istream& in, std::ostream& out)
{
    std::string line;
    while (std::getline(in, line)) {
        removeTrailingCr(line);
        const std::string answer = oracle.answer(line);
        out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        out.put('\0');
        out.flush();  // whoever drives us may wait for each answer
    }
}

namespace {

// A file that is not there is the first problem of all; the rest of the check reads it as empty.
void addFileProblem(const char* name, EKnowledgeFile state, std::vector<SKnowledgeProblem>& problems)
{
    if (state == EKnowledgeFile::Missing) {
        problems.push_back({name, 0, "the file is missing"});
    } else if (state == EKnowledgeFile::Unreadable) {
        problems.push_back({name, 0, "the file cannot be read"});
    }
}

const char* fileNote(EKnowledgeFile state, bool empty)
{
    switch (state) {
    case EKnowledgeFile::Missing: return " fehlt";
    case EKnowledgeFile::Unreadable: return " ist nicht lesbar";
    case EKnowledgeFile::Read: break;
    }
    return empty ? " ist leer" : nullptr;
}

} // namespace

void noteKnowledgeTrouble(const COracle& oracle, std::ostream& err)
{
    const CAnswerEngine& engine = oracle.engine();
    if (const char* note = fileNote(engine.loadReport().keywordFile, engine.records().empty())) {
        err << "Hinweis: sw.dat" << note << "; der Spiegel bleibt stumm.\n";
    }
    if (const char* note = fileNote(engine.loadReport().wordPairFile, engine.wordPairs().pairs().empty())) {
        err << "Hinweis: hv.dat" << note << "; Echos behalten die W\xC3\xB6rter der Frage.\n";
    }
    if (const char* note = fileNote(oracle.helpFileState(), oracle.helpCheck().records().empty())) {
        err << "Hinweis: hilfe.dat" << note << "; Fragen in Not bekommen keine Hilfe-Antwort.\n";
    }
}

int runCheck(const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
{
    const SKnowledgeFileBytes keywordFile = readKnowledgeFileBytes(folder / "sw.dat");
    const SKnowledgeFileBytes wordPairFile = readKnowledgeFileBytes(folder / "hv.dat");
    const SKnowledgeFileBytes helpFile = readKnowledgeFileBytes(folder / COracle::kHelpFileName);
    std::vector<SKnowledgeProblem> problems;
    addFileProblem("sw.dat", keywordFile.state, problems);
    addFileProblem("hv.dat", wordPairFile.state, problems);
    addFileProblem(COracle::kHelpFileName, helpFile.state, problems);
    SKnowledgeCheckOptions options;
    options.helpFile = helpFile.bytes;
    if (auto lines = openAnswerBoxLines()) {
        options.answerLines = std::move(*lines);
    } else {
        err << "Hinweis: ohne die Schrift des Programms wird die L\xC3\xA4nge der Antworten nicht gepr\xC3\xBC" "ft.\n";
    }
    for (SKnowledgeProblem& problem : checkKnowledgeFiles(keywordFile.bytes, wordPairFile.bytes, options)) {
        problems.push_back(std::move(problem));
    }
    for (const SKnowledgeProblem& problem : problems) {
        out << cp1252ToUtf8(formatKnowledgeProblem(problem)) << '\n';
    }
    if (!problems.empty()) {
        err << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
        return 1;
    }
    const auto engine = CAnswerEngine::fromFileBytes(keywordFile.bytes, wordPairFile.bytes);
    std::size_t answers = 0;
    for (const CKeywordRecord& record : engine.records()) {
        answers += record.answers().size();
    }
    out << "OK: " << engine.records().size() << " records, " << answers << " answers, "
        << engine.wordPairs().pairs().size() << " word pairs, "
        << CHelpCheck::fromFileBytes(helpFile.bytes).records().size() << " help records\n";
    return 0;
}
