// The word swap of the echo. Walking every pair for every echo would cost time in
// proportion to the word-pair file; instead the pairs are indexed by their folded words,
// and the swap jumps from one pair that can swap something to the next. A pair can swap
// only when one of its words is "live": its first occurrence in the mirror is a whole
// word. The live words are found by following a trie of all pair words from each word
// start in the mirror, so the cost depends on the mirror, not on the file; the mirror
// changes only with a swap, and each swap blanks out at least one letter of the question.
#include "oracle/CWordPairs.h"

#include "oracle/MakeUpper.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace {

// A pair word that is empty or all separators would be found again in the blanks it leaves
// behind (or everywhere), so such a pair could swap forever; it is left out of the swap.
bool isSwappable(const std::string& word)
{
    return !std::all_of(word.begin(), word.end(), isWordSeparator);
}

// Swaps the first occurrence of `find` (folded) in the mirror for `replacement`, if it is
// a whole word there; the mirror gets blanks in its place so that it is never swapped back.
bool swapFirstOccurrence(std::string& text, std::string& mirror, const std::string& find,
                         const std::string& replacement)
{
    const std::size_t position = mirror.find(find);
    if (position == std::string::npos || !isWholeWord(mirror, find, position)) {
        return false;
    }
    text.replace(position, find.size(), replacement);
    mirror.replace(position, find.size(), replacement.size(), ' ');
    return true;
}

std::size_t leadingBlanks(std::string_view word)
{
    return std::min(word.find_first_not_of(' '), word.size());
}

// For each place of the mirror, how many blanks follow from there on.
std::vector<std::size_t> blankRuns(const std::string& mirror)
{
    std::vector<std::size_t> blanks(mirror.size() + 1, 0);
    for (std::size_t i = mirror.size(); i-- > 0;) {
        blanks[i] = mirror[i] == ' ' ? blanks[i + 1] + 1 : 0;
    }
    return blanks;
}

} // namespace

void CWordPairs::buildIndex()
{
    folded_.assign(pairs_.size(), WordPair{});
    std::vector<std::string_view> words;
    std::vector<std::uint32_t> sources;  // the pair of each word
    for (std::uint32_t pair = 0; pair < pairs_.size(); ++pair) {
        if (isSwappable(pairs_[pair].from) && isSwappable(pairs_[pair].to)) {
            folded_[pair] = {upperCopy(pairs_[pair].from), upperCopy(pairs_[pair].to)};
            words.insert(words.end(), {folded_[pair].from, folded_[pair].to});
            sources.insert(sources.end(), {pair, pair});
        }
    }
    std::vector<std::string_view> distinct;
    mostLeadingBlanks_ = 0;
    for (const std::uint32_t first : firstOfEachDistinct(words)) {
        distinct.push_back(words[first]);
        mostLeadingBlanks_ = std::max(mostLeadingBlanks_, leadingBlanks(words[first]));
    }
    words_ = CByteTrie(distinct);
    // The nodes of one, two, ... blanks: they exist up to the most leading blanks of a word.
    blankChain_.assign(1, CByteTrie::kRoot);
    while (blankChain_.size() <= mostLeadingBlanks_) {
        blankChain_.push_back(*words_.child(blankChain_.back(), ' '));
    }

    // Each word's pairs in file order; a pair whose two words fold alike is listed once.
    std::vector<std::pair<WordId, std::uint32_t>> wordPair;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const WordId word = *words_.idOf(words[i]);
        if (i % 2 == 0 || word != wordPair.back().first) {
            wordPair.emplace_back(word, sources[i]);
        }
    }
    std::stable_sort(wordPair.begin(), wordPair.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    pairsOfWordBegin_.assign(distinct.size() + 1, 0);
    pairsOfWord_.clear();
    for (const auto& [word, pair] : wordPair) {
        ++pairsOfWordBegin_[word + 1];
        pairsOfWord_.push_back(pair);
    }
    std::partial_sum(pairsOfWordBegin_.begin(), pairsOfWordBegin_.end(), pairsOfWordBegin_.begin());
}

void CWordPairs::swapWords(std::string& text) const
{
    std::string mirror = upperCopy(text);
    std::size_t fromPair = 0;
    while (const auto pair = nextActingPair(mirror, fromPair)) {
        swapPair(*pair, text, mirror);
        fromPair = *pair + 1;
    }
}

// The pairs between do nothing: neither of their words is live in this mirror.
std::optional<std::size_t> CWordPairs::nextActingPair(const std::string& mirror, std::size_t fromPair) const
{
    std::optional<std::size_t> next;
    for (const WordId word : liveWords(mirror)) {
        const auto first = pairsOfWord_.begin() + pairsOfWordBegin_[word];
        const auto last = pairsOfWord_.begin() + pairsOfWordBegin_[word + 1];
        const auto it = std::lower_bound(first, last, fromPair);
        if (it != last && (!next || *it < *next)) {
            next = *it;
        }
    }
    return next;
}

// Every word's first occurrence is found by following the trie of all pair words from each
// place of the mirror in turn; the first place a word is reached at decides whether it is
// live. A place inside a blank run is tried only when some word begins with as many blanks
// as follow from there, and the trie's run of blanks is then skipped in one step (no pair
// word is all blanks, so none ends inside it).
std::vector<CWordPairs::WordId> CWordPairs::liveWords(const std::string& mirror) const
{
    const std::vector<std::size_t> blanks = blankRuns(mirror);
    std::unordered_set<WordId> decided;
    std::vector<WordId> live;
    for (std::size_t start = 0; start < mirror.size(); ++start) {
        if (blanks[start] >= blankChain_.size()) {
            continue;
        }
        const bool startDelimited = start == 0 || isWordSeparator(mirror[start - 1]);
        CByteTrie::NodeId node = blankChain_[blanks[start]];
        for (std::size_t end = start + blanks[start] + 1; end <= mirror.size(); ++end) {
            const auto next = words_.child(node, static_cast<unsigned char>(mirror[end - 1]));
            if (!next) {
                break;
            }
            node = *next;
            const WordId word = words_.wordAt(node);
            if (word != CByteTrie::kNoWord && decided.insert(word).second && startDelimited &&
                (end == mirror.size() || isWordSeparator(mirror[end]))) {
                live.push_back(word);
            }
        }
    }
    return live;
}

void CWordPairs::swapPair(std::size_t pair, std::string& text, std::string& mirror) const
{
    // Each swap blanks out at least one non-separator byte of the mirror, so this ends.
    for (;;) {
        const bool forward = swapFirstOccurrence(text, mirror, folded_[pair].from, pairs_[pair].to);
        const bool backward = swapFirstOccurrence(text, mirror, folded_[pair].to, pairs_[pair].from);
        if (!forward && !backward) {
            break;
        }
    }
}
