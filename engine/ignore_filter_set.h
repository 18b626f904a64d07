// The ignore filters of a spell-check session: built from the option set, consulted
// by the word breaker's hooks and for each finished word or line.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/control_parser.h"
#include "engine/parser_ignore.h"
#include "engine/parsing_engine.h"
#include "engine/spell_options.h"

namespace quillon {

class TIgnoreFilterSet {
public:
    using TNotifyEvent = std::function<void(TIgnoreFilterSet& sender)>;

    TIgnoreFilterSet() = default;
    // Installed hooks point at this object.
    TIgnoreFilterSet(const TIgnoreFilterSet&) = delete;
    TIgnoreFilterSet& operator=(const TIgnoreFilterSet&) = delete;

    // Clears the filters and creates those the options ask for, then raises
    // OnAddCustomIgnore (where the application adds its own) and OnOptionsChanged.
    void BuildFilters(TSpellOptions options, std::string_view quoteChars = kDefaultQuoteChars);
    // Takes ownership; the filter joins the character and line lists it takes part in.
    void AddIgnoreFilter(std::unique_ptr<TParserIgnore> filter);
    void ClearIgnoreFilters();

    // Sets the engine's OnSkipAtChar and OnSkipAfterWord to ask this set's character
    // filters, and tells it at which characters they may skip. This set must outlive
    // the engine's use of the hooks.
    void InstallHooks(TMainParsingEngine& engine);

    // The character filters in order, stopping at the first that skips.
    bool SkipAtChar(char c, TControlParser& source);
    bool SkipAfterWord(std::string_view word, TControlParser& source);
    // Any filter accepts the word / any line filter accepts the line.
    bool IsIgnoredWord(std::string_view word, TControlParser* source);
    bool IsIgnoredLine(std::string_view line);

    const std::vector<std::unique_ptr<TParserIgnore>>& Filters() const { return filters_; }

    TNotifyEvent OnAddCustomIgnore;
    // The session's option listeners, told after every rebuild.
    TNotifyEvent OnOptionsChanged;

private:
    std::vector<std::unique_ptr<TParserIgnore>> filters_;  // owning, in order of addition
    std::vector<TParserIgnore*> charFilters_;
    std::vector<TParserIgnore*> lineFilters_;
    // Where any character filter may skip: at a character, and after a word by the
    // character that follows it.
    TSkipTriggers atCharTriggers_{};
    TSkipTriggers afterWordTriggers_{};
};

}  // namespace quillon
