#include "engine/suggestions_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quillon {
namespace {

using Words = std::vector<std::string>;

struct Case {
    const char* word;
    std::set<std::string> known;
    Words expected;
};

Words Generated(TSuggestionsGenerator& generator, std::string_view word, const std::set<std::string>& known,
                int max = -1) {
    const TSuggestionsGenerator::TWordExists exists = [&](std::string_view w) {
        return known.count(std::string(w)) != 0;
    };
    TSuggestionList list;
    generator.GenerateCaseVariants(word, max, exists, list);
    Words words;
    for (const TSuggestion& s : list) words.push_back(s.word);
    return words;
}

void RunTable(TSuggestionKinds kinds, const std::vector<Case>& table) {
    for (const Case& c : table) {
        TSuggestionsGenerator generator;
        generator.SetKinds(kinds);
        EXPECT_EQ(Generated(generator, c.word, c.known), c.expected) << c.word;
    }
}

TEST(SuggestionsGeneratorTest, SwapsNeighboursThenLettersTwoApart) {
    RunTable(SwappedLetters, {
                                 {"ab", {"ba"}, {}},                              // too short to swap
                                 {"abc", {"bac", "acb", "cba"}, {"acb", "bac"}},  // no swap two apart
                                 {"abcd", {"cbad", "adcb", "bacd"}, {"bacd", "adcb", "cbad"}},
                             });
}

TEST(SuggestionsGeneratorTest, EachKindTriesPositionsFromTheEnd) {
    RunTable(MissingLetter, {
                                {"ct", {"cat", "cut", "act", "cte"}, {"cte", "cat", "cut", "act"}},
                                {"c", {"ca", "ac"}, {"ca", "ac"}},
                            });
    RunTable(ExtraLetter, {
                              {"caat", {"cat", "caa"}, {"caa", "cat"}},  // "cat" twice, listed once
                              {"ca", {"c", "a"}, {}},                    // shorter than 2
                          });
    RunTable(WrongLetter, {
                              {"cxt", {"cat", "cot", "bxt"}, {"cat", "cot", "bxt"}},
                          });
}

TEST(SuggestionsGeneratorTest, SplitsRunTogetherWords) {
    RunTable(RunTogether, {
                              {"inthe", {"in", "the", "int", "he"}, {"in the", "int he"}},
                              {"abcd", {"ab", "cd", "a", "bcd", "abc", "d"}, {"ab cd"}},  // middle only
                              {"abc", {"ab", "c", "a", "bc"}, {}},
                              {"abcd", {"ab"}, {}},  // both halves must be known
                              {"end.The", {"end", "The"}, {"end.  The"}},
                              {"end.the", {"end", "the"}, {}},  // a lower-case start is no sentence
                              {"a.b.Cd", {"a", "b.Cd", "a.b", "Cd"}, {}},
                              {"ends.", {"ends", ""}, {}},
                          });
}

TEST(SuggestionsGeneratorTest, CaseRulesOfTheCandidates) {
    // All kinds; each row shows one rule of the letter sets or of TryCandidate.
    RunTable(kAllSuggestionKinds,
             {
                 {"cax", {"cat"}, {"cat"}},
                 {"xat", {"Cat"}, {"Cat"}},         // a capital is offered when nothing else is
                 {"xat", {"Cat", "cat"}, {"cat"}},  // ... but not beside its lower-case form
                 {"cax", {"caT"}, {}},              // lower-case word: no capitals inside
                 {"CAX", {"CAT", "cat"}, {"CAT"}},  // capitals: the full set
                 {"Cax", {"Cat", "cat"}, {"Cat"}},  // not lower case, so the capital stays
                 {"TEh", {"Tea"}, {"Tea"}},         // found only through "Teh"
                 {"hELO", {"help"}, {"help"}},      // found only through "helo"
                 {"tHe", {"the"}, {"the"}},         // both runs find it; listed once
                 {"Teh", {"The", "the"}, {"The"}},
             });
}

TEST(SuggestionsGeneratorTest, StopsOneEntryPastTheLimitInKindOrder) {
    // Swaps, missing, extra, wrong: one candidate of each, in that order.
    const std::set<std::string> known = {"cat", "ca", "caxe", "acx", "cxa"};
    struct Limit {
        int max;
        Words expected;
    };
    const Limit table[] = {
        {-1, {"cxa", "acx", "caxe", "ca", "cat"}},
        {-7, {"cxa", "acx", "caxe", "ca", "cat"}},  // any negative is no limit
        {2, {"cxa", "acx", "caxe"}},
        {1, {"cxa", "acx"}},
        {0, {}},
    };
    for (const Limit& l : table) {
        TSuggestionsGenerator generator;
        EXPECT_EQ(Generated(generator, "cax", known, l.max), l.expected) << l.max;
    }
}

TEST(SuggestionsGeneratorTest, WordsLongerThan250GetNothing) {
    TSuggestionsGenerator generator;
    generator.SetKinds(ExtraLetter);
    const std::string word250(250, 'a');
    EXPECT_EQ(Generated(generator, word250, {word250.substr(1)}), Words{word250.substr(1)});
    const std::string word251(251, 'a');
    EXPECT_TRUE(Generated(generator, word251, {word251.substr(1)}).empty());
    EXPECT_TRUE(Generated(generator, "", {"a"}).empty());
}

TEST(SuggestionsGeneratorTest, LanguagesAddFirstLettersAndChooseKinds) {
    struct Lang {
        std::int32_t language;
        const char* known;  // reached only through the language's extra first letters
        TSuggestionKinds kinds;
    };
    const Lang table[] = {
        {1029, "\x9Ala", kAllSuggestionKinds},           // Czech
        {1036, "\x9Cuf", kAllSuggestionKinds},           // French
        {3084, "\x9Cuf", kAllSuggestionKinds},           // any French
        {1049, "\xB2la", kAllSuggestionKinds},           // Russian
        {1045, "\x9Fle", kAllSuggestionKinds},           // Polish
        {1053, "", kAllSuggestionKinds & ~RunTogether},  // Swedish: no splits
    };
    for (const Lang& l : table) {
        TSuggestionsGenerator generator;
        EXPECT_EQ(generator.Kinds(), kAllSuggestionKinds);
        if (*l.known != '\0') {
            const std::string word = std::string("x") + (l.known + 1);
            EXPECT_TRUE(Generated(generator, word, {l.known}).empty()) << l.language;
            generator.SetLanguage(l.language);
            EXPECT_EQ(Generated(generator, word, {l.known}), Words{l.known}) << l.language;
        } else {
            generator.SetLanguage(l.language);
        }
        EXPECT_EQ(generator.Kinds(), l.kinds) << l.language;
    }
}

TEST(SuggestionsGeneratorTest, FirstLettersStayAndDoNotRepeat) {
    TSuggestionsGenerator generator;
    const std::string initial = generator.StartLetters();
    generator.SetLanguage(1029);
    const std::string czech = generator.StartLetters();
    EXPECT_EQ(czech.size(), initial.size() + 6);  // 9A 9D 9E 8A 8D 8E: the others are there already
    generator.SetLanguage(1033);
    generator.SetLanguage(1029);
    EXPECT_EQ(generator.StartLetters(), czech);
    EXPECT_EQ(std::set<char>(czech.begin(), czech.end()).size(), czech.size());
}

TEST(SuggestionsGeneratorTest, FixedKindsStopFollowingTheLanguage) {
    TSuggestionsGenerator generator;
    generator.SetKinds(MissingLetter | RunTogether);
    generator.SetLanguage(1053);
    EXPECT_EQ(generator.Kinds(), MissingLetter | RunTogether);
    EXPECT_FALSE(generator.KindsFollowLanguage());
    generator.SetDefaultKinds(true);
    EXPECT_EQ(generator.Kinds(), kAllSuggestionKinds & ~RunTogether);
    generator.SetLanguage(1033);
    EXPECT_EQ(generator.Kinds(), kAllSuggestionKinds);
}

// A derived generator replaces a slot: the run calls it in place of the built-in kind.
class ScriptedGenerator : public TSuggestionsGenerator {
public:
    bool TryMissingLetter() override {
        for (const char* w : {"Cat", "cat", "Cat", "CAT"}) AddUnique(w);
        return false;
    }
};

TEST(SuggestionsGeneratorTest, AddUniqueSkipsOnlyAnIdenticalFirstMatch) {
    ScriptedGenerator generator;
    generator.SetKinds(MissingLetter);
    EXPECT_EQ(Generated(generator, "x", {}), (Words{"Cat", "cat", "CAT"}));
}

}  // namespace
}  // namespace quillon
