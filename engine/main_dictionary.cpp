#include "engine/main_dictionary.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/os/ansi_codepage.h"

namespace quillon {
namespace {

using namespace ovm;

struct Header {
    std::string title;
    std::uint32_t language = 0;
    std::uint32_t wordCount = 0;
    std::uint32_t nodeCount = 0;
    std::uint64_t tableStart[kNodeTableCount + 1] = {};
    std::uint64_t tableBound[kNodeTableCount + 1] = {};
};

bool HasBanner(const std::uint8_t* data) {
    const void* zero = std::memchr(data, 0, kHeaderBlockSize);
    const std::size_t textLength =
        zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data) : kHeaderBlockSize;
    return textLength >= kBanner.size() && std::memcmp(data, kBanner.data(), kBanner.size()) == 0;
}

// Reads the fields after the header block; nothing when the file ends among them.
std::optional<Header> ParseHeader(const std::uint8_t* data, std::size_t size) {
    if (size <= kHeaderBlockSize || !HasBanner(data)) return std::nullopt;
    const std::size_t titleUnits = data[kTitleLengthOffset];
    const std::size_t titleStart = kTitleLengthOffset + 1;
    const std::size_t fieldsStart = titleStart + 2 * titleUnits + 2;
    const std::size_t tablesStart = fieldsStart + 12 + 4 * kNodeTableCount;
    if (size < tablesStart) return std::nullopt;

    Header h;
    std::u16string title;
    for (std::size_t i = 0; i <= titleUnits; ++i) {
        const char16_t unit = ReadU16(data + titleStart + 2 * i);
        if (unit == 0) break;
        title += unit;
    }
    h.title = os::WideToAnsi(title);
    h.language = ReadU32(data + fieldsStart);
    h.wordCount = ReadU32(data + fieldsStart + 4);
    h.nodeCount = ReadU32(data + fieldsStart + 8);
    h.tableStart[0] = tablesStart;
    for (int k = 1; k <= kNodeTableCount; ++k) {
        const std::uint64_t count = ReadU32(data + fieldsStart + 12 + 4 * (k - 1));
        h.tableStart[k] = h.tableStart[k - 1] + count * NodeRecordSize(k);
        h.tableBound[k] = h.tableBound[k - 1] + count;
    }
    return h;
}

}  // namespace

void TMainDictionary::Open(const std::string& fileName) {
    os::FileMapping file;
    if (!file.Open(fileName)) return;
    wordsFound_ = 0;
    const bool wasLoaded = Loaded();
    SetLoaded(false);

    const std::optional<Header> header = ParseHeader(file.Data(), file.Size());
    if (!header) return;
    file.Close();

    fileName_ = fileName;
    title_ = header->title;
    language_ = header->language;
    wordCount_ = header->wordCount;
    nodeCount_ = header->nodeCount;
    wideReferences_ = nodeCount_ >= kWideReferenceNodeCount;
    std::memcpy(layout_.tableStart, header->tableStart, sizeof layout_.tableStart);
    std::memcpy(layout_.tableBound, header->tableBound, sizeof layout_.tableBound);
    if (wasLoaded) SetLoaded(true);
}

void TMainDictionary::SetLoaded(bool loaded) {
    if (!loaded) {
        mapping_.Close();
        childArea_ = nullptr;
        childAreaSize_ = 0;
        return;
    }
    if (Loaded() || fileName_.empty()) return;

    os::FileMapping file;
    if (!file.Open(fileName_)) return;
    const std::uint64_t size = file.Size();
    const std::uint64_t tablesEnd = layout_.tableStart[kNodeTableCount];
    if (size <= tablesEnd + 4) return;
    const std::uint64_t childAreaSize = ReadU32(file.Data() + tablesEnd);
    const std::uint64_t childAreaStart = tablesEnd + 4;
    if (size < childAreaStart + childAreaSize + kFirstCharTableSize + kCharTableSize) return;

    const std::uint8_t* tables = file.Data() + childAreaStart + childAreaSize;
    std::memcpy(firstChars_.data(), tables, kFirstCharTableSize);
    std::memcpy(charTable_.data(), tables + kFirstCharTableSize, kCharTableSize);
    mapping_ = std::move(file);
    childArea_ = mapping_.Data() + childAreaStart;
    childAreaSize_ = childAreaSize;
}

