#include "builders/ovm_writer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "engine/ovm_format.h"

namespace quillon {
namespace {

using namespace ovm;

// The letter tree as built from the sorted words, before packing.
struct TrieNode {
    unsigned char ch = 0;
    bool endOfWord = false;
    std::vector<std::uint32_t> children;
};

// A node as written: its own character, the folded run after it, and what follows.
struct PackedNode {
    std::uint32_t trieNode = 0;  // whose character and end-of-word bit this is
    std::string extras;
    std::uint32_t childrenOf = 0;  // the trie node whose children follow the run
};

std::vector<TrieNode> BuildTrie(const std::vector<std::string>& sortedWords) {
    std::vector<TrieNode> trie(1);
    std::vector<std::uint32_t> path{0};  // nodes along the previous word
    std::string_view previous;
    for (const std::string& word : sortedWords) {
        std::size_t common = 0;
        while (common < previous.size() && common < word.size() && previous[common] == word[common]) ++common;
        path.resize(common + 1);
        for (std::size_t i = common; i < word.size(); ++i) {
            const auto index = static_cast<std::uint32_t>(trie.size());
            trie.push_back(TrieNode{static_cast<unsigned char>(word[i]), false, {}});
            trie[path.back()].children.push_back(index);
            path.push_back(index);
        }
        trie[path.back()].endOfWord = true;
        previous = word;
    }
    return trie;
}

// Lookups scan children in stored order, so the children that lead to the most words
// come first; ties keep byte order. Children always follow their parent in `trie`, so
// one backward pass sums the words below every node.
void OrderChildrenByWeight(std::vector<TrieNode>& trie) {
    std::vector<std::uint32_t> weight(trie.size(), 0);
    for (std::size_t i = trie.size(); i-- > 0;) {
        weight[i] += trie[i].endOfWord ? 1 : 0;
        for (std::uint32_t c : trie[i].children) weight[i] += weight[c];
    }
    for (TrieNode& node : trie)
        std::stable_sort(node.children.begin(), node.children.end(),
                         [&weight](std::uint32_t a, std::uint32_t b) { return weight[a] > weight[b]; });
}

// Words that end alike share their endings: every subtree that equals another one
// (same characters, word ends and children) is replaced by it, which turns the tree
// into a much smaller graph that lookups and walks read the same way. Children always
// follow their parent in `trie`, so a backward pass sees children first.
void MergeEqualSubtrees(std::vector<TrieNode>& trie) {
    std::vector<std::uint32_t> representative(trie.size());
    std::unordered_map<std::string, std::uint32_t> seen;
    std::string key;
    for (std::size_t i = trie.size(); i-- > 0;) {
        TrieNode& node = trie[i];
        for (std::uint32_t& child : node.children) child = representative[child];
        key.assign({static_cast<char>(node.ch), node.endOfWord ? '1' : '0'});
        for (std::uint32_t child : node.children) key.append(reinterpret_cast<const char*>(&child), sizeof child);
        representative[i] = seen.try_emplace(key, static_cast<std::uint32_t>(i)).first->second;
    }
}

// Packs the graph so that the children of a node lie side by side and close to their
// parent: each node's new children are placed as one block, and the blocks follow a
// depth-first walk, which keeps the common paths of a lookup in few cache lines.
// Nodes below the first level absorb a chain of single children that end no word;
// first-level nodes stay whole (and first), because the first-character table must
// name the nodes of the second character. A shared node gets one record.
std::vector<PackedNode> Pack(const std::vector<TrieNode>& trie) {
    std::vector<PackedNode> packed{PackedNode{0, {}, 0}};
    std::vector<bool> placed(trie.size(), false);
    std::vector<std::uint32_t> pending{0};  // packed nodes whose children are still to place
    while (!pending.empty()) {
        const std::uint32_t parent = pending.back();
        pending.pop_back();
        const bool parentIsRoot = parent == 0;
        const std::size_t firstChild = packed.size();
        for (std::uint32_t child : trie[packed[parent].childrenOf].children) {
            if (placed[child]) continue;
            placed[child] = true;
            PackedNode node{child, {}, child};
            while (!parentIsRoot && node.extras.size() < static_cast<std::size_t>(kMaxExtraChars) &&
                   trie[node.childrenOf].children.size() == 1 &&
                   !trie[trie[node.childrenOf].children[0]].endOfWord) {
                node.childrenOf = trie[node.childrenOf].children[0];
                node.extras += static_cast<char>(trie[node.childrenOf].ch);
            }
            packed.push_back(std::move(node));
        }
        for (std::size_t i = packed.size(); i-- > firstChild;) pending.push_back(static_cast<std::uint32_t>(i));
    }
    return packed;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

class ChildListArea {
public:
    explicit ChildListArea(bool wide) : wide_(wide) {}

    // Appends references and answers the offset of the first.
    std::uint32_t Append(const std::vector<std::uint32_t>& children, bool withCount) {
        if (withCount) bytes_.push_back(static_cast<std::uint8_t>(children.size()));
        const auto offset = static_cast<std::uint32_t>(bytes_.size());
        for (std::uint32_t index : children) PutReference(index);
        return offset;
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void PutReference(std::uint32_t index) {
        if (!wide_) {
            PutU16(bytes_, index);
        } else if (index <= kMaxShortWideReference) {
            bytes_.push_back(static_cast<std::uint8_t>(0x80 | (index >> 8)));
            bytes_.push_back(static_cast<std::uint8_t>(index));
        } else {
            bytes_.push_back(static_cast<std::uint8_t>(index >> 16));
            bytes_.push_back(static_cast<std::uint8_t>(index >> 8));
            bytes_.push_back(static_cast<std::uint8_t>(index));
        }
    }

    bool wide_;
    std::vector<std::uint8_t> bytes_;
};

void CheckWords(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word.size() > kMaxWordLength)
            throw EOvmCompileError("word longer than " + std::to_string(kMaxWordLength) + " bytes: " +
                                   word.substr(0, 40) + "...");
        if (word.find('\0') != std::string::npos) throw EOvmCompileError("word holds a zero byte");
    }
}

}  // namespace

TOvmCompileResult CompileMainDictionary(std::vector<std::string> words, std::u16string_view title,
                                        std::uint32_t language) {
    if (title.size() > kMaxTitleUnits)
        throw EOvmCompileError("title longer than " + std::to_string(kMaxTitleUnits) + " characters");
    std::erase(words, std::string());
    CheckWords(words);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    std::vector<TrieNode> trie = BuildTrie(words);
    OrderChildrenByWeight(trie);
    MergeEqualSubtrees(trie);
    std::vector<PackedNode> packed = Pack(trie);

    // Number the nodes table by table (table k holds nodes with k-1 extra characters),
    // keeping the packing order inside each table; the root stays node 0.
    std::array<std::uint32_t, kNodeTableCount> tableSizes{};
    for (const PackedNode& node : packed) ++tableSizes[node.extras.size()];
    std::array<std::uint32_t, kNodeTableCount> nextIndex{};
    for (int k = 1; k < kNodeTableCount; ++k) nextIndex[k] = nextIndex[k - 1] + tableSizes[k - 1];
    std::vector<std::uint32_t> indexOfTrieNode(trie.size(), 0);
    std::vector<std::uint32_t> order(packed.size());
    for (std::uint32_t p = 0; p < packed.size(); ++p) {
        const std::uint32_t index = nextIndex[packed[p].extras.size()]++;
        indexOfTrieNode[packed[p].trieNode] = index;
        order[index] = p;
    }
    const auto nodeCount = static_cast<std::uint32_t>(packed.size());
    const bool wide = nodeCount >= kWideReferenceNodeCount;
    const std::uint32_t maxIndex = wide ? kMaxLongWideReference : kWideReferenceNodeCount - 1;
    if (nodeCount - 1 > maxIndex || nodeCount - 1 > kReferenceMask)
        throw EOvmCompileError("the word list makes more nodes than the format can address");

    // Node records and child lists, in index order.
    ChildListArea area(wide);
    std::vector<std::uint8_t> tables;
    std::vector<std::uint32_t> listOffset(packed.size(), kLeafReference);
    for (std::uint32_t index = 0; index < nodeCount; ++index) {
        const PackedNode& node = packed[order[index]];
        const TrieNode& own = trie[node.trieNode];
        std::vector<std::uint32_t> children;
        for (std::uint32_t c : trie[node.childrenOf].children) children.push_back(indexOfTrieNode[c]);

        std::uint32_t count = 0;
        std::uint32_t reference = kLeafReference;
        if (children.size() == 1) {
            count = 1;
            reference = children[0];
        } else if (children.size() > 1) {
            const bool inlineCount = children.size() <= kMaxInlineChildren;
            count = inlineCount ? static_cast<std::uint32_t>(children.size()) : 0;
            reference = area.Append(children, !inlineCount);
            listOffset[order[index]] = reference;
            const std::uint32_t stored = inlineCount ? reference : reference - 1;
            if (stored >= kLeafReference) throw EOvmCompileError("the child lists outgrow the format");
            reference = stored;
        }
        std::uint32_t nodeWord = own.ch | (reference << kReferenceShift) | (count << kChildCountShift);
        if (own.endOfWord) nodeWord |= kEndOfWordBit;
        PutU32(tables, nodeWord);
        tables.insert(tables.end(), node.extras.begin(), node.extras.end());
    }

    // First-character table: the second characters are the children of each first-level
    // node; their list in the area is shared.
    std::vector<std::uint8_t> firstChars(kFirstCharTableSize, 0);
    // Packing put the first-level nodes right after the root, unfolded.
    const std::size_t firstLevel = trie[0].children.size();
    for (std::uint32_t p = 1; p <= firstLevel; ++p) {
        const TrieNode& first = trie[packed[p].trieNode];
        std::uint8_t* entry = firstChars.data() + kFirstCharEntrySize * first.ch;
        entry[0] = first.endOfWord ? 1 : 0;
        entry[1] = static_cast<std::uint8_t>(first.children.size());
        if (first.children.empty()) continue;
        const std::uint32_t reference =
            first.children.size() == 1 ? indexOfTrieNode[first.children[0]] : listOffset[p];
        for (int i = 0; i < 4; ++i) entry[4 + i] = static_cast<std::uint8_t>(reference >> (8 * i));
    }

    std::vector<std::uint8_t> out(kHeaderBlockSize, 0);
    std::copy(kBanner.begin(), kBanner.end(), out.begin());
    out.push_back(static_cast<std::uint8_t>(title.size()));
    for (char16_t unit : title) PutU16(out, unit);
    PutU16(out, 0);
    PutU32(out, language);
    PutU32(out, static_cast<std::uint32_t>(words.size()));
    PutU32(out, nodeCount);
    for (std::uint32_t size : tableSizes) PutU32(out, size);
    out.insert(out.end(), tables.begin(), tables.end());
    PutU32(out, static_cast<std::uint32_t>(area.Bytes().size()));
    out.insert(out.end(), area.Bytes().begin(), area.Bytes().end());
    out.insert(out.end(), firstChars.begin(), firstChars.end());
    out.resize(out.size() + kCharTableSize, 0);
    return TOvmCompileResult{std::move(out), static_cast<std::uint32_t>(words.size()), nodeCount};
}

}  // namespace quillon
