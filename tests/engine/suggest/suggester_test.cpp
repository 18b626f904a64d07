#include "engine/suggester.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "builders/ovm_writer.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using Words = std::vector<std::string>;

class SuggesterTest : public ::testing::Test {
protected:
    void UseMain(std::vector<std::string> words, std::uint32_t language = 1033) {
        const auto compiled = CompileMainDictionary(std::move(words), u"T", language);
        auto dictionary = std::make_unique<TMainDictionary>();
        dictionary->Open(folder_.Write("main" + std::to_string(++files_) + ".ovm", compiled.bytes));
        set_.MainDictionaries.clear();
        set_.MainDictionaries.push_back(std::move(dictionary));
        set_.MainDictionariesChanged();
    }

    Words Suggest(std::string_view word, int max = -1) {
        TSuggestionList list;
        suggester_.Suggest(word, max, list);
        return WordsOf(list);
    }

    static Words WordsOf(const TSuggestionList& list) {
        Words words;
        for (const TSuggestion& s : list) words.push_back(s.word);
        return words;
    }

    test::TempFolder folder_;
    int files_ = 0;
    TDictionarySet set_;
    TSuggester suggester_{set_};
};

TEST_F(SuggesterTest, SwapAndSoundFindTheSameWordOnce) {
    UseMain({"receive", "resave", "receiver", "recite", "deceive"});
    TSuggestionList list;
    suggester_.Suggest("recieve", -1, list);
    ASSERT_EQ(WordsOf(list), (Words{"receive", "resave"}));
    EXPECT_EQ(list[0].score, 1);
    EXPECT_EQ(list[1].score, 2);  // sounds alike ("resf"); three edits, one taken off as a swap
}

TEST_F(SuggesterTest, SoundAlikesReachWhatOneEditCannot) {
    UseMain({"knight", "knit", "knitted", "night"});
    Words words = Suggest("knitt");
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0], "knit");  // one edit; the others are two away, in the walk's order
    std::sort(words.begin() + 1, words.end());
    EXPECT_EQ(words, (Words{"knit", "knight", "knitted"}));
}

TEST_F(SuggesterTest, PhoneticCandidatesMustBeNearEnough) {
    // "fooon" sounds like "fon" in the English table, "fomm" only in the generic one that
    // the English search falls back to; both are two edits from the three-letter word.
    UseMain({"fooon", "fomm"});
    struct Case {
        bool phonetic;
        int divisor;
        int maxDistance;
        Words expected;
    };
    const Case table[] = {
        {true, 2, 4, {}},  // 3 / 2 allows distance 1 only
        {true, 1, 4, {"fooon", "fomm"}},
        {true, 1, 1, {}},
        {true, 0, 4, {"fooon", "fomm"}},  // 0 counts as 1
        {false, 1, 4, {}},
    };
    for (const Case& c : table) {
        suggester_.PhoneticSuggestions = c.phonetic;
        suggester_.PhoneticsMap.PhoneticDivisor = c.divisor;
        suggester_.PhoneticsMap.PhoneticMaxDistance = c.maxDistance;
        EXPECT_EQ(Suggest("fon"), c.expected) << c.phonetic << " " << c.divisor << " " << c.maxDistance;
    }
}

TEST_F(SuggesterTest, TheMapFollowsThePrimaryLanguageAndEnglishFallsBack) {
    std::vector<std::int32_t> languages;
    suggester_.OnAdjustPhoneticsMap = [&](TSuggester& sender) {
        languages.push_back(sender.PhoneticsMap.Language());
    };
    UseMain({"fomm"});
    suggester_.PhoneticsMap.PhoneticDivisor = 1;
    EXPECT_EQ(Suggest("fon"), Words{"fomm"});  // through the generic table only
    EXPECT_EQ(Suggest("fon"), Words{"fomm"});
    EXPECT_EQ(languages, (std::vector<std::int32_t>{1033, 0, 1033, 0}));

    languages.clear();
    UseMain({"fomm"}, 1036);
    EXPECT_EQ(Suggest("fon"), Words{"fomm"});
    EXPECT_EQ(Suggest("fon"), Words{"fomm"});
    EXPECT_EQ(languages, std::vector<std::int32_t>{1036});
}

