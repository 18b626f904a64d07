#include "engine/main_dictionary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/engine/dictionary/raw_ovm.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using test::RawNode;
using test::RawOvm;

// Words: "I", "a", "cat", "cats", "catalogue", "Paris", laid out by hand.
//   table 1: 0 root, 1 I, 2 P, 3 a, 4 c, 5 a (c-a), 6 t (cat), 7 s (Paris), 8 s (cats), 9 e (catalogue)
//   table 3: 10 a + "ri" (P-a-r-i)
//   table 5: 11 a + "logu" (cat-a-l-o-g-u)
RawOvm SampleDictionary(bool rootListWithCountByte = false) {
    RawOvm o;
    o.title = u"Fran\u00e7ais";
    o.language = 1036;
    o.wordCount = 6;
    const std::uint32_t rootList = o.AddNarrowList({1, 2, 3, 4}, rootListWithCountByte);
    const std::uint32_t tList = o.AddNarrowList({11, 8});
    o.nodes = {
        rootListWithCountByte ? RawNode{0, false, "", 0, rootList - 1} : RawNode{0, false, "", 4, rootList},
        {'I', true},
        {'P', false, "", 1, 10},
        {'a', true},
        {'c', false, "", 1, 5},
        {'a', false, "", 1, 6},
        {'t', true, "", 2, tList},
        {'s', true},
        {'s', true},
        {'e', true},
        {'a', false, "ri", 1, 7},
        {'a', false, "logu", 1, 9},
    };
    o.SetFirst('I', true, 0, 0);
    o.SetFirst('P', false, 1, 10);
    o.SetFirst('a', true, 0, 0);
    o.SetFirst('c', false, 1, 5);
    return o;
}

std::vector<std::string> Walk(TMainDictionary& d, std::string_view prefix,
                              const std::function<bool(std::string_view)>& prune = nullptr) {
    std::vector<std::string> words;
    d.WalkPrefix(prefix, [&](std::string_view w) {
        words.emplace_back(w);
        return prune && prune(w);
    });
    return words;
}

class MainDictionaryTest : public ::testing::Test {
protected:
    std::string WriteFile(const std::string& name, const RawOvm& o) { return folder_.Write(name, o.Bytes()); }
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return folder_.Write(name, bytes);
    }

    test::TempFolder folder_;
};

struct LookupCase {
    const char* word;
    bool expected;
};

TEST_F(MainDictionaryTest, LooksUpWordsExactly) {
    const LookupCase cases[] = {
        {"I", true},          {"a", true},           {"cat", true},       {"cats", true},
        {"catalogue", true},  {"Paris", true},
        {"", false},          {"c", false},          // one letter with children but not a word
        {"x", false},         {"ca", false},         {"catz", false},
        {"catal", false},     {"catalog", false},    // ends inside the folded run
        {"catalogu", false},  // ends right after the run
        {"catalogues", false},{"Pari", false},       {"Par", false},
        {"paris", false},     {"PARIS", false},      {"i", false},        {"CAT", false},
    };
    for (bool countByte : {false, true}) {
        TMainDictionary d;
        const std::string path = WriteFile(countByte ? "b.ovm" : "a.ovm", SampleDictionary(countByte));
        d.Open(path);
        ASSERT_EQ(d.FileName(), path);
        for (const LookupCase& c : cases)
            EXPECT_EQ(d.IsWord(c.word), c.expected) << "'" << c.word << "' count byte " << countByte;
    }
}

TEST_F(MainDictionaryTest, ReadsTheHeader) {
    TMainDictionary d;
    EXPECT_FALSE(d.Loaded());
    d.Open(WriteFile("a.ovm", SampleDictionary()));
    EXPECT_EQ(d.Title(), "Fran\xe7" "ais");
    EXPECT_EQ(d.Language(), 1036u);
    EXPECT_EQ(d.WordCount(), 6u);
    EXPECT_EQ(d.NodeCount(), 12u);
    EXPECT_FALSE(d.Loaded()) << "mapping waits for the first lookup";
    EXPECT_TRUE(d.IsWord("cat"));
    EXPECT_TRUE(d.Loaded());
}

