// The phonetic search: words of a main dictionary that sound like the misspelt one.
#pragma once

#include <string_view>

#include "engine/main_dictionary.h"
#include "engine/phonetics_map.h"
#include "engine/suggestion_list.h"

namespace quillon {

// Appends (score 0) every word under the word's first start-depth bytes, as typed, whose
// code equals the word's, skipping words already listed in any case. Branches whose code
// has grown longer than the word's are not entered; nothing is added past 500 entries.
void FindPhoneticCandidates(TMainDictionary& dictionary, std::string_view word, TPhoneticsMap& map,
                            TSuggestionList& list);

}  // namespace quillon
