// A minimal .ovm image assembler for tests: nodes, child lists and the first-character
// table are given field by field, so the reader can be tested against hand-made and
// deliberately damaged files without going through the dictionary compiler.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/ovm_format.h"

namespace quillon::test {

struct RawNode {
    RawNode() = default;
    RawNode(unsigned char c, bool eow, std::string runAfter = "", std::uint32_t count = 0,
            std::uint32_t ref = ovm::kLeafReference)
        : ch(c), endOfWord(eow), extras(std::move(runAfter)), childCount(count), reference(ref) {}

    unsigned char ch = 0;
    bool endOfWord = false;
    std::string extras;  // its length picks the node table
    std::uint32_t childCount = 0;
    std::uint32_t reference = ovm::kLeafReference;
};

struct RawOvm {
    std::u16string title = u"Test";
    std::uint32_t language = 1033;
    std::uint32_t wordCount = 0;
    std::int64_t nodeCountField = -1;  // -1: the number of nodes
    std::vector<RawNode> nodes;        // in index order, grouped by table
    std::vector<std::uint8_t> childArea;
    std::array<std::uint8_t, ovm::kFirstCharTableSize> firstChars{};
    std::string banner = std::string(ovm::kBanner);

    void SetFirst(unsigned char c, bool isWord, std::uint8_t following, std::uint32_t reference) {
        std::uint8_t* e = firstChars.data() + 8 * c;
        e[0] = isWord ? 1 : 0;
        e[1] = following;
        for (int i = 0; i < 4; ++i) e[4 + i] = static_cast<std::uint8_t>(reference >> (8 * i));
    }

    // Appends 2-byte little-endian references; answers the offset of the first.
    std::uint32_t AddNarrowList(const std::vector<std::uint32_t>& refs, bool withCount = false) {
        if (withCount) childArea.push_back(static_cast<std::uint8_t>(refs.size()));
        const auto at = static_cast<std::uint32_t>(childArea.size());
        for (std::uint32_t r : refs) {
            childArea.push_back(static_cast<std::uint8_t>(r));
            childArea.push_back(static_cast<std::uint8_t>(r >> 8));
        }
        return at;
    }

    // Appends big-endian references, 2 bytes (bit 7 set) below 32768, else 3 bytes.
    std::uint32_t AddWideList(const std::vector<std::uint32_t>& refs) {
        const auto at = static_cast<std::uint32_t>(childArea.size());
        for (std::uint32_t r : refs) {
            if (r < 0x8000) {
                childArea.push_back(static_cast<std::uint8_t>(0x80 | (r >> 8)));
            } else {
                childArea.push_back(static_cast<std::uint8_t>(r >> 16));
                childArea.push_back(static_cast<std::uint8_t>(r >> 8));
            }
            childArea.push_back(static_cast<std::uint8_t>(r));
        }
        return at;
    }

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out(ovm::kHeaderBlockSize, 0);
        std::copy(banner.begin(), banner.end(), out.begin());
        out.push_back(static_cast<std::uint8_t>(title.size()));
        for (char16_t u : title) Put16(out, u);
        Put16(out, 0);
        Put32(out, language);
        Put32(out, wordCount);
        Put32(out, nodeCountField < 0 ? static_cast<std::uint32_t>(nodes.size())
                                      : static_cast<std::uint32_t>(nodeCountField));
        std::array<std::uint32_t, ovm::kNodeTableCount> sizes{};
        for (const RawNode& n : nodes) ++sizes[n.extras.size()];
        for (std::uint32_t s : sizes) Put32(out, s);
        for (const RawNode& n : nodes) {
            std::uint32_t word = n.ch | (n.reference << 8) | (n.childCount << 28);
            if (n.endOfWord) word |= ovm::kEndOfWordBit;
            Put32(out, word);
            out.insert(out.end(), n.extras.begin(), n.extras.end());
        }
        Put32(out, static_cast<std::uint32_t>(childArea.size()));
        out.insert(out.end(), childArea.begin(), childArea.end());
        out.insert(out.end(), firstChars.begin(), firstChars.end());
        out.resize(out.size() + ovm::kCharTableSize, 0);
        return out;
    }

private:
    static void Put16(std::vector<std::uint8_t>& o, std::uint32_t v) {
        o.push_back(static_cast<std::uint8_t>(v));
        o.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void Put32(std::vector<std::uint8_t>& o, std::uint32_t v) {
        Put16(o, v & 0xFFFF);
        Put16(o, v >> 16);
    }
};

}  // namespace quillon::test