struct WalkCase {
    const char* prefix;
    std::vector<std::string> expected;
};

TEST_F(MainDictionaryTest, WalksWordsBelowAPrefixInStoredOrder) {
    const WalkCase cases[] = {
        {"", {"I", "Paris", "a", "cat", "catalogue", "cats"}},
        {"cat", {"cat", "catalogue", "cats"}},  // the prefix itself first
        {"ca", {"cat", "catalogue", "cats"}},
        {"cata", {"catalogue"}},  // ends inside a folded run
        {"catalogu", {"catalogue"}},
        {"catalogue", {"catalogue"}},
        {"P", {"Paris"}},
        {"Pari", {"Paris"}},
        {"a", {"a"}},
        {"catalogues", {}},
        {"catx", {}},
        {"catb", {}},  // mismatch inside the run
        {"x", {}},
    };
    TMainDictionary d;
    d.Open(WriteFile("a.ovm", SampleDictionary()));
    for (const WalkCase& c : cases) EXPECT_EQ(Walk(d, c.prefix), c.expected) << "prefix '" << c.prefix << "'";
}

TEST_F(MainDictionaryTest, PruningSkipsOnlyTheWordsBelow) {
    TMainDictionary d;
    d.Open(WriteFile("a.ovm", SampleDictionary()));
    EXPECT_EQ(Walk(d, "", [](std::string_view w) { return w == "cat"; }),
              (std::vector<std::string>{"I", "Paris", "a", "cat"}));
    EXPECT_EQ(Walk(d, "cat", [](std::string_view) { return true; }), std::vector<std::string>{"cat"});
}

// Two-letter words "qb", "qc", "qd" whose second letters are the nodes 1, 40000 and 2,
// padded with leaves so that references need more than 15 bits.
RawOvm ReferenceEncodingDictionary(bool wide) {
    RawOvm o;
    o.nodes.assign(40002, RawNode{});
    o.nodes[1] = {'b', true};
    o.nodes[2] = {'d', true};
    o.nodes[40000] = {'c', true};
    const std::uint32_t list = wide ? o.AddWideList({1, 40000, 2}) : o.AddNarrowList({1, 40000, 2});
    o.nodes[40001] = {'q', false, "", 3, list};
    o.nodes[0] = {0, false, "", 1, 40001};
    o.SetFirst('q', false, 3, list);
    o.nodeCountField = wide ? 65535 : 65534;
    return o;
}

TEST_F(MainDictionaryTest, ReadsBothReferenceEncodings) {
    for (bool wide : {false, true}) {
        TMainDictionary d;
        d.Open(WriteFile(wide ? "wide.ovm" : "narrow.ovm", ReferenceEncodingDictionary(wide)));
        for (const char* w : {"qb", "qc", "qd"}) EXPECT_TRUE(d.IsWord(w)) << w << " wide " << wide;
        EXPECT_FALSE(d.IsWord("qe"));
        EXPECT_EQ(Walk(d, ""), (std::vector<std::string>{"qb", "qc", "qd"})) << "wide " << wide;
    }
}

TEST_F(MainDictionaryTest, ReadingOneEncodingAsTheOtherStaysInBounds) {
    for (bool wide : {false, true}) {
        RawOvm o = ReferenceEncodingDictionary(wide);
        o.nodeCountField = wide ? 100 : 70000;  // the wrong encoding for the stored lists
        TMainDictionary d;
        d.Open(WriteFile("mixed.ovm", o));
        d.IsWord("qc");
        Walk(d, "");
        EXPECT_TRUE(d.Loaded());
    }
}

struct DamageCase {
    const char* name;
    std::function<void(RawOvm&)> damage;
    std::vector<std::string> stillWords;
    std::vector<std::string> lostWords;
};

