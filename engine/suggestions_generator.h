// The near-miss generator: single edits of a misspelt word (a letter missing, two letters
// swapped, a letter too many, a wrong letter, two words run together), each candidate
// kept when the existence test knows it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/suggestion_list.h"

namespace quillon {

// Bits of the kinds set.
enum TSuggestionKind : unsigned {
    MissingLetter = 1,
    SwappedLetters = 2,
    ExtraLetter = 4,
    WrongLetter = 8,
    RunTogether = 16,
};
using TSuggestionKinds = unsigned;
inline constexpr TSuggestionKinds kAllSuggestionKinds =
    MissingLetter | SwappedLetters | ExtraLetter | WrongLetter | RunTogether;

class TSuggestionsGenerator {
public:
    using TWordExists = std::function<bool(std::string_view word)>;

    TSuggestionsGenerator();
    TSuggestionsGenerator(const TSuggestionsGenerator&) = delete;
    TSuggestionsGenerator& operator=(const TSuggestionsGenerator&) = delete;
    virtual ~TSuggestionsGenerator() = default;

    // Slots 0-11. The Try operations answer true when the list is full, which ends the run.
    // Adds the language's extra first letters to the start set (kept when the language
    // changes again) and, while the kinds follow the language, sets them for it.
    virtual void SetLanguage(std::int32_t language);
    // On: the kinds follow the language from now on (and are set for it at once).
    virtual void SetDefaultKinds(bool on);
    // Fixed kinds; they no longer follow the language.
    virtual void SetKinds(TSuggestionKinds kinds);
    // Appends the candidate unless the first entry equal to it ignoring case is identical.
    virtual void AddUnique(std::string_view candidate);
    virtual bool TryCandidate(std::string_view candidate);
    virtual bool TryMissingLetter();
    virtual bool TrySwaps(int distance);
    virtual bool TryExtraLetter();
    virtual bool TryWrongLetter();
    virtual bool TryRunTogether();
    // Appends the near misses of the word to the list, stopping once it holds more than
    // max entries; max -1 (any negative) means no limit.
    virtual void Generate(std::string_view word, int max, const TWordExists& exists, TSuggestionList& list);
    // Generate for the word and, for a word of mixed case, for its lower-case or
    // capitalised form too.
    virtual void GenerateCaseVariants(std::string_view word, int max, const TWordExists& exists,
                                      TSuggestionList& list);

    std::int32_t Language() const { return language_; }
    TSuggestionKinds Kinds() const { return kinds_; }
    bool KindsFollowLanguage() const { return kindsFollowLanguage_; }
    // The letters tried at the first position, in order.
    const std::string& StartLetters() const { return startSet_; }

private:
    // Outside a run there is no test and no list: nothing exists and nothing is added.
    bool Exists(std::string_view word) const { return exists_ != nullptr && (*exists_)(word); }
    bool Full() const { return list_ != nullptr && list_->size() > max_; }
    void FollowLanguage();
    void AppendStartLetters(std::string_view letters);

    std::int32_t language_ = 0;
    std::string startSet_;
    TSuggestionKinds kinds_ = kAllSuggestionKinds;
    bool kindsFollowLanguage_ = true;

    // The run in progress.
    std::string word_;
    bool wordIsLower_ = false;
    const TWordExists* exists_ = nullptr;
    TSuggestionList* list_ = nullptr;
    std::size_t max_ = 0;
    const std::string* innerSet_ = nullptr;
    // Reused for every candidate and its lower-case form, so the loops do not allocate.
    std::string candidate_;
    std::string lowered_;
};

}  // namespace quillon
