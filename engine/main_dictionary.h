// A read-only main dictionary: a letter tree compiled into a .ovm file and read in
// place through a memory mapping.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ovm_format.h"
#include "platform/os/os.h"

namespace quillon {

class TMainDictionary {
public:
    // Called with each word of a walk; answers true to skip the words below it.
    using TWalkVisitor = std::function<bool(std::string_view word)>;

    TMainDictionary() = default;
    TMainDictionary(const TMainDictionary&) = delete;
    TMainDictionary& operator=(const TMainDictionary&) = delete;

    // Attaches a file, reading its header only. A file that is missing, unreadable or
    // not a dictionary leaves the object as it was: success shows as FileName() equal
    // to the name given.
    void Open(const std::string& fileName);

    bool Loaded() const { return mapping_.IsOpen(); }
    void SetLoaded(bool loaded);

    bool IsWord(std::string_view word);
    void WalkPrefix(std::string_view prefix, const TWalkVisitor& visitor);

    const std::string& FileName() const { return fileName_; }
    const std::string& Title() const { return title_; }
    std::uint32_t Language() const { return language_; }
    std::uint32_t WordCount() const { return wordCount_; }
    std::uint32_t NodeCount() const { return nodeCount_; }

    int WordsFound() const { return wordsFound_; }
    void IncrementWordsFound() { ++wordsFound_; }

private:
    struct Node {
        std::uint32_t word = 0;
        const std::uint8_t* extras = nullptr;
        int extraCount = 0;

        unsigned char Char() const { return static_cast<unsigned char>(word & ovm::kCharMask); }
        bool EndOfWord() const { return (word & ovm::kEndOfWordBit) != 0; }
    };

    // The nodes a step can continue with: one node, or a run of references in the
    // child-list area (already checked to lie inside it).
    struct Candidates {
        std::uint32_t single = 0;
        const std::uint8_t* list = nullptr;
        const std::uint8_t* listEnd = nullptr;
        unsigned count = 0;
    };

    // tableStart[k-1] is where node table k begins, tableStart[9] where table 9 ends;
    // tableBound[k] is the number of nodes in tables 1..k, tableBound[9] the total.
    struct Layout {
        std::uint64_t tableStart[ovm::kNodeTableCount + 1] = {};
        std::uint64_t tableBound[ovm::kNodeTableCount + 1] = {};
    };

    bool EnsureMapped();
    // The record of a node and its table, or null for an index past the last node.
    const std::uint8_t* RecordOf(std::uint32_t index, int& table) const;
    bool ReadNode(std::uint32_t index, Node& node) const;
    bool ChildrenOf(const Node& node, Candidates& out) const;
    bool ListAt(std::uint64_t offset, unsigned count, Candidates& out) const;
    // Steps through candidates; false at their end. The index may still be out of range:
    // ReadNode refuses it, so a damaged reference costs only its own branch.
    bool NextCandidate(Candidates& c, std::uint32_t& index) const;
    bool MatchNode(std::uint32_t index, unsigned char ch, Node& found) const;
    bool FindChild(Candidates candidates, unsigned char ch, Node& found) const;
    struct WalkState {
        WalkState(const TWalkVisitor& v, std::uint32_t wordCount, std::size_t nodeCount);
        const TWalkVisitor& visitor;
        std::string buffer;        // the word being spelled
        std::uint32_t budget = 0;  // visits left
        std::vector<bool> onPath;  // nodes on the path to the current one, by index
    };
    void Walk(const Node& node, WalkState& walk) const;
    void WalkChildren(const Node& node, WalkState& walk) const;

    std::string fileName_;
    std::string title_;
    std::uint32_t language_ = 0;
    std::uint32_t wordCount_ = 0;
    std::uint32_t nodeCount_ = 0;
    Layout layout_;
    bool wideReferences_ = false;
    int wordsFound_ = 0;

    os::FileMapping mapping_;
    const std::uint8_t* childArea_ = nullptr;
    std::uint64_t childAreaSize_ = 0;
    std::array<std::uint8_t, ovm::kFirstCharTableSize> firstChars_{};
    std::array<std::uint8_t, ovm::kCharTableSize> charTable_{};
};

}  // namespace quillon
