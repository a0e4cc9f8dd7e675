#include "oracle/COracle.h"

COracle::COracle(const IClock& clock, const std::filesystem::path& folder)
    : engine_(clock, folder)
{
    helpFile_ = help_.load(folder / kHelpFileName);
}

COracle::COracle(CAnswerEngine engine, CHelpCheck help)
    : engine_(std::move(engine)), help_(std::move(help))
{
}

std::string COracle::answer(std::string question)
{
    if (std::optional<std::string> help = help_.answer(question)) {
        return std::move(*help);
    }
    return engine_.answer(std::move(question));
}

std::vector<std::string> oracleLoadMessages(const COracle& oracle)
{
    std::vector<std::string> lines = knowledgeLoadMessages(oracle.engine());
    const char* trouble = nullptr;
    switch (oracle.helpFileState()) {
    case EKnowledgeFile::Missing:
        trouble = " is missing";
        break;
    case EKnowledgeFile::Unreadable:
        trouble = " cannot be read";
        break;
    case EKnowledgeFile::Read:
        trouble = oracle.helpCheck().records().empty() ? " holds no records" : nullptr;
        break;
    }
    if (trouble) {
        lines.push_back(std::string("COracle::") + COracle::kHelpFileName + trouble +
                        " - questions in distress get no help answer");
    }
    return lines;
}
