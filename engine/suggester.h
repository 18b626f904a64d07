// Suggestions for a misspelt word: a fixed replacement from the mapping dictionary, or
// the near misses and sound-alikes of the session's dictionaries, scored by distance,
// favouring the user's earlier choices, sorted and cut.
#pragma once

#include <functional>
#include <string_view>

#include "engine/dictionary_set.h"
#include "engine/phonetics_map.h"
#include "engine/suggestion_list.h"
#include "engine/suggestions_generator.h"

namespace quillon {

class TSuggester {
public:
    using TNotifyEvent = std::function<void(TSuggester& sender)>;

    explicit TSuggester(TDictionarySet& dictionaries);
    TSuggester(const TSuggester&) = delete;
    TSuggester& operator=(const TSuggester&) = delete;

    // Settings; the phonetic distance settings and depth live on PhoneticsMap.
    int MaxSuggestions = -1;  // -1: no limit
    bool PhoneticSuggestions = true;
    // Raised each time the map's language is set, so that rules may be added with Insert.
    TNotifyEvent OnAdjustPhoneticsMap;

    TSuggestionsGenerator Generator;
    TPhoneticsMap PhoneticsMap;

    // The list of suggestions, best first, at most max of them (max below 0: no limit).
    void Suggest(std::string_view word, int max, TSuggestionList& list);
    // Suggest with MaxSuggestions, once the configuration is loaded.
    void GetSuggestions(std::string_view word, TSuggestionList& list);

private:
    void SetMapLanguage(std::int32_t language);
    void AddPhoneticCandidates(std::string_view word, TSuggestionList& list);
    void RankByLearning(std::string_view word, TSuggestionList& list);

    TDictionarySet& dictionaries_;
    TSuggestionsGenerator::TWordExists exists_;
};

}  // namespace quillon