// A damaged tree must never make a lookup read outside the file: the broken branch
// simply holds no words.
TEST_F(MainDictionaryTest, DamagedTreeEndsTheBranch) {
    const DamageCase cases[] = {
        {"child index past the last node", [](RawOvm& o) { o.nodes[5].reference = 5000; },
         {"Paris", "a"}, {"cat", "cats"}},
        {"child list past the area", [](RawOvm& o) { o.nodes[6].reference = 0xFFFF0; },
         {"cat", "Paris"}, {"cats", "catalogue"}},
        {"child count runs past the area",
         [](RawOvm& o) {
             o.nodes[6].childCount = 0;
             o.nodes[6].reference = static_cast<std::uint32_t>(o.childArea.size());
             o.childArea.push_back(200);
             o.childArea.push_back(8);
             o.childArea.push_back(0);
         },
         {"cat", "cats"}, {"catalogue"}},
        {"list reference past the last node", [](RawOvm& o) { o.childArea[8] = 0xFF; },
         {"cat", "cats"}, {"catalogue"}},
        {"first-character node past the last node", [](RawOvm& o) { o.SetFirst('c', false, 1, 9999); },
         {"Paris"}, {"cat"}},
        {"first-character list past the area", [](RawOvm& o) { o.SetFirst('c', false, 3, 0xFFFFFFF0u); },
         {"Paris"}, {"cat"}},
        {"empty count byte", [](RawOvm& o) {
             o.nodes[0] = RawNode{0, false, "", 0, static_cast<std::uint32_t>(o.childArea.size())};
             o.childArea.push_back(0);
         }, {"cat"}, {}},
    };
    for (const DamageCase& c : cases) {
        RawOvm o = SampleDictionary();
        c.damage(o);
        TMainDictionary d;
        d.Open(WriteFile("damaged.ovm", o));
        for (const std::string& w : c.stillWords) EXPECT_TRUE(d.IsWord(w)) << c.name << ": " << w;
        for (const std::string& w : c.lostWords) EXPECT_FALSE(d.IsWord(w)) << c.name << ": " << w;
        for (const char* prefix : {"", "c", "cat", "P"}) Walk(d, prefix);
    }
}

TEST_F(MainDictionaryTest, CyclesInADamagedTreeEndTheWalk) {
    const std::function<void(RawOvm&)> damages[] = {
        [](RawOvm& o) { o.nodes[0].childCount = 1, o.nodes[0].reference = 0; },   // root is its own child
        [](RawOvm& o) { o.nodes[6].childCount = 1, o.nodes[6].reference = 6; },   // t below t
        [](RawOvm& o) { o.childArea[8] = 6; o.childArea[10] = 6; },               // t lists itself twice
    };
    for (const auto& damage : damages) {
        RawOvm o = SampleDictionary();
        damage(o);
        TMainDictionary d;
        d.Open(WriteFile("cycle.ovm", o));
        std::size_t visited = 0;
        d.WalkPrefix("", [&visited](std::string_view) { return ++visited, false; });
        EXPECT_LE(visited, (o.wordCount + 1) * ovm::kMaxWordLength);
        d.IsWord(std::string(600, 't'));
    }
}

// Branching cycles with a header that claims every possible word must still end.
TEST_F(MainDictionaryTest, LyingWordCountDoesNotStallTheWalk) {
    RawOvm o = SampleDictionary();
    o.childArea[8] = 6;
    o.childArea[10] = 6;
    o.wordCount = 0xFFFFFFFFu;
    TMainDictionary d;
    d.Open(WriteFile("lying.ovm", o));
    std::uint64_t visited = 0;
    d.WalkPrefix("", [&visited](std::string_view) { return ++visited, false; });
    EXPECT_GT(visited, 0u);
    EXPECT_LT(visited, 1u << 24);
}

