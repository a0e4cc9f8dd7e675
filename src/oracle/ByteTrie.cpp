#include "oracle/ByteTrie.h"

#include <algorithm>
#include <numeric>

namespace {

struct TrieEdge {
    CByteTrie::NodeId parent;
    unsigned char byte;
    CByteTrie::NodeId child;
};

std::size_t commonPrefixLength(std::string_view a, std::string_view b)
{
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(inA - a.begin());
}

} // namespace

// The words come in byte order, so every node's edges arise in byte order and a stable
// grouping by parent gives each node its sorted edge run.
CByteTrie::CByteTrie(const std::vector<std::string_view>& words) : nodeWord_(1, kNoWord)
{
    std::vector<TrieEdge> edges;
    std::vector<NodeId> path{kRoot};
    std::string_view previous;
    for (WordId id = 0; id < words.size(); ++id) {
        const std::string_view word = words[id];
        path.resize(commonPrefixLength(previous, word) + 1);
        for (std::size_t depth = path.size() - 1; depth < word.size(); ++depth) {
            const auto node = static_cast<NodeId>(nodeWord_.size());
            nodeWord_.push_back(kNoWord);
            edges.push_back({path.back(), static_cast<unsigned char>(word[depth]), node});
            path.push_back(node);
        }
        nodeWord_[path.back()] = id;
        previous = word;
    }
    edgeBegin_.assign(nodeWord_.size() + 1, 0);
    for (const TrieEdge& edge : edges) {
        ++edgeBegin_[edge.parent + 1];
    }
    std::partial_sum(edgeBegin_.begin(), edgeBegin_.end(), edgeBegin_.begin());
    edgeByte_.resize(edges.size());
    edgeChild_.resize(edges.size());
    std::vector<std::uint32_t> next(edgeBegin_.begin(), edgeBegin_.end() - 1);
    for (const TrieEdge& edge : edges) {
        const std::uint32_t slot = next[edge.parent]++;
        edgeByte_[slot] = edge.byte;
        edgeChild_[slot] = edge.child;
    }
}

std::optional<CByteTrie::NodeId> CByteTrie::child(NodeId node, unsigned char byte) const
{
    const auto first = edgeByte_.begin() + edgeBegin_[node];
    const auto last = edgeByte_.begin() + edgeBegin_[node + 1];
    const auto it = std::lower_bound(first, last, byte);
    if (it == last || *it != byte) {
        return std::nullopt;
    }
    return edgeChild_[static_cast<std::size_t>(it - edgeByte_.begin())];
}

std::optional<CByteTrie::WordId> CByteTrie::idOf(std::string_view word) const
{
    NodeId node = kRoot;
    for (const char c : word) {
        const auto next = child(node, static_cast<unsigned char>(c));
        if (!next) {
            return std::nullopt;
        }
        node = *next;
    }
    if (nodeWord_[node] == kNoWord) {
        return std::nullopt;
    }
    return nodeWord_[node];
}

std::vector<std::uint32_t> firstOfEachDistinct(const std::vector<std::string_view>& texts)
{
    // A stable sort keeps equal texts in list order: the first of each run is the first.
    std::vector<std::uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&texts](std::uint32_t a, std::uint32_t b) { return texts[a] < texts[b]; });
    std::vector<std::uint32_t> firsts;
    for (const std::uint32_t position : order) {
        if (firsts.empty() || texts[firsts.back()] != texts[position]) {
            firsts.push_back(position);
        }
    }
    return firsts;
}
