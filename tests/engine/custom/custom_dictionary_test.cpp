// The dictionary in memory: what it accepts and refuses, where entries go in the table,
// growth, listing order, and searches that end however many entries came and went.
#include "engine/custom_dictionary.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/engine/custom/custom_test_support.h"

namespace quillon {
namespace {

using test::EntriesOf;
using test::Numbered;
using test::RawEntry;

// "cat" added, "dog" excluded, "teh" corrected to "the".
void FillSample(TCustomDictionary& d) {
    ASSERT_TRUE(d.AddWord("cat"));
    ASSERT_TRUE(d.AddExcluded("dog"));
    ASSERT_TRUE(d.AddAutoCorrect("teh", "the"));
}

struct ChangeCase {
    const char* name;
    std::function<bool(TCustomDictionary&)> change;
    bool expected;
};

TEST(CustomDictionaryChanges, AcceptsAndRefusesByTheRules) {
    const std::string nul("a\0b", 3);
    const ChangeCase cases[] = {
        {"empty word", [](TCustomDictionary& d) { return d.AddWord(""); }, false},
        {"already added", [](TCustomDictionary& d) { return d.AddWord("cat"); }, false},
        {"added while excluded", [](TCustomDictionary& d) { return d.AddWord("dog"); }, false},
        {"added while a misspelling", [](TCustomDictionary& d) { return d.AddWord("teh"); }, false},
        {"excluded while added", [](TCustomDictionary& d) { return d.AddExcluded("cat"); }, false},
        {"pair for an excluded word", [](TCustomDictionary& d) { return d.AddAutoCorrect("dog", "do"); },
         false},
        {"a replacement is no entry", [](TCustomDictionary& d) { return d.AddWord("the"); }, true},
        {"case counts", [](TCustomDictionary& d) { return d.AddWord("Cat"); }, true},
        {"500 bytes of word", [](TCustomDictionary& d) { return d.AddWord(std::string(500, 'x')); }, true},
        {"501 bytes of word", [](TCustomDictionary& d) { return d.AddWord(std::string(501, 'x')); }, false},
        {"pair of 500 bytes",
         [](TCustomDictionary& d) { return d.AddAutoCorrect(std::string(250, 'x'), std::string(250, 'y')); },
         true},
        {"pair of 501 bytes",
         [](TCustomDictionary& d) { return d.AddAutoCorrect(std::string(250, 'x'), std::string(251, 'y')); },
         false},
        {"zero byte in a word", [nul](TCustomDictionary& d) { return d.AddWord(nul); }, false},
        {"zero byte in a replacement", [nul](TCustomDictionary& d) { return d.AddAutoCorrect("x", nul); },
         false},
        {"remove an added word", [](TCustomDictionary& d) { return d.RemoveWord("cat"); }, true},
        {"remove an excluded word as added", [](TCustomDictionary& d) { return d.RemoveWord("dog"); }, false},
        {"remove a misspelling as excluded", [](TCustomDictionary& d) { return d.RemoveExcluded("teh"); },
         false},
        {"remove a replacement", [](TCustomDictionary& d) { return d.RemoveAutoCorrect("the"); }, false},
        {"remove a missing word", [](TCustomDictionary& d) { return d.RemoveWord("cow"); }, false},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCustomDictionary d;
        FillSample(d);
        d.SetModified(false);
        const std::vector<RawEntry> before = EntriesOf(d);
        EXPECT_EQ(c.change(d), c.expected);
        EXPECT_EQ(d.Modified(), c.expected);
        if (!c.expected) {
            EXPECT_EQ(EntriesOf(d), before);
        }
        EXPECT_EQ(d.AddedCount() + d.ExcludedCount() + d.AutoCorrectCount(),
                  static_cast<int>(EntriesOf(d).size()));
    }
}

TEST(CustomDictionaryChanges, AnswersEachKindForItsOwnType) {
    TCustomDictionary d;
    FillSample(d);
    std::string replacement;
    EXPECT_TRUE(d.IsAdded("cat"));
    EXPECT_FALSE(d.IsExcluded("cat"));
    EXPECT_FALSE(d.GetAutoCorrect("cat", replacement));
    EXPECT_TRUE(d.IsExcluded("dog"));
    EXPECT_FALSE(d.IsAdded("dog"));
    EXPECT_TRUE(d.GetAutoCorrect("teh", replacement));
    EXPECT_EQ(replacement, "the");
    EXPECT_FALSE(d.IsAdded("teh"));
    EXPECT_FALSE(d.IsAdded("the"));
    EXPECT_FALSE(d.IsAdded("Cat"));
    EXPECT_EQ(d.AddedCount(), 1);
    EXPECT_EQ(d.ExcludedCount(), 1);
    EXPECT_EQ(d.AutoCorrectCount(), 1);
    std::string misspelling;
    d.AutoCorrectPair(0, misspelling, replacement);
    EXPECT_EQ(misspelling + ">" + replacement, "teh>the");
    for (int index : {-1, 1, 1000}) {
        EXPECT_EQ(d.AddedWord(index), "");
        EXPECT_EQ(d.ExcludedWord(index), "");
        d.AutoCorrectPair(index, misspelling, replacement);
        EXPECT_EQ(misspelling + replacement, "");
    }
}

TEST(CustomDictionaryChanges, ClearEmptiesWithoutMarkingModified) {
    TCustomDictionary d;
    FillSample(d);
    d.SetModified(false);
    d.Clear();
    EXPECT_FALSE(d.Modified());
    EXPECT_TRUE(EntriesOf(d).empty());
    EXPECT_EQ(d.AddedCount() + d.ExcludedCount() + d.AutoCorrectCount(), 0);
    EXPECT_FALSE(d.IsAdded("cat"));
    EXPECT_TRUE(d.AddWord("cat"));
}

// "cat", "bbq", "doi", "azz" and "acn" share home slot 186 of a 251-slot table, with
// probe step 90: 186, 25, 115, 205, 44, ...
TEST(CustomDictionaryTable, PlacesByHomeSlotAndProbeStep) {
    TCustomDictionary d;
    for (const char* w : {"cat", "bbq", "doi"}) ASSERT_TRUE(d.AddWord(w));
    EXPECT_EQ(EntriesOf(d),
              (std::vector<RawEntry>{{25, 'I', "bbq", ""}, {115, 'I', "doi", ""}, {186, 'I', "cat", ""}}));

    ASSERT_TRUE(d.RemoveWord("cat"));
    EXPECT_TRUE(d.IsAdded("bbq")) << "a search passes over a deleted slot";
    EXPECT_TRUE(d.IsAdded("doi"));
    ASSERT_TRUE(d.AddWord("azz"));  // a deleted home slot is reused
    ASSERT_TRUE(d.AddWord("cat"));
    ASSERT_TRUE(d.RemoveWord("bbq"));
    ASSERT_TRUE(d.AddWord("acn"));  // a deleted slot further on is not
    EXPECT_EQ(
        EntriesOf(d),
        (std::vector<RawEntry>{
            {44, 'I', "acn", ""}, {115, 'I', "doi", ""}, {186, 'I', "azz", ""}, {205, 'I', "cat", ""}}));
    EXPECT_EQ(d.SlotCount(), 251u);
}

TEST(CustomDictionaryTable, GrowsThroughTheTableOfSizes) {
    struct GrowthCase {
        int entries;
        std::uint32_t slots;
    };
    // The table grows when the live entries times 4 reach its size.
    const GrowthCase cases[] = {{0, 0},       {1, 251},     {62, 251},    {63, 509},    {127, 509},
                                {128, 1021},  {255, 1021},  {256, 2039},  {509, 2039},  {510, 4093},
                                {1023, 4093}, {1024, 8191}, {2047, 8191}, {2048, 16381}};
    TCustomDictionary d;
    int added = 0;
    for (const GrowthCase& c : cases) {
        while (added < c.entries) ASSERT_TRUE(d.AddAutoCorrect(Numbered("w", added++), "r"));
        EXPECT_EQ(d.SlotCount(), c.slots) << c.entries << " entries";
    }
    for (int i = 0; i < added; ++i) {
        std::string replacement;
        ASSERT_TRUE(d.GetAutoCorrect(Numbered("w", i), replacement)) << i;
        EXPECT_EQ(replacement, "r");
    }
    EXPECT_EQ(d.AutoCorrectCount(), added);
}

std::vector<std::string> AddedWordsListed(TCustomDictionary& d) {
    std::vector<std::string> words;
    for (int i = 0; i < d.AddedCount(); ++i) words.push_back(d.AddedWord(i));
    return words;
}

std::vector<std::string> AddedWordsInSlotOrder(TCustomDictionary& d) {
    std::vector<std::string> words;
    for (const RawEntry& e : EntriesOf(d)) {
        if (e.type == 'I') words.push_back(e.word);
    }
    return words;
}

TEST(CustomDictionaryTable, ListsInTableOrderWhichGrowthChanges) {
    TCustomDictionary d;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(d.AddWord(Numbered("word", 39 - i)));
        if (i % 3 == 0) {
            ASSERT_TRUE(d.AddExcluded(Numbered("not", i)));
        }
    }
    const std::vector<std::string> small = AddedWordsListed(d);
    EXPECT_EQ(small, AddedWordsInSlotOrder(d));

