#include "engine/suggester.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/edit_distance.h"
#include "engine/phonetic_search.h"

namespace quillon {
namespace {

constexpr std::size_t kFallbackBelow = 20;

// Exchange sort in the fixed order that decides where equal scores end up. It runs on
// (score, index) pairs so that exchanges do not move strings.
void SortByScore(TSuggestionList& list) {
    std::vector<std::pair<int, std::size_t>> order(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) order[i] = {list[i].score, i};
    for (std::size_t j = 0; j + 1 < order.size(); ++j) {
        for (std::size_t c = j + 1; c < order.size(); ++c) {
            if (order[c].first < order[j].first) std::swap(order[c], order[j]);
        }
    }
    TSuggestionList sorted;
    sorted.reserve(list.size());
    for (const auto& [score, index] : order) sorted.push_back(std::move(list[index]));
    list = std::move(sorted);
}

}  // namespace

TSuggester::TSuggester(TDictionarySet& dictionaries)
    : dictionaries_(dictionaries),
      exists_([this](std::string_view word) { return dictionaries_.SuggestionWordExists(word); }) {}

void TSuggester::GetSuggestions(std::string_view word, TSuggestionList& list) {
    if (dictionaries_.OnEnsureConfiguration) dictionaries_.OnEnsureConfiguration(dictionaries_);
    Suggest(word, MaxSuggestions, list);
}

void TSuggester::Suggest(std::string_view word, int max, TSuggestionList& list) {
    std::string replacement;
    if (dictionaries_.Mapping && dictionaries_.Mapping->GetAutoCorrect(word, replacement)) {
        // The limit holds here too: a caller asking for none gets none.
        list.clear();
        if (max != 0) list.push_back({std::move(replacement), 0});
        return;
    }
    TSuggestionList working;
    Generator.GenerateCaseVariants(word, max, exists_, working);
    const std::size_t phoneticFrom = working.size();
    AddPhoneticCandidates(word, working);

    for (TSuggestion& entry : working) entry.score = EditDistance(word, entry.word);
    std::size_t kept = phoneticFrom;
    for (std::size_t i = phoneticFrom; i < working.size(); ++i) {
        if (!PhoneticsMap.AcceptDistance(word, working[i].score)) continue;
        if (kept != i) working[kept] = std::move(working[i]);
        ++kept;
    }
    working.resize(kept);

    RankByLearning(word, working);
    SortByScore(working);
    if (max >= 0 && working.size() > static_cast<std::size_t>(max))
        working.resize(static_cast<std::size_t>(max));
    list = std::move(working);
}

void TSuggester::SetMapLanguage(std::int32_t language) {
    PhoneticsMap.SetLanguage(language);
    if (OnAdjustPhoneticsMap) OnAdjustPhoneticsMap(*this);
}

void TSuggester::AddPhoneticCandidates(std::string_view word, TSuggestionList& list) {
    if (!PhoneticSuggestions || dictionaries_.MainDictionaries.empty()) return;
    TMainDictionary& primary = *dictionaries_.MainDictionaries.front();
    const auto language = static_cast<std::int32_t>(primary.Language());
    if (PhoneticsMap.Language() != language) SetMapLanguage(language);
    FindPhoneticCandidates(primary, word, PhoneticsMap, list);
    // English codes are fine-grained; when they find little, the coarse table tries again.
    if ((PhoneticsMap.Language() & 0xFF) == 9 && list.size() < kFallbackBelow) {
        SetMapLanguage(0);
        FindPhoneticCandidates(primary, word, PhoneticsMap, list);
    }
}

// The user's earlier choice for this word goes first; words the user chose before rank
// ahead of others at the same distance.
void TSuggester::RankByLearning(std::string_view word, TSuggestionList& list) {
    TCustomDictionary* learning = dictionaries_.Learning.get();
    if (learning == nullptr) return;
    std::string replacement;
    if (learning->GetAutoCorrect(word, replacement)) {
        const std::size_t found = FindIgnoringCase(list, replacement);
        if (found == kNotFound || list[found].word != replacement) {
            list.insert(list.begin(), {std::move(replacement), 0});
        } else {
            list[found].score = 0;
        }
    }
    for (TSuggestion& entry : list) {
        entry.score = learning->IsAdded(entry.word) ? 2 * entry.score - 1 : 2 * entry.score;
    }
}

}  // namespace quillon
