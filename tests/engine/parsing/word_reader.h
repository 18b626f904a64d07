// Reads a whole text through the word breaker, as a check would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ignore_filter_set.h"
#include "engine/parsing_engine.h"

namespace quillon::test {

// Every word up to the end of the text; a word the filters accept appears as "[word]".
inline std::vector<std::string> ReadAll(TMainParsingEngine& engine,
                                        TIgnoreFilterSet* filters = nullptr) {
    // A breaker that never reaches the end fails here instead of running on.
    constexpr std::size_t kMaxWords = 1000;
    std::vector<std::string> words;
    for (;;) {
        const std::string& word = engine.NextWord();
        if (word.empty()) return words;
        if (words.size() == kMaxWords) {
            ADD_FAILURE() << "no end of text after " << kMaxWords << " words";
            return words;
        }
        const bool ignored = filters && filters->IsIgnoredWord(word, engine.Source());
        words.push_back(ignored ? "[" + word + "]" : word);
    }
}

}  // namespace quillon::test
