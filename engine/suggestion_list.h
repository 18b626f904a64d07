// The ordered list of replacements offered for a misspelt word, each with a score
// (lower is better), and the case-blind look-up that keeps it free of duplicates.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct TSuggestion {
    std::string word;
    int score = 0;
};

using TSuggestionList = std::vector<TSuggestion>;

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// Equal under the system's ANSI case mapping.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Index of the first entry equal to the word ignoring case, or kNotFound.
std::size_t FindIgnoringCase(const TSuggestionList& list, std::string_view word);

}  // namespace quillon
