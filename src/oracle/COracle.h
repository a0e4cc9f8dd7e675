#pragma once
#include "common/Clock.h"
#include "oracle/CAnswerEngine.h"
#include "oracle/CHelpCheck.h"

#include <filesystem>
#include <string>
#include <vector>

// The one way to ask, shared by the program and the terminal oracle: the help check first,
// and only when it finds nothing the answer engine, which then answers exactly as it would
// alone. A help answer leaves the engine's cursors and the random generator untouched.
class COracle {
public:
    static constexpr const char* kHelpFileName = "hilfe.dat";

    // The engine's files in `folder` (see CAnswerEngine), then the help file beside them.
    explicit COracle(const IClock& clock, const std::filesystem::path& folder = {});
    COracle(CAnswerEngine engine, CHelpCheck help);

    std::string answer(std::string question);

    CAnswerEngine& engine() { return engine_; }
    const CAnswerEngine& engine() const { return engine_; }
    const CHelpCheck& helpCheck() const { return help_; }
    EKnowledgeFile helpFileState() const { return helpFile_; }

private:
    CAnswerEngine engine_;
    CHelpCheck help_;
    EKnowledgeFile helpFile_ = EKnowledgeFile::Read;
};

// The engine's load messages and one more when the help file is missing, unreadable or empty.
std::vector<std::string> oracleLoadMessages(const COracle& oracle);