TEST_F(SuggesterTest, TheLimitCutsAfterSorting) {
    // Eight wrong-letter candidates, all one edit away; "car", sixth, was chosen before.
    UseMain({"cab", "cad", "cam", "can", "cap", "car", "cat", "caw"});
    set_.Learning = std::make_unique<TCustomDictionary>();
    set_.Learning->AddWord("car");
    struct Case {
        int max;
        Words expected;
    };
    // The stated exchange sort moves "cab" from the front to where "car" was.
    const Case table[] = {
        {-1, {"car", "cad", "cam", "can", "cap", "cab", "cat", "caw"}},
        {5, {"car", "cad", "cam", "can", "cap"}},
        {1, {"cab"}},  // the generator stops at two entries, before "car"
        {0, {}},
    };
    for (const Case& c : table) {
        suggester_.MaxSuggestions = c.max;
        TSuggestionList list;
        suggester_.GetSuggestions("cax", list);
        EXPECT_EQ(WordsOf(list), c.expected) << c.max;
    }
}

TEST_F(SuggesterTest, GetSuggestionsReadsTheLimitOnceConfigured) {
    UseMain({"cab", "cad", "cam"});
    set_.OnEnsureConfiguration = [&](TDictionarySet&) { suggester_.MaxSuggestions = 2; };
    TSuggestionList list;
    suggester_.GetSuggestions("cax", list);
    EXPECT_EQ(WordsOf(list), (Words{"cab", "cad"}));
}

TEST_F(SuggesterTest, EarlierChoicesComeFirst) {
    UseMain({"cab", "cat", "caw"});
    struct Case {
        bool learning;
        const char* replacement;  // learnt for "cax"; empty for none
        const char* added;        // a word chosen before; empty for none
        Words expected;
    };
    const Case table[] = {
        {false, "", "", {"cab", "cat", "caw"}},
        {true, "caw", "caw", {"caw", "cat", "cab"}},
        {true, "caw", "", {"caw", "cat", "cab"}},
        {true, "Caw", "", {"Caw", "cab", "cat", "caw"}},  // a case variant is not the same choice
        {true, "cow", "", {"cow", "cab", "cat", "caw"}},  // wherever it came from
        {true, "", "caw", {"caw", "cat", "cab"}},
        {true, "", "", {"cab", "cat", "caw"}},
    };
    for (const Case& c : table) {
        set_.Learning.reset();
        if (c.learning) {
            set_.Learning = std::make_unique<TCustomDictionary>();
            if (*c.replacement != '\0') set_.Learning->AddAutoCorrect("cax", c.replacement);
            if (*c.added != '\0') set_.Learning->AddWord(c.added);
        }
        EXPECT_EQ(Suggest("cax"), c.expected) << c.replacement << "/" << c.added;
    }
}

TEST_F(SuggesterTest, AMappingPairIsTheOnlySuggestion) {
    UseMain({"cab", "cat", "caw"});
    set_.Mapping = std::make_unique<TCustomDictionary>();
    set_.Mapping->AddAutoCorrect("cax", "fox");
    EXPECT_EQ(Suggest("cax"), Words{"fox"});
    EXPECT_EQ(Suggest("cax", 3), Words{"fox"});
    EXPECT_TRUE(Suggest("cax", 0).empty());
    EXPECT_EQ(Suggest("cay"), (Words{"cab", "cat", "caw"}));  // other words as usual
}

TEST_F(SuggesterTest, WithoutMainDictionariesOnlyCustomWordsAreSuggested) {
    set_.ActiveCustom = std::make_unique<TCustomDictionary>();
    set_.ActiveCustom->AddWord("cat");
    EXPECT_EQ(Suggest("cax"), Words{"cat"});
    EXPECT_TRUE(Suggest("").empty());
}

}  // namespace
}  // namespace quillon
