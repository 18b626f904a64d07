// A 256-way tree of source strings, each ending in a destination string and the number
// of source characters a match consumes: the rule store of the phonetic encoder.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace quillon {

class TReplaceNode {
public:
    TReplaceNode() = default;
    TReplaceNode(const TReplaceNode&) = delete;
    TReplaceNode& operator=(const TReplaceNode&) = delete;
    virtual ~TReplaceNode() = default;

    // Slots 0-3.
    // Finds the longest source that starts at `position` of the word; on a match gives its
    // destination (a view into this tree, valid until it changes) and consumed length.
    virtual bool Match(std::string_view word, std::string_view& destination, std::size_t position,
                       int& length) const;
    // The virtual constructor: makes the nodes that Insert hangs below this one.
    virtual std::unique_ptr<TReplaceNode> CreateNode() const;
    virtual void Clear();
    // Adds a rule, or replaces the destination and length of a source already present.
    // An empty source is ignored (it would match everywhere and consume nothing); the
    // length is brought into 1..source length so that every match makes progress.
    virtual void Insert(std::string_view source, std::string_view destination, int length);

private:
    std::array<std::unique_ptr<TReplaceNode>, 256> children_;
    bool hasChildren_ = false;
    bool isDestination_ = false;
    std::string destination_;
    int length_ = 0;
};

}  // namespace quillon
