// The phonetic encoder: a rule table chosen by language, held in the TReplaceNode tree
// it derives from, that turns a word into a short code of how it sounds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/replace_node.h"

namespace quillon {

class TPhoneticsMap : public TReplaceNode {
public:
    // Settings of the search, set by the session.
    int PhoneticDivisor = 2;
    int PhoneticMaxDistance = 4;

    // Slots 4-7, after those of TReplaceNode.
    // Replaces the rules with the table of the language's low byte: 9 English, 25 Russian,
    // 12 French, any other the generic table.
    virtual void SetLanguage(std::int32_t language);
    // Characters copied verbatim to the front of every code; values below 1 are ignored.
    virtual void SetStartDepth(int depth);
    virtual std::string Encode(std::string_view word);
    // Whether a phonetic candidate at this distance from the word is near enough.
    virtual bool AcceptDistance(std::string_view word, int distance);

    std::int32_t Language() const { return language_; }
    int StartDepth() const { return startDepth_; }

private:
    static constexpr int kCodeBudget = 6;

    std::int32_t language_ = -1;
    int startDepth_ = 2;
    std::string lowered_;  // reused by Encode, which runs for every word of a search
};

}  // namespace quillon
