#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "builders/ovm_writer.h"
#include "engine/phonetic_search.h"
#include "engine/phonetics_map.h"
#include "engine/replace_node.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

struct EncodeCase {
    std::int32_t language;
    const char* word;
    const char* code;
};

TEST(PhoneticsMapTest, EncodesWithEachRuleTable) {
    const EncodeCase table[] = {
        // English: the worked examples, then rules that consume more than they match,
        // silent letters, the repeat rule and the budget.
        {1033, "recieve", "resf"},
        {1033, "receive", "resf"},
        {1033, "phonetic", "phntk"},
        {1033, "knight", "knt"},
        {1033, "KNIGHT", "knt"},   // lower-cased first
        {2057, "knight", "knt"},   // any English (low byte 9)
        {1033, "church", "chrx"},  // ch consumes both
        {1033, "aatch", "aax"},    // tch consumes three
        {1033, "aathe", "aa0"},    // th is the digit zero
        {1033, "aaaha", "aah"},    // vowel-h-vowel keeps the h, consumes two
        {1033, "aaah", "aa"},      // a silent h after a vowel
        {1033, "aadge", "aaj"},
        {1033, "aaciao", "aax"},       // cia consumes one: i and a add nothing
        {1033, "hello", "hel"},        // a doubled letter sounds once
        {1033, "aaxxxx", "aaksksks"},  // x gives two characters; the budget ends it
        {1033, "xxbdfklmnpr", "xxbtfklm"},
        {1033, "a", "a"},
        {1033, "", ""},
        // Russian, Windows-1251: молоко, дорого, а made-up word for оро, нанна, счастье.
        {1049, "\xEC\xEE\xEB\xEE\xEA\xEE", "\xEC\xEE\xEB\xFC\xE0\xE3\xE0"},
        {1049, "\xE4\xEE\xF0\xEE\xE3\xEE", "\xE4\xEE\xF0\xFC\xE0\xE3\xFC\xE0"},
        {1049, "\xE4\xE4\xEE\xF0\xEE\xF2", "\xE4\xE4\xEE\xF0\xE0\xF2\xFC"},
        {1049, "\xED\xE0\xED\xED\xE0", "\xED\xE0\xED"},
        {1049, "\xF1\xF7\xE0\xF1\xF2\xFC\xE5", "\xF1\xF7\xF1\xFC\xF2\xFC"},
        // French.
        {1036, "maison", "maxm"},
        {1036, "bonbon", "bombm"},
        {3084, "ppbb", "ppb"},  // any French (low byte 12)
        {1036, "knight", "kngd"},
        // Generic: any other language, and the English fallback 0.
        {0, "phonetic", "phmdk"},
        {0, "knight", "knkd"},
        {1031, "fooon", "fom"},
        {1053, "saxophone", "sakbm"},
    };
    for (const EncodeCase& c : table) {
        TPhoneticsMap map;
        map.SetLanguage(c.language);
        EXPECT_EQ(map.Encode(c.word), c.code) << c.language << " " << c.word;
    }
}

TEST(PhoneticsMapTest, StartDepthIsTheVerbatimPrefix) {
    TPhoneticsMap map;
    map.SetLanguage(1033);
    map.SetStartDepth(3);
    EXPECT_EQ(map.Encode("phonetic"), "phontk");
    map.SetStartDepth(0);  // ignored
    map.SetStartDepth(-2);
    EXPECT_EQ(map.StartDepth(), 3);
    map.SetStartDepth(1);
    EXPECT_EQ(map.Encode("phonetic"), "phntk");  // the ph rule no longer sees its p
}

TEST(PhoneticsMapTest, WithoutALanguageOnlyThePrefixIsKept) {
    TPhoneticsMap map;
    EXPECT_EQ(map.Language(), -1);
    EXPECT_EQ(map.Encode("phonetic"), "ph");
    map.SetLanguage(1033);
    map.Clear();
    EXPECT_EQ(map.Encode("phonetic"), "ph");
}

TEST(ReplaceNodeTest, MatchesTheLongestSourceAtAPosition) {
    TPhoneticsMap map;
    map.SetLanguage(1033);
    struct Case {
        const char* word;
        std::size_t position;
        bool matches;
        const char* destination;
        int length;
    };
    const Case table[] = {
        {"tch", 0, true, "x", 3}, {"xtch", 1, true, "x", 3},  {"tc", 0, true, "t", 1},
        {"gh", 0, true, "", 2},   {"ghost", 0, true, "k", 2}, {"ab", 0, false, "", 0},
        {"ab", 1, true, "b", 1},  {"ab", 2, false, "", 0},    {"ab", 9, false, "", 0},
    };
    for (const Case& c : table) {
        std::string_view destination;
        int length = 0;
        EXPECT_EQ(map.Match(c.word, destination, c.position, length), c.matches) << c.word << c.position;
        if (!c.matches) continue;
        EXPECT_EQ(destination, c.destination) << c.word;
        EXPECT_EQ(length, c.length) << c.word;
    }
}