TEST_F(MainDictionaryTest, RejectedFilesLeaveThePreviousOneInUse) {
    const std::vector<std::uint8_t> good = SampleDictionary().Bytes();
    struct Case {
        const char* name;
        std::function<std::vector<std::uint8_t>()> bytes;
    };
    const Case cases[] = {
        {"exactly the header block", [&] { return std::vector<std::uint8_t>(good.begin(), good.begin() + 1024); }},
        {"empty", [] { return std::vector<std::uint8_t>(); }},
        {"first banner byte", [&] { auto b = good; b[0] ^= 1; return b; }},
        {"middle banner byte", [&] { auto b = good; b[ovm::kBanner.size() / 2] ^= 0x20; return b; }},
        {"last banner byte", [&] { auto b = good; b[ovm::kBanner.size() - 1] = '\n' + 1; return b; }},
        {"zero inside the banner", [&] { auto b = good; b[10] = 0; return b; }},
        {"header cut short", [&] { return std::vector<std::uint8_t>(good.begin(), good.begin() + 1040); }},
    };
    for (const Case& c : cases) {
        TMainDictionary d;
        const std::string goodPath = WriteFile("good.ovm", good);
        d.Open(goodPath);
        ASSERT_TRUE(d.IsWord("cat"));
        d.IncrementWordsFound();
        d.Open(WriteFile("bad.ovm", c.bytes()));
        EXPECT_EQ(d.FileName(), goodPath) << c.name;
        EXPECT_EQ(d.Title(), "Fran\xe7" "ais") << c.name;
        EXPECT_FALSE(d.Loaded()) << c.name << ": the rejected open releases the mapping";
        EXPECT_EQ(d.WordsFound(), 0) << c.name;
        EXPECT_TRUE(d.IsWord("cats")) << c.name << ": the previous file maps again";
    }
}

TEST_F(MainDictionaryTest, MissingFileChangesNothing) {
    TMainDictionary d;
    const std::string path = WriteFile("a.ovm", SampleDictionary());
    d.Open(path);
    ASSERT_TRUE(d.IsWord("a"));
    d.IncrementWordsFound();
    d.Open(folder_.Path("missing.ovm"));
    EXPECT_EQ(d.FileName(), path);
    EXPECT_TRUE(d.Loaded());
    EXPECT_EQ(d.WordsFound(), 1);
}

TEST_F(MainDictionaryTest, TablesPastTheEndOpenButNeverMap) {
    for (int cut : {1, 3072, 3073}) {
        std::vector<std::uint8_t> bytes = SampleDictionary().Bytes();
        bytes.resize(bytes.size() - cut);
        TMainDictionary d;
        const std::string path = WriteFile("short.ovm", bytes);
        d.Open(path);
        EXPECT_EQ(d.FileName(), path);
        EXPECT_FALSE(d.IsWord("a")) << "cut " << cut;
        EXPECT_TRUE(Walk(d, "").empty());
        EXPECT_FALSE(d.Loaded());
    }
    RawOvm huge = SampleDictionary();
    std::vector<std::uint8_t> bytes = huge.Bytes();
    const std::size_t c9 = 1025 + 2 * huge.title.size() + 2 + 12 + 4 * 8;
    bytes[c9 + 3] = 0xFF;  // table 9 claims billions of records
    TMainDictionary d;
    d.Open(WriteFile("huge.ovm", bytes));
    EXPECT_FALSE(d.IsWord("cat"));
    EXPECT_FALSE(d.Loaded());
}

TEST_F(MainDictionaryTest, ReopeningWhileMappedMapsTheNewFile) {
    RawOvm other;
    other.nodes = {{0, false, "", 1, 1}, {'z', true}};
    other.SetFirst('z', true, 0, 0);
    TMainDictionary d;
    d.Open(WriteFile("a.ovm", SampleDictionary()));
    ASSERT_TRUE(d.IsWord("cat"));
    d.IncrementWordsFound();
    const std::string second = WriteFile("z.ovm", other);
    d.Open(second);
    EXPECT_EQ(d.FileName(), second);
    EXPECT_TRUE(d.Loaded());
    EXPECT_EQ(d.WordsFound(), 0);
    EXPECT_TRUE(d.IsWord("z"));
    EXPECT_FALSE(d.IsWord("cat"));

    d.SetLoaded(false);
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(d.IsWord("z")) << "a lookup maps the file again";
}

TEST_F(MainDictionaryTest, EmptyObjectAnswersNothing) {
    TMainDictionary d;
    d.SetLoaded(true);
    EXPECT_FALSE(d.Loaded());
    EXPECT_FALSE(d.IsWord("a"));
    EXPECT_TRUE(Walk(d, "").empty());
}

}  // namespace
}  // namespace quillon
