#include "oracle/ByteTrie.h"

#include <algorithm>
#include <numeric>

namespace {

std::size_t commonPrefixLength(std::string_view a, std::string_view b)
{
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(inA - a.begin());
}

} // namespace

// The words come in byte order, so only the path to the latest word ever changes, and
// every node's edges arise in the order of their first bytes.
CByteTrie::CByteTrie(const std::vector<std::string_view>& words) : nodeWord_(1, kNoWord)
{
    std::vector<SEdge> edges;
    std::vector<SPathNode> path{{kRoot, 0, 0}};
    std::string_view previous;
    for (WordId id = 0; id < words.size(); ++id) {
        addWord(edges, path, words[id], commonPrefixLength(previous, words[id]));
        nodeWord_[path.back().node] = id;
        previous = words[id];
    }
    arrangeEdges(edges);
}

// Leaves on `path` the node of `word`, which shares `shared` bytes with the word before
// it and, coming later in byte order, is no prefix of it.
void CByteTrie::addWord(std::vector<SEdge>& edges, std::vector<SPathNode>& path, std::string_view word,
                        std::size_t shared)
{
    std::optional<SPathNode> below;
    while (path.back().depth > shared) {
        below = path.back();
        path.pop_back();
    }
    if (path.back().depth < shared) {
        // The edge to `below` passes the branching point: split it there.
        const auto middle = static_cast<NodeId>(nodeWord_.size());
        nodeWord_.push_back(kNoWord);
        const SEdge upper = edges[below->edge];
        const auto upperLength = static_cast<std::uint32_t>(shared - path.back().depth);
        edges[below->edge] = {upper.parent, middle, upper.labelStart, upperLength};
        edges.push_back({middle, below->node, upper.labelStart + upperLength, upper.labelLength - upperLength});
        path.push_back({middle, shared, below->edge});
    }
    if (word.size() > shared) {
        const auto leaf = static_cast<NodeId>(nodeWord_.size());
        nodeWord_.push_back(kNoWord);
        edges.push_back({path.back().node, leaf, static_cast<std::uint32_t>(labels_.size()),
                         static_cast<std::uint32_t>(word.size() - shared)});
        labels_.append(word.substr(shared));
        path.push_back({leaf, word.size(), edges.size() - 1});
    }
}

// Groups the edges by parent, keeping their order, into the flat arrays.
void CByteTrie::arrangeEdges(const std::vector<SEdge>& edges)
{
    edgeBegin_.assign(nodeWord_.size() + 1, 0);
    for (const SEdge& edge : edges) {
        ++edgeBegin_[edge.parent + 1];
    }
    std::partial_sum(edgeBegin_.begin(), edgeBegin_.end(), edgeBegin_.begin());
    edgeByte_.resize(edges.size());
    edgeChild_.resize(edges.size());
    edgeLabel_.resize(edges.size());
    edgeLength_.resize(edges.size());
    std::vector<std::uint32_t> next(edgeBegin_.begin(), edgeBegin_.end() - 1);
    for (const SEdge& edge : edges) {
        const std::uint32_t slot = next[edge.parent]++;
        edgeByte_[slot] = static_cast<unsigned char>(labels_[edge.labelStart]);
        edgeChild_[slot] = edge.child;
        edgeLabel_[slot] = edge.labelStart;
        edgeLength_[slot] = edge.labelLength;
    }
}

bool CByteTrie::advance(SPlace& place, unsigned char byte) const
{
    if (place.edge == kNoEdge) {
        const auto first = edgeByte_.begin() + edgeBegin_[place.node];
        const auto last = edgeByte_.begin() + edgeBegin_[place.node + 1];
        const auto it = std::lower_bound(first, last, byte);
        if (it == last || *it != byte) {
            return false;
        }
        place.edge = static_cast<std::uint32_t>(it - edgeByte_.begin());
        place.along = 1;
    } else {
        if (static_cast<unsigned char>(labels_[edgeLabel_[place.edge] + place.along]) != byte) {
            return false;
        }
        ++place.along;
    }
    if (place.along == edgeLength_[place.edge]) {
        place = {edgeChild_[place.edge], kNoEdge, 0};
    }
    return true;
}

std::optional<CByteTrie::WordId> CByteTrie::idOf(std::string_view word) const
{
    SPlace place;
    for (const char c : word) {
        if (!advance(place, static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    const WordId id = wordAt(place);
    return id == kNoWord ? std::nullopt : std::optional<WordId>(id);
}

SDistinctTexts distinctTexts(const std::vector<std::string_view>& texts)
{
    // Sorted by text and then by position, so the first of each run of equal texts is the
    // first in the list. Most comparisons end within the first eight bytes, kept at hand.
    struct SEntry {
        std::uint64_t head;
        std::uint32_t position;
    };
    std::vector<SEntry> order;
    order.reserve(texts.size());
    for (std::uint32_t position = 0; position < texts.size(); ++position) {
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            head = head << 8 | (i < texts[position].size() ? static_cast<unsigned char>(texts[position][i]) : 0u);
        }
        order.push_back({head, position});
    }
    std::sort(order.begin(), order.end(), [&texts](const SEntry& a, const SEntry& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        const int byText = texts[a.position].compare(texts[b.position]);
        return byText != 0 ? byText < 0 : a.position < b.position;
    });
    SDistinctTexts distinct;
    distinct.idAt.resize(texts.size());
    for (const SEntry& entry : order) {
        if (distinct.firstPosition.empty() || texts[distinct.firstPosition.back()] != texts[entry.position]) {
            distinct.firstPosition.push_back(entry.position);
        }
        distinct.idAt[entry.position] = static_cast<std::uint32_t>(distinct.firstPosition.size() - 1);
    }
    return distinct;
}