bool TMainDictionary::EnsureMapped() {
    if (!Loaded()) SetLoaded(true);
    return Loaded();
}

const std::uint8_t* TMainDictionary::RecordOf(std::uint32_t index, int& table) const {
    // Most nodes are in table 1, so it is tried first.
    if (index < layout_.tableBound[1]) {
        table = 1;
        return mapping_.Data() + layout_.tableStart[0] + static_cast<std::uint64_t>(index) * NodeRecordSize(1);
    }
    if (index >= layout_.tableBound[kNodeTableCount]) return nullptr;
    int k = 2;
    while (layout_.tableBound[k] <= index) ++k;
    table = k;
    return mapping_.Data() + layout_.tableStart[k - 1] + (index - layout_.tableBound[k - 1]) * NodeRecordSize(k);
}

bool TMainDictionary::ReadNode(std::uint32_t index, Node& node) const {
    int table;
    const std::uint8_t* record = RecordOf(index, table);
    if (!record) return false;
    node = Node{ReadU32(record), record + 4, table - 1};
    return true;
}

bool TMainDictionary::ListAt(std::uint64_t offset, unsigned count, Candidates& out) const {
    if (offset >= childAreaSize_) return false;
    out.list = childArea_ + offset;
    out.listEnd = childArea_ + childAreaSize_;
    out.count = count;
    return true;
}

bool TMainDictionary::ChildrenOf(const Node& node, Candidates& out) const {
    const unsigned count = (node.word >> kChildCountShift) & kChildCountMask;
    const std::uint32_t reference = (node.word >> kReferenceShift) & kReferenceMask;
    if (count == 1) {
        out = Candidates{reference, nullptr, nullptr, 1};
        return true;
    }
    if (count > 1) return ListAt(reference, count, out);
    if (reference == kLeafReference || reference >= childAreaSize_) return false;
    const unsigned listed = childArea_[reference];
    return listed != 0 && ListAt(reference + 1, listed, out);
}

bool TMainDictionary::NextCandidate(Candidates& c, std::uint32_t& index) const {
    if (c.count == 0) return false;
    --c.count;
    if (!c.list) {
        index = c.single;
    } else {
        const std::ptrdiff_t left = c.listEnd - c.list;
        if (left < 2) return false;
        const std::uint8_t first = c.list[0];
        if (!wideReferences_) {
            index = ReadU16(c.list);
            c.list += 2;
        } else if (first & 0x80) {
            index = (static_cast<std::uint32_t>(first & 0x7F) << 8) | c.list[1];
            c.list += 2;
        } else {
            if (left < 3) return false;
            index = (static_cast<std::uint32_t>(first) << 16) | (static_cast<std::uint32_t>(c.list[1]) << 8) |
                    c.list[2];
            c.list += 3;
        }
    }
    return true;
}

bool TMainDictionary::MatchNode(std::uint32_t index, unsigned char ch, Node& found) const {
    int table;
    // The character is the node word's low byte, the record's first.
    const std::uint8_t* record = RecordOf(index, table);
    if (!record || record[0] != ch) return false;
    found = Node{ReadU32(record), record + 4, table - 1};
    return true;
}

bool TMainDictionary::FindChild(Candidates candidates, unsigned char ch, Node& found) const {
    if (candidates.list && !wideReferences_) {
        // Fixed-size references: bound the count once instead of at every step.
        const auto fit = static_cast<std::size_t>(candidates.listEnd - candidates.list) / 2;
        const std::uint8_t* reference = candidates.list;
        for (std::size_t n = std::min<std::size_t>(candidates.count, fit); n > 0; --n, reference += 2)
            if (MatchNode(ReadU16(reference), ch, found)) return true;
        return false;
    }
    std::uint32_t index;
    while (NextCandidate(candidates, index))
        if (MatchNode(index, ch, found)) return true;
    return false;
}

