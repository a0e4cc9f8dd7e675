#pragma once
#include "oracle/CKeywordRecord.h"
#include "oracle/QuotedTextReader.h"

#include <string_view>
#include <vector>

// Where a record stood in the keyword file and how its texts were read; only the data
// check looks at this, the engine keeps the records alone.
struct SKeywordRecordOrigin {
    std::vector<SQuotedText> keywords;  // as read, before folding
    std::vector<SQuotedText> answers;
};

struct SKeywordFileContents {
    std::vector<CKeywordRecord> records;
    std::vector<SKeywordRecordOrigin> origins;  // one per record, same order
};

// Reads "sw.dat" from its raw bytes (text-mode decoding included). Never fails: malformed
// input is read by the same rules as good input.
SKeywordFileContents readKeywordFile(std::string_view fileBytes);