    ASSERT_EQ(d.SlotCount(), 251u);
    // Lists stay valid across adds that do not grow the table: the new word comes last.
    ASSERT_TRUE(d.AddWord("zebra"));
    std::vector<std::string> appended = small;
    appended.push_back("zebra");
    EXPECT_EQ(AddedWordsListed(d), appended);

    for (int i = 0; i < 10; ++i) ASSERT_TRUE(d.AddWord(Numbered("more", i)));
    ASSERT_EQ(d.SlotCount(), 509u);
    EXPECT_EQ(AddedWordsListed(d), AddedWordsInSlotOrder(d));
    const std::vector<std::string> grown = AddedWordsListed(d);
    EXPECT_NE(std::vector<std::string>(grown.begin(), grown.begin() + 41), appended);
}

// Adds and removes that keep the live count low never grow the table, so deleted slots
// pile up; every search and insertion must still end.
TEST(CustomDictionaryTable, EverySearchEndsThroughManyAddsAndRemoves) {
    TCustomDictionary d;
    std::set<std::string> present;
    int next = 0;
    for (int round = 0; round < 300; ++round) {
        for (int i = 0; i < 40; ++i) {
            const std::string w = Numbered("churn", next++);
            ASSERT_TRUE(d.AddWord(w));
            present.insert(w);
        }
        // Keep 20 of them for a while, drop the rest.
        while (present.size() > 20) {
            ASSERT_TRUE(d.RemoveWord(*present.begin()));
            present.erase(present.begin());
        }
        EXPECT_FALSE(d.IsAdded(Numbered("absent", round)));
    }
    EXPECT_EQ(d.SlotCount(), 251u);
    EXPECT_EQ(d.AddedCount(), 20);
    for (const std::string& w : present) EXPECT_TRUE(d.IsAdded(w)) << w;
    EXPECT_FALSE(d.IsAdded("churn0"));
}

}  // namespace
}  // namespace quillon