TEST(ReplaceNodeTest, InsertAddsOrReplacesRulesAndKeepsEncodingFinite) {
    TPhoneticsMap map;
    map.SetLanguage(1033);
    map.Insert("k", "q", 1);  // replaces k -> k
    EXPECT_EQ(map.Encode("aakk"), "aaq");
    map.Insert("zz", "s", 0);  // a length of 0 would never move on
    EXPECT_EQ(map.Encode("aazzz"), "aas");
    map.Insert("mb", "m", 9);  // cannot consume more than its source
    EXPECT_EQ(map.Encode("aambt"), "aamt");
    map.Insert("", "x", 1);  // an empty source would match everywhere
    EXPECT_EQ(map.Encode("aab"), "aab");
}

TEST(PhoneticsMapTest, AcceptDistanceDependsOnLengthAndLimit) {
    struct Case {
        int divisor;
        int maxDistance;
        int length;
        int distance;
        bool accepted;
    };
    const Case table[] = {
        {2, 4, 3, 1, true},  {2, 4, 3, 2, false},   // 3-letter word: distance 1 only
        {2, 4, 10, 4, true}, {2, 4, 10, 5, false},  // 10 letters: at most 4
        {2, 9, 10, 5, true}, {2, 9, 10, 6, false}, {3, 4, 10, 3, true}, {3, 4, 10, 4, false},
        {1, 4, 3, 3, true},  {0, 4, 3, 3, true},  // 0 counts as 1
        {0, 4, 3, 4, false}, {-2, 4, 3, 3, true},  {2, 4, 1, 0, true},  {2, 4, 1, 1, false},
    };
    for (const Case& c : table) {
        TPhoneticsMap map;
        map.PhoneticDivisor = c.divisor;
        map.PhoneticMaxDistance = c.maxDistance;
        EXPECT_EQ(map.AcceptDistance(std::string(c.length, 'a'), c.distance), c.accepted)
            << c.divisor << " " << c.maxDistance << " " << c.length << " " << c.distance;
    }
}

// Encode of every word the search looks at, to show where it prunes.
class RecordingMap : public TPhoneticsMap {
public:
    std::string Encode(std::string_view word) override {
        encoded.emplace_back(word);
        return TPhoneticsMap::Encode(word);
    }
    std::vector<std::string> encoded;
};

class PhoneticSearchTest : public ::testing::Test {
protected:
    TMainDictionary& Dictionary(std::vector<std::string> words) {
        const auto compiled = CompileMainDictionary(std::move(words), u"T", 1033);
        dictionary_ = std::make_unique<TMainDictionary>();
        dictionary_->Open(folder_.Write("d.ovm", compiled.bytes));
        return *dictionary_;
    }

    static std::vector<std::string> Words(const TSuggestionList& list) {
        std::vector<std::string> words;
        for (const TSuggestion& s : list) words.push_back(s.word);
        return words;
    }

    test::TempFolder folder_;
    std::unique_ptr<TMainDictionary> dictionary_;
};

TEST_F(PhoneticSearchTest, FindsWordsOfTheSameCodeUnderTheTypedPrefix) {
    TMainDictionary& d = Dictionary({"receive", "resave", "relieve", "receiver", "Receive", "deceive"});
    TPhoneticsMap map;
    map.SetLanguage(1033);

    TSuggestionList list;
    FindPhoneticCandidates(d, "recieve", map, list);
    EXPECT_EQ(Words(list), (std::vector<std::string>{"receive", "resave"}));

    // The prefix is case-sensitive; a word listed in another case is not added again.
    list = {{"RESAVE", 0}};
    FindPhoneticCandidates(d, "Recieve", map, list);
    EXPECT_EQ(Words(list), (std::vector<std::string>{"RESAVE", "Receive"}));

    // A code shorter than 2 characters searches nothing.
    list.clear();
    FindPhoneticCandidates(d, "r", map, list);
    EXPECT_TRUE(list.empty());
}

TEST_F(PhoneticSearchTest, PrunesBelowWordsWhoseCodeIsLonger) {
    // "resj" is the code sought; "resdg" codes as "restk", longer, so "resdge" below it
    // (code "resj") is never reached.
    struct Case {
        std::vector<std::string> words;
        std::vector<std::string> found;
        std::size_t encoded;  // the word itself, then every word visited
    };
    const Case table[] = {
        {{"resdge"}, {"resdge"}, 2},
        {{"resdg", "resdge"}, {}, 2},
        {{"resj", "resjaaaa"}, {"resj", "resjaaaa"}, 3},  // equal codes go on down
    };
    for (const Case& c : table) {
        TMainDictionary& d = Dictionary(c.words);
        RecordingMap map;
        map.SetLanguage(1033);
        TSuggestionList list;
        FindPhoneticCandidates(d, "resj", map, list);
        EXPECT_EQ(Words(list), c.found) << c.words.size();
        EXPECT_EQ(map.encoded.size(), c.encoded) << c.words.size();
    }
}

TEST_F(PhoneticSearchTest, StopsAddingAfterFiveHundredEntries) {
    // Every "re" + vowels word codes as "re": 780 of them.
    std::vector<std::string> words;
    std::vector<std::string> layer = {""};
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> next;
        for (const std::string& stem : layer) {
            for (const char v : std::string("aeiou")) next.push_back(stem + v);
        }
        for (const std::string& w : next) words.push_back("re" + w);
        layer = next;
    }
    TMainDictionary& d = Dictionary(words);
    TPhoneticsMap map;
    map.SetLanguage(1033);
    TSuggestionList list;
    FindPhoneticCandidates(d, "rei", map, list);
    EXPECT_EQ(list.size(), 501u);
}

}  // namespace
}  // namespace quillon
