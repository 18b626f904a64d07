// The dictionaries of a spell-check session and the questions asked of them: is a word
// known, may it pass without a prompt, is it excluded, has it an automatic replacement,
// may it be offered as a suggestion.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/custom_dictionary.h"
#include "engine/main_dictionary.h"
#include "engine/spell_options.h"

namespace quillon {

class TControlParser;
class TIgnoreFilterSet;
class TMainParsingEngine;

// How a typed word's case is relaxed before a second lookup.
enum class TCaseModification { cmNone, cmInitialCaps, cmInitialCapsOrUpcase, cmAnyCase, cmCustom };

class TDictionarySet {
public:
    using TCaseModificationEvent = std::function<void(TDictionarySet& sender, std::string& word)>;
    using TNotifyEvent = std::function<void(TDictionarySet& sender)>;

    TDictionarySet();
    TDictionarySet(const TDictionarySet&) = delete;
    TDictionarySet& operator=(const TDictionarySet&) = delete;

    // The dictionaries, owned by the set. The first main dictionary is the primary one;
    // the active custom dictionary, the mapping and the learning dictionary may be absent.
    std::vector<std::unique_ptr<TMainDictionary>> MainDictionaries;
    std::unique_ptr<TCustomDictionary> ActiveCustom;
    std::vector<std::unique_ptr<TCustomDictionary>> OtherCustom;
    std::vector<std::unique_ptr<TCustomDictionary>> WordDictionaries;
    std::unique_ptr<TCustomDictionary> Mapping;
    std::unique_ptr<TCustomDictionary> Learning;
    // Words ignored and changes made everywhere during a check; memory only.
    TCustomDictionary& SessionList() { return *sessionList_; }

    // Settings.
    TCaseModification AllowedCases = TCaseModification::cmInitialCaps;
    TCaseModificationEvent OnCaseModification;
    TSpellOptions Options;
    bool MappingAutoReplace = true;
    bool SuggestionsAutoReplace = false;
    // Raised before every question, so that the configuration is loaded first.
    TNotifyEvent OnEnsureConfiguration;

    // The filters and text source of the running check, for the last acceptance rule;
    // either may be absent.
    void SetIgnoreFilters(TIgnoreFilterSet* filters, TControlParser* source);
    // To be called whenever the main dictionaries change: recomputes the English flag.
    void MainDictionariesChanged();
    bool English() const { return english_; }

    bool IsPrimaryWord(std::string_view word);
    bool IsKnownWord(std::string_view word);
    std::string AdjustCase(std::string_view word);
    bool IsEnglishPossessive(std::string_view word);
    bool IsAcceptableWord(std::string_view word);
    bool IsExcludedWord(std::string_view word);
    bool FindAutoCorrect(std::string_view word, std::string& replacement);
    bool SuggestionWordExists(std::string_view word);
    // Moves the main dictionary that found the most words to the front, then takes its
    // language for suggestions and the word breaker's apostrophe rule.
    void PromoteBestDictionary(TMainParsingEngine* wordBreaker);
    // The primary dictionary's language as of the last promotion; 0 before.
    std::uint32_t SuggestionLanguage() const { return suggestionLanguage_; }

private:
    void EnsureConfiguration();
    bool FoundInLists(std::string_view word);
    bool IsKnownInAnyCase(std::string_view word);
    bool IsDoubleCapital(std::string_view word) const;

    std::unique_ptr<TCustomDictionary> sessionList_;
    TIgnoreFilterSet* filters_ = nullptr;
    TControlParser* source_ = nullptr;
    bool english_ = false;
    std::uint32_t suggestionLanguage_ = 0;
};

// Whether the text reads as a floating-point number written with the given decimal
// separator: optional sign, digits with at most one separator, optional exponent.
bool IsLocaleNumber(std::string_view text, char decimalSeparator);

}  // namespace quillon
