#pragma once
#include "oracle/ByteTrie.h"
#include "oracle/QuotedTextReader.h"
#include "oracle/TextModeFile.h"

#include <optional>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Two words swapped for each other when the question is echoed ("ich" and "du").
struct SWordPair {
    std::string from;
    std::string to;
};

// Where a pair's texts stood in "hv.dat", for the data check.
struct SWordPairOrigin {
    SQuotedText from;
    SQuotedText to;
};

struct SWordPairFileContents {
    std::vector<SWordPair> pairs;
    std::vector<SWordPairOrigin> origins;  // one per pair
    // A last text without a partner, which is dropped.
    std::vector<SQuotedText> unpaired;
};

// Reads "hv.dat" from its raw bytes: quoted texts alternate between `from` and `to`;
// nothing else in the file has a meaning.
SWordPairFileContents readWordPairFile(std::string_view fileBytes);

// Separators for the whole-word test: blank , . ! ?
bool isWordSeparator(char c);

// True when the word at `position` of `text` has a separator or the text's edge on both sides.
bool isWholeWord(std::string_view text, std::string_view word, std::size_t position);

// The word-pair table, in file order.
class CWordPairs {
public:
    CWordPairs() = default;
    explicit CWordPairs(std::vector<SWordPair> pairs);

    // Replaces the table with the pairs of the file (none when it is missing).
    EKnowledgeFile loadWordPairs(const std::filesystem::path& path);

    const std::vector<SWordPair>& pairs() const { return pairs_; }

    // Swaps the pairs' words in `text`, in both directions, case-insensitively, whole words
    // only; the swapped-in words keep the spelling of the file.
    void swapWords(std::string& text) const;

private:
    using WordId = CByteTrie::WordId;

    void buildIndex();
    void listPairsOfWords(const SDistinctTexts& words, const std::vector<std::uint32_t>& pairOfWord);
    std::optional<std::size_t> nextActingPair(const std::string& mirror, std::size_t fromPair) const;
    std::vector<WordId> liveWords(const std::string& mirror) const;
    void swapPair(std::size_t pair, std::string& text, std::string& mirror) const;

    std::vector<SWordPair> pairs_;
    // The distinct folded words of the pairs that swap, and per word the pairs that hold
    // it, in file order.
    CByteTrie words_;
    std::vector<std::uint32_t> pairsOfWordBegin_;
    std::vector<std::uint32_t> pairsOfWord_;
    std::size_t mostLeadingBlanks_ = 0;
    // The trie places after 0, 1, ... mostLeadingBlanks_ blanks.
    std::vector<CByteTrie::SPlace> blankChain_{CByteTrie::SPlace{}};
};
