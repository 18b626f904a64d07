#include "tests/engine/custom/raw_ovu.h"

#include <cstring>

#include "engine/ovu_format.h"

namespace quillon::test {
namespace {

// The low 32 bits of a 64-bit result, read as a signed number.
std::int64_t Low32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | in[at + static_cast<std::size_t>(i)];
    return value;
}

}  // namespace

std::uint32_t RawOvu::Home(std::string_view word, std::uint32_t size) {
    const std::int64_t s = size;
    std::int64_t h = 0;
    std::int64_t a = 31415;
    for (unsigned char c : word) {
        h = Low32(a * h + c) % s;
        if (h < 0) h = -h % s;
        a = Low32(a * 27183) % (s - 1);
    }
    return static_cast<std::uint32_t>(h);
}

std::int32_t RawOvu::AppendRecord(char type, std::string_view word, std::string_view replacement) {
    const auto value = static_cast<std::int32_t>(block.size() + 1);
    block.push_back(static_cast<std::uint8_t>(type));
    block.insert(block.end(), word.begin(), word.end());
    block.push_back(0);
    if (type == 'A') {
        block.insert(block.end(), replacement.begin(), replacement.end());
        block.push_back(0);
    }
    (type == 'I' ? added : type == 'E' ? excluded : autoCorrect) += 1;
    ++live;
    return value;
}

void RawOvu::Add(char type, std::string_view word, std::string_view replacement) {
    const std::int32_t value = AppendRecord(type, word, replacement);
    const auto size = static_cast<std::uint32_t>(slots.size());
    std::uint32_t slot = Home(word, size);
    const std::uint32_t step = slot % 97 + 1;
    if (slots[slot] > 0) {
        do slot = (slot + step) % size;
        while (slots[slot] != 0);
    }
    slots[slot] = value;
}

void RawOvu::Place(std::uint32_t slot, char type, std::string_view word, std::string_view replacement) {
    slots[slot] = AppendRecord(type, word, replacement);
}

std::string RawOvu::WordAt(std::int32_t value) const {
    return std::string(reinterpret_cast<const char*>(block.data()) + value);
}

RawEntry RawOvu::EntryAt(std::uint32_t slot) const {
    const std::int32_t v = slots[slot];
    RawEntry e{slot, static_cast<char>(block[static_cast<std::size_t>(v) - 1]), WordAt(v), ""};
    if (e.type == 'A') e.replacement = WordAt(v + static_cast<std::int32_t>(e.word.size()) + 1);
    return e;
}

std::optional<RawEntry> RawOvu::Lookup(std::string_view word) const {
    const auto size = static_cast<std::uint32_t>(slots.size());
    if (size == 0) return std::nullopt;
    std::uint32_t slot = Home(word, size);
    const std::uint32_t step = slot % 97 + 1;
    for (std::uint32_t n = 0; n < size; ++n, slot = (slot + step) % size) {
        if (slots[slot] == 0) return std::nullopt;
        if (slots[slot] > 0 && WordAt(slots[slot]) == word) return EntryAt(slot);
    }
    return std::nullopt;
}

bool RawOvu::Remove(std::string_view word) {
    const std::optional<RawEntry> found = Lookup(word);
    if (!found) return false;
    slots[found->slot] = -1;
    (found->type == 'I' ? added : found->type == 'E' ? excluded : autoCorrect) -= 1;
    --live;
    return true;
}

std::vector<RawEntry> RawOvu::Entries() const {
    std::vector<RawEntry> entries;
    for (std::uint32_t i = 0; i < slots.size(); ++i) {
        if (slots[i] > 0) entries.push_back(EntryAt(i));
    }
    return entries;
}

std::vector<std::uint8_t> RawOvu::Bytes() const {
    std::vector<std::uint8_t> out(header.begin(), header.end());
    if (header.empty()) {
        out.assign(ovu::kBanner.begin(), ovu::kBanner.end());
        out.push_back(0);
        out.push_back(ovu::kEndOfText);
    }
    for (std::uint32_t field : {added, excluded, autoCorrect, live, static_cast<std::uint32_t>(slots.size())})
        Put32(out, field);
    for (std::int32_t v : slots) Put32(out, static_cast<std::uint32_t>(v));
    Put32(out, static_cast<std::uint32_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

std::optional<RawOvu> RawOvu::Parse(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 145) return std::nullopt;
    RawOvu raw;
    raw.header.assign(reinterpret_cast<const char*>(bytes.data()), 121);
    raw.added = Get32(bytes, 121);
    raw.excluded = Get32(bytes, 125);
    raw.autoCorrect = Get32(bytes, 129);
    raw.live = Get32(bytes, 133);
    const std::uint64_t size = Get32(bytes, 137);
    if (bytes.size() < 145 + 4 * size) return std::nullopt;
    for (std::uint64_t i = 0; i < size; ++i)
        raw.slots.push_back(static_cast<std::int32_t>(Get32(bytes, 141 + 4 * i)));
    const std::uint64_t used = Get32(bytes, 141 + 4 * size);
    if (bytes.size() != 145 + 4 * size + used) return std::nullopt;
    raw.block.assign(bytes.begin() + static_cast<std::ptrdiff_t>(145 + 4 * size), bytes.end());
    return raw;
}

}  // namespace quillon::test
