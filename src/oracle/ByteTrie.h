#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A trie over byte strings with each run of single-child nodes folded into one edge, so it
// takes a few dozen bytes per word and one byte per byte that no other word shares. The
// edges of a node sit in one sorted run of flat arrays.
class CByteTrie {
public:
    using NodeId = std::uint32_t;
    using WordId = std::uint32_t;  // the word's place in the list the trie was built from
    static constexpr NodeId kRoot = 0;
    static constexpr WordId kNoWord = ~WordId{0};

    // Where a walk stands: at a node, or `along` bytes into one of its edges.
    struct SPlace {
        NodeId node = kRoot;
        std::uint32_t edge = kNoEdge;
        std::uint32_t along = 0;
    };

    CByteTrie() : CByteTrie(std::vector<std::string_view>{}) {}
    // `words` in byte order, none twice.
    explicit CByteTrie(const std::vector<std::string_view>& words);

    // Follows one more byte; false when no word goes on that way (the place is then spent).
    bool advance(SPlace& place, unsigned char byte) const;
    // Follows up to `count` blanks at once, calling reached(blanksSoFar, word) for each word
    // that ends on the way; gives the number of blanks followed.
    template <typename Reached>
    std::size_t advanceBlanks(SPlace& place, std::size_t count, Reached&& reached) const;
    // The word that ends at the place, or kNoWord.
    WordId wordAt(const SPlace& place) const { return place.edge == kNoEdge ? nodeWord_[place.node] : kNoWord; }
    std::optional<WordId> idOf(std::string_view word) const;

private:
    static constexpr std::uint32_t kNoEdge = ~std::uint32_t{0};
    struct SEdge {
        NodeId parent;
        NodeId child;
        std::uint32_t labelStart;
        std::uint32_t labelLength;
    };
    struct SPathNode {
        NodeId node;
        std::size_t depth;
        std::size_t edge;  // the edge that leads to it
    };

    void addWord(std::vector<SEdge>& edges, std::vector<SPathNode>& path, std::string_view word, std::size_t shared);
    void arrangeEdges(const std::vector<SEdge>& edges);

    std::vector<WordId> nodeWord_;
    // Node i's edges are edgeBegin_[i] .. edgeBegin_[i + 1], sorted by their first byte;
    // an edge's bytes are labels_[edgeLabel_[e] ..] for edgeLength_[e] bytes.
    std::vector<std::uint32_t> edgeBegin_;
    std::vector<unsigned char> edgeByte_;
    std::vector<NodeId> edgeChild_;
    std::vector<std::uint32_t> edgeLabel_;
    std::vector<std::uint32_t> edgeLength_;
    std::string labels_;
};

// A long run of blanks inside an edge costs one scan of its bytes, not one step per byte.
template <typename Reached>
std::size_t CByteTrie::advanceBlanks(SPlace& place, std::size_t count, Reached&& reached) const
{
    std::size_t followed = 0;
    while (followed < count) {
        if (place.edge == kNoEdge) {
            if (!advance(place, ' ')) {
                break;
            }
            ++followed;
        }
        if (place.edge != kNoEdge) {
            const std::size_t at = edgeLabel_[place.edge] + place.along;
            const std::size_t edgeEnd = edgeLabel_[place.edge] + edgeLength_[place.edge];
            const std::size_t blanks = std::min(labels_.find_first_not_of(' ', at), edgeEnd) - at;
            const std::size_t step = std::min(blanks, count - followed);
            followed += step;
            place.along += static_cast<std::uint32_t>(step);
            if (place.along == edgeLength_[place.edge]) {
                place = {edgeChild_[place.edge], kNoEdge, 0};
            } else if (followed < count) {
                break;  // the edge goes on with something else than a blank
            }
        }
        if (place.edge == kNoEdge && nodeWord_[place.node] != kNoWord) {
            reached(followed, nodeWord_[place.node]);
        }
    }
    return followed;
}

// The distinct texts of a list, numbered in byte order.
struct SDistinctTexts {
    std::vector<std::uint32_t> firstPosition;  // per distinct text: where it first stands
    std::vector<std::uint32_t> idAt;           // per position: the number of its text
};
SDistinctTexts distinctTexts(const std::vector<std::string_view>& texts);
