#include "builders/ovm_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/main_dictionary.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

class OvmWriterTest : public ::testing::Test {
protected:
    // Compiles the words, opens the result and checks that every word is found and that
    // walking the whole tree gives back exactly the (sorted, unique) list.
    void ExpectRoundTrip(const std::vector<std::string>& words, const std::vector<std::string>& nonWords,
                         std::uint32_t minimumNodes = 0) {
        const TOvmCompileResult result = CompileMainDictionary(words, u"Round trip", 1033);
        const std::string path = folder_.Write("round.ovm", result.bytes);
        TMainDictionary d;
        d.Open(path);
        ASSERT_EQ(d.FileName(), path);
        EXPECT_GE(d.NodeCount(), minimumNodes);

        std::set<std::string> unique(words.begin(), words.end());
        unique.erase("");
        EXPECT_EQ(d.WordCount(), unique.size());
        for (const std::string& w : unique) ASSERT_TRUE(d.IsWord(w)) << w;
        for (const std::string& w : nonWords) EXPECT_FALSE(d.IsWord(w)) << w;

        std::vector<std::string> walked;
        d.WalkPrefix("", [&walked](std::string_view w) { return walked.emplace_back(w), false; });
        std::sort(walked.begin(), walked.end());
        EXPECT_EQ(walked, std::vector<std::string>(unique.begin(), unique.end()));
    }

    test::TempFolder folder_;
};

TEST_F(OvmWriterTest, SmallListsRoundTrip) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        std::vector<std::string> nonWords;
    };
    const Case cases[] = {
        {"prefixes and runs",
         {"a", "I", "cat", "cats", "catalogue", "Paris", "internationalization"},
         {"c", "ca", "catalog", "catalogu", "catalogues", "international", "internationalizatio", "paris"}},
        {"a run longer than one record folds into a chain",
         {"pneumonoultramicroscopicsilicovolcanoconiosis", "pn"},
         {"pneumonoultramicroscopicsilicovolcanoconiosi", "pneumono", "p"}},
        {"more children than fit in the node word",
         {"ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "aj", "ak", "b", "xa", "xb", "xc", "xd", "xe", "xf", "xg"},
         {"a", "al", "x", "xh", "abc"}},
        {"every byte value from 1 to 255",
         [] {
             std::vector<std::string> w;
             for (int c = 1; c < 256; ++c) w.push_back(std::string("q") + static_cast<char>(c));
             for (int c = 1; c < 256; ++c) w.push_back(std::string(1, static_cast<char>(c)) + "z");
             return w;
         }(),
         {"q", "qzz", std::string("\xe9") + "y"}},
        {"Windows-1252 letters", {"na\xefve", "\xc5ngstr\xf6m", "caf\xe9", "cafe"}, {"naive", "caf"}},
        {"duplicates, empty words and any input order", {"b", "", "a", "b", "c", "a"}, {"ab"}},
        {"single word", {"x"}, {"xx", ""}},
        {"no words", {}, {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRoundTrip(c.words, c.nonWords);
    }
}

// Enough nodes for the mixed 2- and 3-byte child references, with every kind of node:
// wide fan-out, folded runs of all lengths and words that are prefixes of others.
// Random words share few endings, so merging cannot shrink them below that size.
TEST_F(OvmWriterTest, LargeTreeWithWideReferencesRoundTrips) {
    std::vector<std::string> words;
    std::mt19937 random(7);
    for (int i = 0; i < 60000; ++i) {
        std::string w(6 + random() % 9, 'a');
        for (char& c : w) c = static_cast<char>('a' + random() % 26);
        words.push_back(w);
        if (i % 10 == 0) words.push_back(w.substr(0, w.size() / 2));
    }
    ExpectRoundTrip(words, {"aaaaaaaaaaaaaaaaaaaaaa", "jjjjjjjjjjjjjjjjjjjjjjjjj", "ajajz"}, ovm::kWideReferenceNodeCount);
}

// Words that end alike share their endings, and every word still reads back.
TEST_F(OvmWriterTest, SharedEndingsShrinkTheFile) {
    std::vector<std::string> words;
    for (const char* stem : {"walk", "talk", "jump", "play", "work", "call", "look", "turn"})
        for (const char* ending : {"", "s", "ed", "ing", "er", "ers"}) words.push_back(std::string(stem) + ending);
    ExpectRoundTrip(words, {"walke", "talkings", "jumpe", "plays'", "wor"});
    const auto shared = CompileMainDictionary(words, u"T", 9);
    EXPECT_LT(shared.nodeCount, 40u) << "eight stems with the same six endings";
}

TEST_F(OvmWriterTest, OutputIsDeterministic) {
    std::vector<std::string> words = {"delta", "alpha", "charlie", "bravo", "alphabet", "echo"};
    const auto first = CompileMainDictionary(words, u"T", 9).bytes;
    std::reverse(words.begin(), words.end());
    EXPECT_EQ(CompileMainDictionary(words, u"T", 9).bytes, first);
}

TEST_F(OvmWriterTest, RecordsTheHeaderFields) {
    const auto result = CompileMainDictionary({"one", "two"}, u"American English", 1033);
    TMainDictionary d;
    d.Open(folder_.Write("h.ovm", result.bytes));
    EXPECT_EQ(d.Title(), "American English");
    EXPECT_EQ(d.Language(), 1033u);
    EXPECT_EQ(d.WordCount(), 2u);
    EXPECT_EQ(d.NodeCount(), result.nodeCount);
}

TEST_F(OvmWriterTest, RefusesWhatTheFormatCannotHold) {
    EXPECT_THROW(CompileMainDictionary({std::string(513, 'a')}, u"T", 9), EOvmCompileError);
    EXPECT_NO_THROW(CompileMainDictionary({std::string(512, 'a')}, u"T", 9));
    EXPECT_THROW(CompileMainDictionary({std::string("a\0b", 3)}, u"T", 9), EOvmCompileError);
    EXPECT_THROW(CompileMainDictionary({"a"}, std::u16string(256, u'x'), 9), EOvmCompileError);
}

TEST_F(OvmWriterTest, LongestWordIsWalked) {
    const std::string longest(512, 'w');
    TMainDictionary d;
    d.Open(folder_.Write("long.ovm", CompileMainDictionary({longest, "w"}, u"T", 9).bytes));
    EXPECT_TRUE(d.IsWord(longest));
    std::vector<std::string> walked;
    d.WalkPrefix("ww", [&walked](std::string_view w) { return walked.emplace_back(w), false; });
    EXPECT_EQ(walked, std::vector<std::string>{longest});
}

}  // namespace
}  // namespace quillon
