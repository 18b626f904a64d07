#include "engine/replace_node.h"

#include <algorithm>

namespace quillon {

bool TReplaceNode::Match(std::string_view word, std::string_view& destination, std::size_t position,
                         int& length) const {
    const TReplaceNode* best = nullptr;
    const TReplaceNode* node = this;
    for (std::size_t i = position; i < word.size() && node->hasChildren_; ++i) {
        node = node->children_[static_cast<unsigned char>(word[i])].get();
        if (node == nullptr) break;
        if (node->isDestination_) best = node;
    }
    if (best == nullptr) return false;
    destination = best->destination_;
    length = best->length_;
    return true;
}

std::unique_ptr<TReplaceNode> TReplaceNode::CreateNode() const {
    return std::make_unique<TReplaceNode>();
}

void TReplaceNode::Clear() {
    for (auto& child : children_) child.reset();
    hasChildren_ = false;
    isDestination_ = false;
    destination_.clear();
    length_ = 0;
}

void TReplaceNode::Insert(std::string_view source, std::string_view destination, int length) {
    if (source.empty()) return;
    TReplaceNode* node = this;
    for (const char c : source) {
        auto& child = node->children_[static_cast<unsigned char>(c)];
        if (!child) {
            child = node->CreateNode();
            node->hasChildren_ = true;
        }
        node = child.get();
    }
    node->isDestination_ = true;
    node->destination_ = destination;
    node->length_ = std::clamp(length, 1, static_cast<int>(source.size()));
}

}  // namespace quillon
