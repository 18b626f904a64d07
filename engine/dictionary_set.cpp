#include "engine/dictionary_set.h"

#include <algorithm>

#include "engine/ignore_filter_set.h"
#include "engine/parsing_engine.h"
#include "platform/os/locale.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

constexpr std::uint32_t kPrimaryLanguageMask = 0xFF;
constexpr std::uint32_t kEnglish = 9;
constexpr std::uint32_t kFrench = 12;
constexpr char kTypographicApostrophe = '\x92';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetter(char c) { return os::AnsiLowerCase(c) != os::AnsiUpperCase(c); }
bool IsUpper(char c) { return os::AnsiUpperCase(c) == c; }
bool IsLower(char c) { return os::AnsiLowerCase(c) == c; }

// Where the first "'s" or "'S" of the word starts, or npos.
std::size_t FirstPossessiveMark(std::string_view word) {
    for (std::size_t i = 0; i + 1 < word.size(); ++i)
        if (word[i] == '\'' && (word[i + 1] == 's' || word[i + 1] == 'S')) return i;
    return std::string_view::npos;
}

}  // namespace

bool IsLocaleNumber(std::string_view text, char decimalSeparator) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == decimalSeparator) {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == exponentStart) return false;
    }
    return i == text.size();
}

TDictionarySet::TDictionarySet() : sessionList_(std::make_unique<TCustomDictionary>()) {}

void TDictionarySet::SetIgnoreFilters(TIgnoreFilterSet* filters, TControlParser* source) {
    filters_ = filters;
    source_ = source;
}

void TDictionarySet::MainDictionariesChanged() {
    english_ = std::any_of(MainDictionaries.begin(), MainDictionaries.end(), [](const auto& d) {
        return (d->Language() & kPrimaryLanguageMask) == kEnglish;
    });
}

void TDictionarySet::EnsureConfiguration() {
    if (OnEnsureConfiguration) OnEnsureConfiguration(*this);
}

bool TDictionarySet::IsPrimaryWord(std::string_view word) {
    EnsureConfiguration();
    for (const auto& dictionary : MainDictionaries) {
        if (dictionary->IsWord(word)) {
            dictionary->IncrementWordsFound();
            return true;
        }
    }
    return false;
}

bool TDictionarySet::FoundInLists(std::string_view word) {
    if (ActiveCustom && ActiveCustom->IsAdded(word)) return true;
    for (const auto& custom : OtherCustom)
        if (custom->IsAdded(word)) return true;
    for (const auto& custom : WordDictionaries)
        if (custom->IsAdded(word)) return true;
    return sessionList_->IsAdded(word);
}

bool TDictionarySet::IsKnownWord(std::string_view word) { return IsPrimaryWord(word) || FoundInLists(word); }

std::string TDictionarySet::AdjustCase(std::string_view word) {
    EnsureConfiguration();
    std::string variant(word);
    if (variant.empty()) return variant;
    switch (AllowedCases) {
        case TCaseModification::cmNone:
            break;
        case TCaseModification::cmInitialCaps:
            variant[0] = os::AnsiLowerCase(variant[0]);
            break;
        case TCaseModification::cmInitialCapsOrUpcase:
            if (os::AnsiUpperCase(variant) == variant) variant = os::AnsiLowerCase(variant);
            else variant[0] = os::AnsiLowerCase(variant[0]);
            break;
        case TCaseModification::cmAnyCase:
            variant = os::AnsiLowerCase(variant);
            break;
        case TCaseModification::cmCustom:
            if (OnCaseModification) OnCaseModification(*this, variant);
            break;
    }
    return variant;
}

bool TDictionarySet::IsEnglishPossessive(std::string_view word) {
    EnsureConfiguration();
    if (word.size() < 2 || FirstPossessiveMark(word) != word.size() - 2) return false;
    const std::string_view base = word.substr(0, word.size() - 2);
    const std::string adjusted = AdjustCase(base);
    bool found = false;
    for (const auto& dictionary : MainDictionaries)
        if ((dictionary->Language() & kPrimaryLanguageMask) == kEnglish)
            found = dictionary->IsWord(adjusted) || dictionary->IsWord(base) || found;
    return found;
}

