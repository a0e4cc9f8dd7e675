#pragma once
#include "oracle/COracle.h"

#include <filesystem>
#include <iosfwd>

// Questions typed in UTF-8, one per line, answered in UTF-8 until the input ends.
void runInteractive(COracle& oracle, std::istream& in, std::ostream& out);

// Questions as raw bytes, one per line; each answer's raw bytes followed by one NUL byte.
void runRaw(COracle& oracle, std::istream& in, std::ostream& out);

// A note on `err` for each knowledge file that is missing, unreadable or empty.
void noteKnowledgeTrouble(const COracle& oracle, std::ostream& err);

// Lists the problems of the folder's knowledge files; returns the exit code (1: problems).
int runCheck(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
