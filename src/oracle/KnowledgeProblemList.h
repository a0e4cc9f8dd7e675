#pragma once
// What the checks of the knowledge files and the help file share: where problems go and how
// texts are named in a message.
#include "oracle/CKeywordRecord.h"
#include "oracle/KnowledgeCheck.h"
#include "oracle/QuotedTextReader.h"

#include <string>
#include <string_view>
#include <vector>

class CProblemList {
public:
    CProblemList(std::string file, std::vector<SKnowledgeProblem>& problems)
        : file_(std::move(file)), problems_(problems) {}
    void add(int line, std::string message) { problems_.push_back({file_, line, std::move(message)}); }

private:
    std::string file_;
    std::vector<SKnowledgeProblem>& problems_;
};

// A text in double quotes for a message; control bytes spelled out, long texts shortened.
std::string shown(std::string_view text);

// " (line N)".
std::string atLine(int line);

// A text cut at 299 bytes, left open at the end of the file or holding a NUL.
void checkText(const SQuotedText& text, const std::string& what, int line, CProblemList& problems);

// "record "A" "B"".
std::string recordName(const CKeywordRecord& record);

// An answer the box cannot show on two lines; `lines` is how the program lays answers out.
void checkBoxLength(const std::string& answer, const std::string& what, int line,
                    const AnswerLineCount& lines, CProblemList& problems);
