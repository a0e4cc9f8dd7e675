#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A trie over byte strings, compact: each node's edges sit in one sorted run of two flat
// arrays, so it takes a few bytes per distinct byte of the words and no more.
class CByteTrie {
public:
    using NodeId = std::uint32_t;
    using WordId = std::uint32_t;  // the word's place in the list the trie was built from
    static constexpr NodeId kRoot = 0;
    static constexpr WordId kNoWord = ~WordId{0};

    CByteTrie() : CByteTrie(std::vector<std::string_view>{}) {}
    // `words` in byte order, none twice.
    explicit CByteTrie(const std::vector<std::string_view>& words);

    std::optional<NodeId> child(NodeId node, unsigned char byte) const;
    // The word that ends at `node`, or kNoWord.
    WordId wordAt(NodeId node) const { return nodeWord_[node]; }
    std::optional<WordId> idOf(std::string_view word) const;

private:
    // Node i's edges are edgeBegin_[i] .. edgeBegin_[i + 1], sorted by byte.
    std::vector<std::uint32_t> edgeBegin_;
    std::vector<WordId> nodeWord_;
    std::vector<unsigned char> edgeByte_;
    std::vector<NodeId> edgeChild_;
};

// Where each distinct text of `texts` first stands, in byte order of the texts: the list
// a trie over them is built from.
std::vector<std::uint32_t> firstOfEachDistinct(const std::vector<std::string_view>& texts);