bool TMainDictionary::IsWord(std::string_view word) {
    if (word.empty() || !EnsureMapped()) return false;
    const std::uint8_t* entry = firstChars_.data() + kFirstCharEntrySize * static_cast<unsigned char>(word[0]);
    if (word.size() == 1) return entry[0] != 0;

    const unsigned following = entry[1];
    const std::uint32_t reference = ReadU32(entry + 4);
    Candidates candidates{reference, nullptr, nullptr, 1};
    if (following == 0) return false;
    if (following > 1 && !ListAt(reference, following, candidates)) return false;

    std::size_t pos = 1;
    for (;;) {
        Node node;
        if (!FindChild(candidates, static_cast<unsigned char>(word[pos]), node)) return false;
        if (pos + 1 == word.size()) return node.EndOfWord();
        ++pos;
        for (int j = 0; j < node.extraCount; ++j, ++pos)
            if (pos >= word.size() || static_cast<std::uint8_t>(word[pos]) != node.extras[j]) return false;
        if (pos >= word.size()) return false;
        if (!ChildrenOf(node, candidates)) return false;
    }
}

void TMainDictionary::WalkPrefix(std::string_view prefix, const TWalkVisitor& visitor) {
    Node node;
    if (!EnsureMapped() || !ReadNode(0, node) || prefix.size() > kMaxWordLength) return;
    WalkState walk(visitor, wordCount_, static_cast<std::size_t>(layout_.tableBound[kNodeTableCount]));
    if (prefix.empty()) {
        WalkChildren(node, walk);
        return;
    }
    std::string& buffer = walk.buffer;
    std::size_t pos = 0;
    for (;;) {
        Candidates candidates;
        if (!ChildrenOf(node, candidates)) return;
        if (!FindChild(candidates, static_cast<unsigned char>(prefix[pos]), node)) return;
        buffer += prefix[pos++];
        if (pos == prefix.size()) {
            Walk(node, walk);
            return;
        }
        int j = 0;
        for (; j < node.extraCount && pos < prefix.size(); ++j, ++pos) {
            if (static_cast<std::uint8_t>(prefix[pos]) != node.extras[j]) return;
            buffer += prefix[pos];
        }
        if (pos == prefix.size()) {
            // The prefix ends inside this node's run, so its own word is too short to report.
            if (buffer.size() + (node.extraCount - j) > kMaxWordLength) return;
            buffer.append(reinterpret_cast<const char*>(node.extras + j), node.extraCount - j);
            WalkChildren(node, walk);
            return;
        }
    }
}

// Shared endings make the tree a graph, so nodes can be visited more than once, but a
// sound file never meets a node again below itself and visits at most one node per
// character of its words. A damaged file's cycles end where they close, and its other
// excesses (far more paths than words) at that bound, or at a fixed cap that keeps a
// lying word count from stalling the caller; only a dictionary of millions of words
// would reach it.
TMainDictionary::WalkState::WalkState(const TWalkVisitor& v, std::uint32_t wordCount, std::size_t nodeCount)
    : visitor(v), onPath(nodeCount, false) {
    constexpr std::uint64_t kMaxVisits = 1u << 23;
    budget = static_cast<std::uint32_t>(
        std::min<std::uint64_t>((static_cast<std::uint64_t>(wordCount) + 1) * kMaxWordLength, kMaxVisits));
    buffer.reserve(kMaxWordLength);
}

void TMainDictionary::Walk(const Node& node, WalkState& walk) const {
    if (walk.budget == 0) return;
    --walk.budget;
    std::string& buffer = walk.buffer;
    if (node.EndOfWord() && walk.visitor(buffer)) return;
    if (buffer.size() + node.extraCount >= kMaxWordLength) return;
    const std::size_t length = buffer.size();
    buffer.append(reinterpret_cast<const char*>(node.extras), node.extraCount);
    WalkChildren(node, walk);
    buffer.resize(length);
}

void TMainDictionary::WalkChildren(const Node& node, WalkState& walk) const {
    Candidates candidates;
    if (!ChildrenOf(node, candidates) || walk.buffer.size() >= kMaxWordLength) return;
    std::uint32_t index;
    while (walk.budget > 0 && NextCandidate(candidates, index)) {
        Node child;
        if (!ReadNode(index, child) || walk.onPath[index]) continue;
        walk.onPath[index] = true;
        walk.buffer += static_cast<char>(child.Char());
        Walk(child, walk);
        walk.buffer.pop_back();
        walk.onPath[index] = false;
    }
}

}  // namespace quillon