bool TDictionarySet::IsKnownInAnyCase(std::string_view word) {
    return IsKnownWord(word) || IsKnownWord(AdjustCase(word)) || (english_ && IsEnglishPossessive(word));
}

bool TDictionarySet::IsAcceptableWord(std::string_view word) {
    EnsureConfiguration();
    if (IsKnownInAnyCase(word)) return true;
    // Word processors write the typographic apostrophe where dictionaries hold the
    // straight one: «don’t» passes when «don't» does.
    if (word.find(kTypographicApostrophe) != std::string_view::npos) {
        std::string straight(word);
        std::replace(straight.begin(), straight.end(), kTypographicApostrophe, '\'');
        if (IsKnownInAnyCase(straight)) return true;
    }
    if (IsLocaleNumber(word, os::DecimalSeparator())) return true;
    if (word.size() == 1) return true;
    return filters_ && filters_->IsIgnoredWord(word, source_);
}

bool TDictionarySet::IsExcludedWord(std::string_view word) {
    EnsureConfiguration();
    if (ActiveCustom && ActiveCustom->IsExcluded(word)) return true;
    for (const auto& custom : OtherCustom)
        if (custom->IsExcluded(word)) return true;
    std::string ignored;
    return Mapping && Mapping->GetAutoCorrect(word, ignored);
}

bool TDictionarySet::IsDoubleCapital(std::string_view word) const {
    return word.size() > 2 && IsLetter(word[0]) && IsLetter(word[1]) && IsUpper(word[0]) && IsUpper(word[1]) &&
           std::all_of(word.begin() + 2, word.end(), IsLower);
}

bool TDictionarySet::FindAutoCorrect(std::string_view word, std::string& replacement) {
    EnsureConfiguration();
    if (ActiveCustom && ActiveCustom->GetAutoCorrect(word, replacement)) return true;
    if (sessionList_->GetAutoCorrect(word, replacement)) return true;
    for (const auto& custom : OtherCustom)
        if (custom->GetAutoCorrect(word, replacement)) return true;
    if (MappingAutoReplace && Mapping && Mapping->GetAutoCorrect(word, replacement)) return true;
    if (SuggestionsAutoReplace && Learning && Learning->GetAutoCorrect(word, replacement)) return true;
    if (!Options.Has(soDUalCaps) || !IsDoubleCapital(word)) return false;
    std::string oneCapital(word);
    oneCapital[1] = os::AnsiLowerCase(oneCapital[1]);
    if (!IsAcceptableWord(oneCapital)) return false;
    replacement = std::move(oneCapital);
    return true;
}

bool TDictionarySet::SuggestionWordExists(std::string_view word) {
    EnsureConfiguration();
    const bool found = Options.Has(soPrimaryOnly) ? IsPrimaryWord(word) || IsPrimaryWord(AdjustCase(word))
                                                  : IsKnownWord(word) || IsKnownWord(AdjustCase(word));
    return found || (english_ && IsEnglishPossessive(word));
}

void TDictionarySet::PromoteBestDictionary(TMainParsingEngine* wordBreaker) {
    if (MainDictionaries.size() >= 2) {
        // max_element keeps the earliest of equal counts.
        const auto best = std::max_element(MainDictionaries.begin(), MainDictionaries.end(),
                                           [](const auto& a, const auto& b) { return a->WordsFound() < b->WordsFound(); });
        std::rotate(MainDictionaries.begin(), best, best + 1);
    }
    if (MainDictionaries.empty()) return;
    suggestionLanguage_ = MainDictionaries.front()->Language();
    if (wordBreaker) wordBreaker->SetFrenchApostrophes((suggestionLanguage_ & kPrimaryLanguageMask) == kFrench);
}

}  // namespace quillon
