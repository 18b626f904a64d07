// An .ovu image made and read field by field, with its own hash, probe and layout code,
// so that files can be written and checked without the class under test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::test {

struct RawEntry {
    std::uint32_t slot = 0;
    char type = 0;
    std::string word;
    std::string replacement;
    bool operator==(const RawEntry&) const = default;
};

struct RawOvu {
    explicit RawOvu(std::uint32_t slotCount = 0) : slots(slotCount, 0) {}

    // Appends a record and places it by the format's rule: the home slot when it is not
    // in use, else the first empty slot along the probe. The table never grows here.
    void Add(char type, std::string_view word, std::string_view replacement = {});
    // Appends a record and puts it in the given slot, wherever its hash would put it.
    void Place(std::uint32_t slot, char type, std::string_view word, std::string_view replacement = {});
    // Marks the word's slot deleted; its record stays.
    bool Remove(std::string_view word);

    std::optional<RawEntry> Lookup(std::string_view word) const;
    std::vector<RawEntry> Entries() const;  // in slot order
    std::vector<std::uint8_t> Bytes() const;
    // The fields of a file image; nothing when they do not fit its size.
    static std::optional<RawOvu> Parse(const std::vector<std::uint8_t>& bytes);
    static std::uint32_t Home(std::string_view word, std::uint32_t size);

    std::string header;  // empty: the banner, 0x00 and 0x1A
    std::uint32_t added = 0;
    std::uint32_t excluded = 0;
    std::uint32_t autoCorrect = 0;
    std::uint32_t live = 0;
    std::vector<std::int32_t> slots;
    std::vector<std::uint8_t> block;

private:
    std::int32_t AppendRecord(char type, std::string_view word, std::string_view replacement);
    std::string WordAt(std::int32_t value) const;
    RawEntry EntryAt(std::uint32_t slot) const;
};

}  // namespace quillon::test
