#include "engine/ignore_filter_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/string_parser.h"

namespace quillon {
namespace {

// Answers true in every slot it is asked; records that it was asked.
class TEagerIgnore : public TParserIgnoreBase {
public:
    TEagerIgnore(bool chars, bool lines, int* asked = nullptr, bool* destroyed = nullptr)
        : chars_(chars), lines_(lines), asked_(asked), destroyed_(destroyed) {}
    ~TEagerIgnore() override {
        if (destroyed_) *destroyed_ = true;
    }
    bool HandlesChars() const override { return chars_; }
    bool HandlesLines() const override { return lines_; }
    bool SkipAtChar(char, TControlParser&) override { return Ask(); }
    bool SkipAfterWord(std::string_view, TControlParser&) override { return Ask(); }
    bool IgnoreWord(std::string_view, TControlParser*) override { return Ask(); }
    bool IgnoreLine(std::string_view) override { return Ask(); }

private:
    bool Ask() {
        if (asked_) ++*asked_;
        return true;
    }
    bool chars_;
    bool lines_;
    int* asked_;
    bool* destroyed_;
};

TEST(IgnoreFilterSet, FiltersJoinTheListsTheyTakePartIn) {
    struct Case {
        bool chars;
        bool lines;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "chars " << c.chars << " lines " << c.lines);
        TIgnoreFilterSet set;
        set.AddIgnoreFilter(std::make_unique<TEagerIgnore>(c.chars, c.lines));
        std::string text = "x";
        TStringParser source(text);
        EXPECT_EQ(set.SkipAtChar('x', source), c.chars);
        EXPECT_EQ(set.SkipAfterWord("x", source), c.chars);
        EXPECT_EQ(set.IsIgnoredLine("x"), c.lines);
        EXPECT_TRUE(set.IsIgnoredWord("x", &source));
    }
}

TEST(IgnoreFilterSet, CharacterFiltersStopAtTheFirstSkip) {
    int firstAsked = 0, secondAsked = 0;
    TIgnoreFilterSet set;
    set.AddIgnoreFilter(std::make_unique<TEagerIgnore>(true, false, &firstAsked));
    set.AddIgnoreFilter(std::make_unique<TEagerIgnore>(true, false, &secondAsked));
    std::string text = "x";
    TStringParser source(text);
    EXPECT_TRUE(set.SkipAtChar('x', source));
    EXPECT_TRUE(set.SkipAfterWord("x", source));
    EXPECT_EQ(firstAsked, 2);
    EXPECT_EQ(secondAsked, 0);
}

TEST(IgnoreFilterSet, RebuildReplacesFiltersAndRaisesEventsInOrder) {
    TIgnoreFilterSet set;
    std::vector<std::string> events;
    set.OnAddCustomIgnore = [&events](TIgnoreFilterSet& sender) {
        events.push_back("custom");
        sender.AddIgnoreFilter(std::make_unique<TEagerIgnore>(false, true));
    };
    set.OnOptionsChanged = [&events](TIgnoreFilterSet& sender) {
        // Listeners see the finished set, the application's filters included.
        events.push_back(sender.IsIgnoredLine("plain") ? "changed with custom" : "changed");
    };

    set.BuildFilters({soNumbers, soQuoted}, "|");
    EXPECT_EQ(events, (std::vector<std::string>{"custom", "changed with custom"}));
    EXPECT_TRUE(set.IsIgnoredWord("abc1", nullptr));
    EXPECT_EQ(set.Filters().size(), 3u);

    set.OnAddCustomIgnore = nullptr;
    set.BuildFilters({soQuoted}, "|");
    EXPECT_FALSE(set.IsIgnoredWord("abc1", nullptr));
    EXPECT_FALSE(set.IsIgnoredLine("plain"));
    EXPECT_TRUE(set.IsIgnoredLine("| quoted"));
    EXPECT_FALSE(set.IsIgnoredLine("> quoted"));
    EXPECT_EQ(set.Filters().size(), 1u);
}

TEST(IgnoreFilterSet, ClearDestroysAndEmptiesEveryList) {
    bool destroyed = false;
    TIgnoreFilterSet set;
    set.AddIgnoreFilter(std::make_unique<TEagerIgnore>(true, true, nullptr, &destroyed));
    set.ClearIgnoreFilters();
    EXPECT_TRUE(destroyed);
    std::string text = "x";
    TStringParser source(text);
    EXPECT_FALSE(set.SkipAtChar('x', source));
    EXPECT_FALSE(set.SkipAfterWord("x", source));
    EXPECT_FALSE(set.IsIgnoredWord("x", &source));
    EXPECT_FALSE(set.IsIgnoredLine("x"));
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Skips from '#' to the next space; says nothing about where it may skip, so it must
// be asked at every character.
class THashCommentIgnore : public TParserIgnoreBase {
public:
    bool HandlesChars() const override { return true; }
    bool SkipAtChar(char c, TControlParser& source) override {
        if (c != '#') return false;
        while (source.CurrentChar() != ' ' && source.Next()) {
        }
        return true;
    }
};

TEST(IgnoreFilterSet, HooksReachEveryFilterAddedBeforeOrAfterInstalling) {
    for (bool addAfterInstalling : {false, true}) {
        SCOPED_TRACE(addAfterInstalling ? "added after" : "added before");
        TIgnoreFilterSet set;
        TMainParsingEngine engine;
        set.BuildFilters(TSpellOptions{soHTML});
        if (!addAfterInstalling) set.AddIgnoreFilter(std::make_unique<THashCommentIgnore>());
        set.InstallHooks(engine);
        if (addAfterInstalling) set.AddIgnoreFilter(std::make_unique<THashCommentIgnore>());

        std::string text = "a #b c <i>d</i> e#f g";
        TStringParser source(text);
        engine.BeginCheck(source, 2);
        std::vector<std::string> words;
        for (std::string w = engine.NextWord(); !w.empty(); w = engine.NextWord()) words.push_back(w);
        EXPECT_EQ(words, (std::vector<std::string>{"a", "c", "d", "e", "g"}));
    }
}

}  // namespace
}  // namespace quillon
