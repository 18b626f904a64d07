#include "engine/ignore_filter_set.h"

#include <algorithm>

namespace quillon {

void TIgnoreFilterSet::BuildFilters(TSpellOptions options, std::string_view quoteChars) {
    ClearIgnoreFilters();
    if (options.Has(soInternet)) AddIgnoreFilter(std::make_unique<TURLIgnore>());
    if (options.Has(soUpcase)) AddIgnoreFilter(std::make_unique<TUppercaseWordIgnore>());
    if (options.Has(soNumbers)) AddIgnoreFilter(std::make_unique<TNumbersIgnore>());
    if (options.Has(soHTML)) AddIgnoreFilter(std::make_unique<THTMLIgnore>());
    if (options.Has(soQuoted)) AddIgnoreFilter(std::make_unique<TQuotedLineIgnore>(quoteChars));
    if (options.Has(soAbbreviations)) AddIgnoreFilter(std::make_unique<TAbbreviationsIgnore>());
    if (OnAddCustomIgnore) OnAddCustomIgnore(*this);
    if (OnOptionsChanged) OnOptionsChanged(*this);
}

void TIgnoreFilterSet::AddIgnoreFilter(std::unique_ptr<TParserIgnore> filter) {
    if (!filter) return;
    if (filter->HandlesChars()) {
        charFilters_.push_back(filter.get());
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            if (filter->MaySkipAtChar(ch)) atCharTriggers_[c] = true;
            if (filter->MaySkipAfterWord(ch)) afterWordTriggers_[c] = true;
        }
    }
    if (filter->HandlesLines()) lineFilters_.push_back(filter.get());
    filters_.push_back(std::move(filter));
}

void TIgnoreFilterSet::ClearIgnoreFilters() {
    charFilters_.clear();
    lineFilters_.clear();
    atCharTriggers_.fill(false);
    afterWordTriggers_.fill(false);
    filters_.clear();
}

void TIgnoreFilterSet::InstallHooks(TMainParsingEngine& engine) {
    engine.OnSkipAtChar = [this](TMainParsingEngine&, char c, TControlParser& source,
                                 bool& skipped) { skipped = SkipAtChar(c, source); };
    engine.SetSkipTriggers(&atCharTriggers_, &afterWordTriggers_);
    engine.OnSkipAfterWord = [this](TMainParsingEngine&, std::string_view word,
                                    TControlParser& source,
                                    bool& skipped) { skipped = SkipAfterWord(word, source); };
}

bool TIgnoreFilterSet::SkipAtChar(char c, TControlParser& source) {
    return std::any_of(charFilters_.begin(), charFilters_.end(),
                       [&](TParserIgnore* f) { return f->SkipAtChar(c, source); });
}

bool TIgnoreFilterSet::SkipAfterWord(std::string_view word, TControlParser& source) {
    return std::any_of(charFilters_.begin(), charFilters_.end(),
                       [&](TParserIgnore* f) { return f->SkipAfterWord(word, source); });
}

bool TIgnoreFilterSet::IsIgnoredWord(std::string_view word, TControlParser* source) {
    return std::any_of(filters_.begin(), filters_.end(),
                       [&](const auto& f) { return f->IgnoreWord(word, source); });
}

bool TIgnoreFilterSet::IsIgnoredLine(std::string_view line) {
    return std::any_of(lineFilters_.begin(), lineFilters_.end(),
                       [&](TParserIgnore* f) { return f->IgnoreLine(line); });
}

}  // namespace quillon
