#include "engine/phonetic_search.h"

#include <algorithm>
#include <string>

namespace quillon {

void FindPhoneticCandidates(TMainDictionary& dictionary, std::string_view word, TPhoneticsMap& map,
                            TSuggestionList& list) {
    constexpr std::size_t kMaxEntries = 500;
    const std::string target = map.Encode(word);
    if (target.size() < 2) return;
    const std::string_view prefix =
        word.substr(0, std::min(word.size(), static_cast<std::size_t>(map.StartDepth())));
    dictionary.WalkPrefix(prefix, [&](std::string_view candidate) {
        const std::string code = map.Encode(candidate);
        if (code != target) return code.size() > target.size();
        if (list.size() > kMaxEntries) return true;
        if (FindIgnoringCase(list, candidate) == kNotFound) list.push_back({std::string(candidate), 0});
        return false;
    });
}

}  // namespace quillon
