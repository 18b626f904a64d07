// How far a suggestion is from the misspelt word, in single-character edits.
#pragma once

#include <string_view>

namespace quillon {

// Levenshtein distance over bytes, where a transposition of neighbours at the same place
// in both strings counts as one edit. Strings of 255 characters or more are not compared:
// the answer is the greater length. Two different strings are always at least 1 apart.
int EditDistance(std::string_view a, std::string_view b);

}  // namespace quillon
