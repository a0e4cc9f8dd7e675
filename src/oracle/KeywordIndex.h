#pragma once
#include "oracle/ByteTrie.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keywords of every record, record after record, in file order, with a trie over the
// distinct ones, so that a question is scanned in time that depends on the question alone,
// not on how many keywords the file holds.
class CKeywordIndex {
public:
    // Distinct keywords are numbered in byte order.
    using KeywordId = CByteTrie::WordId;

    CKeywordIndex() = default;
    explicit CKeywordIndex(std::vector<std::string> keywords);

    // Every keyword as listed, duplicates included.
    const std::vector<std::string>& keywords() const { return keywords_; }

    std::optional<KeywordId> idOf(std::string_view keyword) const { return trie_.idOf(keyword); }
    // The id of the keyword listed at `position`.
    KeywordId idAt(std::size_t position) const { return idAt_[position]; }

    // The keywords that occur in `scanText` and are not part of a longer keyword that also
    // occurs, each once, in the order of their first place in the list.
    std::vector<std::string> findKeywords(std::string_view scanText) const;

private:
    struct SOccurrence {
        KeywordId keyword;
        std::size_t start;
        std::size_t end;
    };

    std::vector<SOccurrence> occurrences(std::string_view scanText) const;
    std::vector<KeywordId> maximalKeywords(const std::vector<SOccurrence>& found, std::size_t textSize) const;

    std::vector<std::string> keywords_;
    // Per distinct keyword: where it first stands in `keywords_`; per listed keyword: its id.
    std::vector<std::uint32_t> firstPosition_;
    std::vector<KeywordId> idAt_;
    CByteTrie trie_;
};
