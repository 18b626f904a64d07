#include "engine/suggestions_generator.h"

#include "platform/os/os.h"

namespace quillon {
namespace {

constexpr std::size_t kMaxWordLength = 250;
constexpr int kUnlimited = 65535;

void AppendRange(std::string& set, unsigned first, unsigned last) {
    for (unsigned c = first; c <= last; ++c) set += static_cast<char>(c);
}

// Letters of other code pages that the ranges miss.
constexpr char kCodePageExtras[] = "\xB8\xA8\xB9\xB3\xBF";

const std::string& LowerCaseSet() {
    static const std::string set = [] {
        std::string s = "'";
        AppendRange(s, 0x61, 0x7A);
        s += '\xD7';
        AppendRange(s, 0xDE, 0xFF);
        return s + kCodePageExtras;
    }();
    return set;
}

const std::string& FullSet() {
    static const std::string set = [] {
        std::string s = "'";
        AppendRange(s, 0x61, 0x7A);
        AppendRange(s, 0x41, 0x5A);
        AppendRange(s, 0xC0, 0xFF);
        return s + kCodePageExtras;
    }();
    return set;
}

bool IsLower(std::string_view word) {
    for (const char c : word) {
        if (os::AnsiLowerCase(c) != c) return false;
    }
    return true;
}

bool IsUpper(std::string_view word) {
    for (const char c : word) {
        if (os::AnsiUpperCase(c) != c) return false;
    }
    return true;
}

}  // namespace

TSuggestionsGenerator::TSuggestionsGenerator() : startSet_(FullSet()) {}

void TSuggestionsGenerator::SetLanguage(std::int32_t language) {
    language_ = language;
    if (language == 1029) {  // Czech
        AppendStartLetters(
            "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E"
            "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E");
    }
    if ((language & 0xFF) == 12) AppendStartLetters("\x9C");                       // French
    if (language == 1049) AppendStartLetters("\xB2\xA2\xB1\xA1\xBC\xAC\xB6\xA6");  // Russian
    if (language == 1045) {                                                        // Polish
        AppendStartLetters("\xB9\xE6\xEA\xB3\xB3\xF1\xF3\x9C\xBF\x9F\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F");
    }
    FollowLanguage();
}

// The session sets the language at every prompt: letters already present are not added
// again, or the set would grow without end. Trying a letter twice finds nothing new.
void TSuggestionsGenerator::AppendStartLetters(std::string_view letters) {
    for (const char c : letters) {
        if (startSet_.find(c) == std::string::npos) startSet_ += c;
    }
}

void TSuggestionsGenerator::SetDefaultKinds(bool on) {
    kindsFollowLanguage_ = on;
    FollowLanguage();
}

void TSuggestionsGenerator::SetKinds(TSuggestionKinds kinds) {
    kinds_ = kinds & kAllSuggestionKinds;
    kindsFollowLanguage_ = false;
}

void TSuggestionsGenerator::FollowLanguage() {
    if (!kindsFollowLanguage_) return;
    // Swedish writes compounds as one word, so splits would be wrong.
    kinds_ = language_ == 1053 ? kAllSuggestionKinds & ~RunTogether : kAllSuggestionKinds;
}

void TSuggestionsGenerator::AddUnique(std::string_view candidate) {
    if (list_ == nullptr) return;
    const std::size_t found = FindIgnoringCase(*list_, candidate);
    if (found != kNotFound && (*list_)[found].word == candidate) return;
    list_->push_back({std::string(candidate), 0});
}

bool TSuggestionsGenerator::TryCandidate(std::string_view candidate) {
    if (candidate.size() < 2 || !Exists(candidate)) return false;
    if (Full()) return true;
    if (wordIsLower_ && !IsLower(candidate)) {
        // A capitalised form is offered for a lower-case word only when nothing else fits.
        lowered_.assign(candidate);
        for (char& c : lowered_) c = os::AnsiLowerCase(c);
        if (Exists(lowered_)) return false;
    }
    AddUnique(candidate);
    return false;
}

bool TSuggestionsGenerator::TryMissingLetter() {
    const std::size_t length = word_.size();
    // The inserted letter sits in the slot; moving the slot left shifts one letter right.
    candidate_.assign(word_);
    candidate_.push_back('\0');
    for (std::size_t slot = length; slot >= 1; --slot) {
        for (const char letter : *innerSet_) {
            candidate_[slot] = letter;
            if (TryCandidate(candidate_)) return true;
        }
        candidate_[slot] = word_[slot - 1];
    }
    for (const char letter : startSet_) {
        candidate_[0] = letter;
        if (TryCandidate(candidate_)) return true;
    }
    return false;
}

bool TSuggestionsGenerator::TrySwaps(int distance) {
    if (distance < 1) return false;
    const std::size_t d = static_cast<std::size_t>(distance);
    const std::size_t length = word_.size();
    if (length <= d + 1) return false;
    candidate_.assign(word_);
    for (std::size_t i = length - d; i-- > 0;) {
        std::swap(candidate_[i], candidate_[i + d]);
        const bool full = TryCandidate(candidate_);
        std::swap(candidate_[i], candidate_[i + d]);
        if (full) return true;
    }
    return false;
}

bool TSuggestionsGenerator::TryExtraLetter() {
    const std::size_t length = word_.size();
    if (length < 3) return false;  // every candidate would be shorter than 2
    // Moving the removed position left brings one letter back in front of it.
    candidate_.assign(word_, 0, length - 1);
    for (std::size_t removed = length - 1;; --removed) {
        if (TryCandidate(candidate_)) return true;
        if (removed == 0) return false;
        candidate_[removed - 1] = word_[removed];
    }
}

bool TSuggestionsGenerator::TryWrongLetter() {
    const std::size_t length = word_.size();
    candidate_.assign(word_);
    for (std::size_t i = length; i-- > 1;) {
        for (const char letter : *innerSet_) {
            candidate_[i] = letter;
            if (TryCandidate(candidate_)) return true;
        }
        candidate_[i] = word_[i];
    }
    if (length == 0) return false;
    for (const char letter : startSet_) {
        candidate_[0] = letter;
        if (TryCandidate(candidate_)) return true;
    }
    return false;
}

bool TSuggestionsGenerator::TryRunTogether() {
    const std::string_view word = word_;
    if (word.size() < 4) return false;
    for (std::size_t split = 2; split + 2 <= word.size(); ++split) {
        if (!Exists(word.substr(0, split)) || !Exists(word.substr(split))) continue;
        if (Full()) return true;
        candidate_.assign(word.substr(0, split));
        candidate_ += ' ';
        candidate_.append(word.substr(split));
        AddUnique(candidate_);
    }
    // Two sentences whose space was forgotten: "end.The".
    const std::size_t period = word.find('.');
    if (period == std::string_view::npos || period + 1 == word.size() ||
        word.find('.', period + 1) != std::string_view::npos) {
        return false;
    }
    const char next = word[period + 1];
    if (os::AnsiUpperCase(next) == next && Exists(word.substr(0, period)) &&
        Exists(word.substr(period + 1)) && !Full()) {
        candidate_.assign(word.substr(0, period + 1));
        candidate_ += "  ";
        candidate_.append(word.substr(period + 1));
        AddUnique(candidate_);
    }
    return false;
}

void TSuggestionsGenerator::Generate(std::string_view word, int max, const TWordExists& exists,
                                     TSuggestionList& list) {
    // Any negative limit means none, as it does for the cut after sorting.
    const int limit = max < 0 ? kUnlimited : max;
    if (!exists || word.empty() || limit <= 0 || word.size() > kMaxWordLength) return;
    word_.assign(word);
    wordIsLower_ = IsLower(word);
    innerSet_ = wordIsLower_ ? &LowerCaseSet() : &FullSet();
    exists_ = &exists;
    list_ = &list;
    max_ = static_cast<std::size_t>(limit);
    const auto on = [this](TSuggestionKind kind) { return (kinds_ & kind) != 0; };
    // Each step runs only while the ones before it left room in the list.
    (on(SwappedLetters) && TrySwaps(1)) || (on(MissingLetter) && TryMissingLetter()) ||
        (on(ExtraLetter) && TryExtraLetter()) || (on(WrongLetter) && TryWrongLetter()) ||
        (on(SwappedLetters) && TrySwaps(2)) || (on(RunTogether) && TryRunTogether());
    // The test and the list belong to the caller; nothing may reach them after the run.
    exists_ = nullptr;
    list_ = nullptr;
    word_.clear();
}

void TSuggestionsGenerator::GenerateCaseVariants(std::string_view word, int max, const TWordExists& exists,
                                                 TSuggestionList& list) {
    Generate(word, max, exists, list);
    if (IsLower(word) || IsUpper(word)) return;
    // Entirely lower case after a lower-case first letter; else the first letter kept.
    std::string variant = os::AnsiLowerCase(word);
    if (os::AnsiUpperCase(word[0]) == word[0]) variant[0] = word[0];
    // A capitalised word is its own variant; a second run would only find the same words.
    if (variant != word) Generate(variant, max, exists, list);
}

}  // namespace quillon
