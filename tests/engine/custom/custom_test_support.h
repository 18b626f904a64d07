// What the custom-dictionary tests share: the entries of a dictionary as the test's
// own model sees them, and whole files as bytes.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/custom_dictionary.h"
#include "tests/engine/custom/raw_ovu.h"

namespace quillon::test {

inline std::vector<RawEntry> EntriesOf(TCustomDictionary& dictionary) {
    std::vector<RawEntry> entries;
    dictionary.ForEachEntry(
        [&](std::uint32_t slot, char type, std::string_view word, std::string_view replacement) {
            entries.push_back(RawEntry{slot, type, std::string(word), std::string(replacement)});
        });
    return entries;
}

// prefix followed by the number: "w12".
inline std::string Numbered(std::string_view prefix, int number) {
    std::string text(prefix);
    text.append(std::to_string(number));
    return text;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quillon::test
