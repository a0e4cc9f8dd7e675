// The word swap of the echo. Walking every pair for every echo would cost time in
// proportion to the word-pair file; instead the pairs are indexed by their folded words,
// and the swap jumps from one pair that can swap something to the next. A pair can swap
// only when one of its words is "live": its first occurrence in the mirror is a whole
// word. The live words are found by following a trie of all pair words through the
// mirror, so the cost depends on the mirror and the words that occur in it, not on how
// many pairs there are; the mirror changes only with a swap, and each swap blanks out at
// least one letter of the question, so there are fewer such rounds than letters.
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
    std::vector<std::string> folded;  // both words of each pair that swaps
    std::vector<std::uint32_t> pairOfWord;
    for (std::uint32_t pair = 0; pair < pairs_.size(); ++pair) {
        if (isSwappable(pairs_[pair].from) && isSwappable(pairs_[pair].to)) {
            folded.insert(folded.end(), {upperCopy(pairs_[pair].from), upperCopy(pairs_[pair].to)});
            pairOfWord.insert(pairOfWord.end(), {pair, pair});
        }
    }
    const SDistinctTexts distinct = distinctTexts(std::vector<std::string_view>(folded.begin(), folded.end()));
    std::vector<std::string_view> inByteOrder;
    mostLeadingBlanks_ = 0;
    for (const std::uint32_t first : distinct.firstPosition) {
        inByteOrder.push_back(folded[first]);
        mostLeadingBlanks_ = std::max(mostLeadingBlanks_, leadingBlanks(folded[first]));
    }
    words_ = CByteTrie(inByteOrder);
    // The places after one, two, ... blanks: they exist up to the most leading blanks.
    blankChain_.assign(1, CByteTrie::SPlace{});
    while (blankChain_.size() <= mostLeadingBlanks_) {
        blankChain_.push_back(blankChain_.back());
        words_.advance(blankChain_.back(), ' ');
    }
    listPairsOfWords(distinct, pairOfWord);
}

// Each word's pairs in file order; a pair whose two words fold alike is listed once.
void CWordPairs::listPairsOfWords(const SDistinctTexts& words, const std::vector<std::uint32_t>& pairOfWord)
{
    const auto listed = [&](std::size_t i) { return i % 2 == 0 || words.idAt[i] != words.idAt[i - 1]; };
    pairsOfWordBegin_.assign(words.firstPosition.size() + 1, 0);
    for (std::size_t i = 0; i < pairOfWord.size(); ++i) {
        pairsOfWordBegin_[words.idAt[i] + 1] += listed(i) ? 1 : 0;
    }
    std::partial_sum(pairsOfWordBegin_.begin(), pairsOfWordBegin_.end(), pairsOfWordBegin_.begin());
    pairsOfWord_.assign(pairsOfWordBegin_.back(), 0);
    std::vector<std::uint32_t> next(pairsOfWordBegin_.begin(), pairsOfWordBegin_.end() - 1);
    for (std::size_t i = 0; i < pairOfWord.size(); ++i) {
        if (listed(i)) {
            pairsOfWord_[next[words.idAt[i]]++] = pairOfWord[i];
        }
    }
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
// as follow from there, and then starts where those blanks lead in the trie; further runs
// of blanks (swaps leave long ones behind) are followed a trie edge at a time.
std::vector<CWordPairs::WordId> CWordPairs::liveWords(const std::string& mirror) const
{
    const std::vector<std::size_t> blanks = blankRuns(mirror);
    std::unordered_set<WordId> decided;
    std::vector<WordId> live;
    for (std::size_t start = 0; start < mirror.size(); ++start) {
        if (blanks[start] > mostLeadingBlanks_) {
            continue;
        }
        const bool startDelimited = start == 0 || isWordSeparator(mirror[start - 1]);
        const auto reached = [&](std::size_t end, WordId word) {
            if (word != CByteTrie::kNoWord && decided.insert(word).second && startDelimited &&
                (end == mirror.size() || isWordSeparator(mirror[end]))) {
                live.push_back(word);
            }
        };
        // No pair word is all blanks, so none ends within the leading ones.
        CByteTrie::SPlace place = blankChain_[blanks[start]];
        for (std::size_t at = start + blanks[start]; at < mirror.size();) {
            if (mirror[at] == ' ') {
                const std::size_t run = blanks[at];
                if (words_.advanceBlanks(place, run, [&](std::size_t n, WordId word) { reached(at + n, word); }) < run) {
                    break;
                }
                at += run;
            } else {
                if (!words_.advance(place, static_cast<unsigned char>(mirror[at]))) {
                    break;
                }
                reached(++at, words_.wordAt(place));
            }
        }
    }
    return live;
}

void CWordPairs::swapPair(std::size_t pair, std::string& text, std::string& mirror) const
{
    const SWordPair& words = pairs_[pair];
    const std::string from = upperCopy(words.from);
    const std::string to = upperCopy(words.to);
    // Each swap blanks out at least one non-separator byte of the mirror, so this ends.
    for (;;) {
        const bool forward = swapFirstOccurrence(text, mirror, from, words.to);
        const bool backward = swapFirstOccurrence(text, mirror, to, words.from);
        if (!forward && !backward) {
            break;
        }
    }
}
