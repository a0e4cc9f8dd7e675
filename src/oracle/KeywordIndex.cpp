#include "oracle/KeywordIndex.h"

#include <algorithm>
#include <numeric>

CKeywordIndex::CKeywordIndex(std::vector<std::string> keywords) : keywords_(std::move(keywords))
{
    SDistinctTexts distinct = distinctTexts(std::vector<std::string_view>(keywords_.begin(), keywords_.end()));
    firstPosition_ = std::move(distinct.firstPosition);
    idAt_ = std::move(distinct.idAt);
    std::vector<std::string_view> inByteOrder;
    for (const std::uint32_t position : firstPosition_) {
        inByteOrder.push_back(keywords_[position]);
    }
    trie_ = CByteTrie(inByteOrder);
}

// Every occurrence of every non-empty keyword: from each start the trie is followed as far
// as the text goes along it, so the work is bounded by the text's length times the longest
// keyword's, whatever the number of keywords.
std::vector<CKeywordIndex::SOccurrence> CKeywordIndex::occurrences(std::string_view scanText) const
{
    std::vector<SOccurrence> found;
    for (std::size_t start = 0; start < scanText.size(); ++start) {
        CByteTrie::SPlace place;
        for (std::size_t end = start + 1;
             end <= scanText.size() && trie_.advance(place, static_cast<unsigned char>(scanText[end - 1])); ++end) {
            if (trie_.wordAt(place) != CByteTrie::kNoWord) {
                found.push_back({trie_.wordAt(place), start, end});
            }
        }
    }
    return found;
}

// The same list as walking the keywords in order and letting each occurring one replace
// the found ones it contains, unless it is part of a found one: what is left are the
// occurring keywords no other occurring keyword contains, in order of first appearance.
std::vector<std::string> CKeywordIndex::findKeywords(std::string_view scanText) const
{
    const std::vector<SOccurrence> found = occurrences(scanText);
    std::vector<std::uint32_t> positions;
    for (const KeywordId id : maximalKeywords(found, scanText.size())) {
        positions.push_back(firstPosition_[id]);
    }
    // The empty keyword occurs everywhere and is part of every other one.
    const CByteTrie::WordId empty = trie_.wordAt(CByteTrie::SPlace{});
    if (found.empty() && empty != CByteTrie::kNoWord) {
        positions.push_back(firstPosition_[empty]);
    }
    std::sort(positions.begin(), positions.end());
    std::vector<std::string> result;
    for (const std::uint32_t position : positions) {
        result.push_back(keywords_[position]);
    }
    return result;
}

// A keyword is part of a longer occurring one exactly when one of its occurrences lies
// inside an occurrence of a longer one. With the furthest end reached from each start,
// that is one look-up per occurrence.
std::vector<CKeywordIndex::KeywordId> CKeywordIndex::maximalKeywords(const std::vector<SOccurrence>& found,
                                                                     std::size_t textSize) const
{
    std::vector<std::size_t> reach(textSize + 1);
    std::iota(reach.begin(), reach.end(), std::size_t{0});
    for (const SOccurrence& occurrence : found) {
        reach[occurrence.start] = std::max(reach[occurrence.start], occurrence.end);
    }
    std::vector<std::size_t> reachBefore(textSize + 1, 0);
    for (std::size_t start = 1; start <= textSize; ++start) {
        reachBefore[start] = std::max(reachBefore[start - 1], reach[start - 1]);
    }
    const auto inLonger = [&](const SOccurrence& o) { return reachBefore[o.start] >= o.end || reach[o.start] > o.end; };

    // Occurrences inside no other one start at distinct places: a few hundred at most.
    std::vector<KeywordId> candidates;
    for (const SOccurrence& occurrence : found) {
        if (!inLonger(occurrence)) {
            candidates.push_back(occurrence.keyword);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::vector<bool> partOfLonger(candidates.size(), false);
    for (const SOccurrence& occurrence : found) {
        const auto it = std::lower_bound(candidates.begin(), candidates.end(), occurrence.keyword);
        if (it != candidates.end() && *it == occurrence.keyword && inLonger(occurrence)) {
            partOfLonger[static_cast<std::size_t>(it - candidates.begin())] = true;
        }
    }
    std::vector<KeywordId> maximal;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!partOfLonger[i]) {
            maximal.push_back(candidates[i]);
        }
    }
    return maximal;
}
