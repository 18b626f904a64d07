// The dictionary and its .ovu file: files of another writer read back, ours read by
// another reader, round trips, new and refused files, damaged bodies and the merge
// of two dictionaries saving one file.
#include "engine/custom_dictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/ovu_format.h"
#include "platform/os/os.h"
#include "tests/engine/custom/custom_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using test::EntriesOf;
using test::Numbered;
using test::RawEntry;
using test::RawOvu;
using test::ReadBytes;

class OvuFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const RawOvu& raw) { return folder_.Write(name, raw.Bytes()); }

    test::TempFolder folder_;
};

// Entries with types and replacements, as "I cat", "A teh>the"; sorted.
std::vector<std::string> Described(const std::vector<RawEntry>& entries) {
    std::vector<std::string> out;
    for (const RawEntry& e : entries) {
        std::string text(1, e.type);
        text.append(" ").append(e.word);
        if (e.type == 'A') text.append(">").append(e.replacement);
        out.push_back(std::move(text));
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> DescribedFile(const std::string& path) {
    TCustomDictionary d;
    d.SetFileName(path);
    EXPECT_EQ(d.FileName(), path);
    return Described(EntriesOf(d));
}

// Another writer's file: a collision chain, every kind of entry, a deleted slot.
RawOvu SampleRaw() {
    RawOvu raw(509);
    raw.Add('I', "cat");
    raw.Add('E', "dog");
    raw.Add('A', "teh", "the");
    raw.Add('I', "caf\xe9");
    raw.Add('A', "recieve", "receive");
    raw.Add('I', "gone");
    raw.Add('E', "Paris");
    raw.Remove("gone");
    return raw;
}

TEST_F(OvuFileTest, ReadsAFileOfAnotherWriter) {
    const RawOvu raw = SampleRaw();
    const std::string path = Write("other.ovu", raw);
    TCustomDictionary d;
    d.SetFileName(path);
    ASSERT_EQ(d.FileName(), path);
    EXPECT_EQ(EntriesOf(d), raw.Entries());
    EXPECT_EQ(d.SlotCount(), 509u);
    EXPECT_EQ(d.AddedCount(), 2);
    EXPECT_EQ(d.ExcludedCount(), 2);
    EXPECT_EQ(d.AutoCorrectCount(), 2);
    std::string replacement;
    EXPECT_TRUE(d.IsAdded("cat"));
    EXPECT_TRUE(d.IsAdded("caf\xe9"));
    EXPECT_TRUE(d.IsExcluded("Paris"));
    EXPECT_TRUE(d.GetAutoCorrect("recieve", replacement));
    EXPECT_EQ(replacement, "receive");
    EXPECT_FALSE(d.IsAdded("gone"));
    EXPECT_FALSE(d.Modified());

    std::vector<std::string> listed;
    for (int i = 0; i < d.ExcludedCount(); ++i) listed.push_back(d.ExcludedWord(i));
    std::vector<std::string> inSlotOrder;
    for (const RawEntry& e : raw.Entries()) {
        if (e.type == 'E') inSlotOrder.push_back(e.word);
    }
    EXPECT_EQ(listed, inSlotOrder);

    // Written whole, it is the other writer's file byte for byte.
    const std::string copy = folder_.Path("copy.ovu");
    ASSERT_TRUE(d.SaveAs(copy));
    EXPECT_EQ(ReadBytes(copy), raw.Bytes());
}

struct HomeCase {
    std::uint32_t slots;
    const char* word;
    std::uint32_t home;
};

// Worked out by hand from the hash: bytes above 127 count as unsigned, and the larger
// tables overflow 32 bits and take the negative branch.
const HomeCase kHomes[] = {
    {251, "a", 97},
    {251, "cat", 186},
    {251, "caf\xe9", 221},
    {251, "na\xefve", 93},
    {251, "antidisestablishmentarianism", 3},
    {251, "Zz\xff\x80", 2},
    {65521, "cat", 56829},
    {65521, "caf\xe9", 57789},
    {65521, "na\xefve", 33058},
    {65521, "antidisestablishmentarianism", 5178},
    {65521, "Zz\xff\x80", 25869},
    {1048573, "cat", 836491},
    {1048573, "na\xefve", 543598},
    {1048573, "antidisestablishmentarianism", 89454},
    {1048573, "counterrevolutionaries", 1017508},
};

TEST_F(OvuFileTest, FindsWordsAtTheirHomeSlots) {
    for (const std::uint32_t size : {251u, 65521u, 1048573u}) {
        SCOPED_TRACE(size);
        RawOvu raw(size);
        for (const HomeCase& c : kHomes) {
            if (c.slots == size) raw.Place(c.home, 'I', c.word);
        }
        TCustomDictionary d;
        d.SetFileName(Write("homes.ovu", raw));
        for (const HomeCase& c : kHomes) {
            if (c.slots == size) {
                EXPECT_TRUE(d.IsAdded(c.word)) << c.word;
            }
        }
    }
    TCustomDictionary ours;
    for (const HomeCase& c : kHomes) {
        if (c.slots == 251) {
            ASSERT_TRUE(ours.AddWord(c.word));
        }
    }
    for (const RawEntry& e : EntriesOf(ours)) {
        const auto c = std::find_if(std::begin(kHomes), std::end(kHomes),
                                    [&](const HomeCase& h) { return h.slots == 251 && h.word == e.word; });
        EXPECT_EQ(e.slot, c->home) << e.word;
    }
}

TEST_F(OvuFileTest, ReadsAndExtendsATableWithoutAnEmptySlot) {
    RawOvu raw(251);
    for (int i = 0; i < 40; ++i) raw.Add('I', Numbered("full", i));
    std::replace(raw.slots.begin(), raw.slots.end(), 0, -1);
    const std::string path = Write("full.ovu", raw);

    TCustomDictionary d;
    d.SetFileName(path);
    EXPECT_EQ(d.AddedCount(), 40);
    EXPECT_FALSE(d.IsAdded("absent"));
    ASSERT_TRUE(d.AddWord("new"));
    d.Save();
    ASSERT_FALSE(d.Modified());

    const auto saved = RawOvu::Parse(ReadBytes(path));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->slots.size(), 251u);
    EXPECT_EQ(saved->live, 41u);
    EXPECT_TRUE(saved->Lookup("new"));
    for (int i = 0; i < 40; ++i) EXPECT_TRUE(saved->Lookup(Numbered("full", i))) << i;
}

TEST_F(OvuFileTest, RoundTripKeepsEveryEntryAndSlot) {
    const std::string path = folder_.Path("round.ovu");
    TCustomDictionary d;
    d.SetFileName(path);
    ASSERT_EQ(d.FileName(), path);
    for (int i = 0; i < 300; ++i) {
        const std::string w = Numbered("w", i);
        ASSERT_TRUE(i % 3 == 0   ? d.AddWord(w)
                    : i % 3 == 1 ? d.AddExcluded(w)
                                 : d.AddAutoCorrect(w, Numbered("r", i)));
    }
    std::map<std::string, std::uint32_t> slotOf;
    for (const RawEntry& e : EntriesOf(d)) slotOf[e.word] = e.slot;
    std::vector<std::uint32_t> deletedSlots;
    for (int i = 0; i < 300; i += 7) {
        deletedSlots.push_back(slotOf[Numbered("w", i)]);
        const std::string w = Numbered("w", i);
        ASSERT_TRUE(i % 3 == 0 ? d.RemoveWord(w) : i % 3 == 1 ? d.RemoveExcluded(w) : d.RemoveAutoCorrect(w));
    }
    ASSERT_TRUE(d.AddWord("w7"));  // removed as excluded, back as added: a second record
    d.Save();
    ASSERT_FALSE(d.Modified());

    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    const auto raw = RawOvu::Parse(bytes);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->header.substr(0, ovu::kBanner.size()), ovu::kBanner);
    EXPECT_EQ(raw->header.substr(ovu::kBanner.size()), std::string("\0\x1A", 2));
    EXPECT_EQ(raw->slots.size(), d.SlotCount());
    EXPECT_EQ(raw->Entries(), EntriesOf(d));
    EXPECT_EQ(raw->added, static_cast<std::uint32_t>(d.AddedCount()));
    EXPECT_EQ(raw->excluded, static_cast<std::uint32_t>(d.ExcludedCount()));
    EXPECT_EQ(raw->autoCorrect, static_cast<std::uint32_t>(d.AutoCorrectCount()));
    EXPECT_EQ(raw->live, raw->Entries().size());
    // Removed entries' slots stay deleted, but for one that "w7", back as added, took again.
    const std::uint32_t reAdded = raw->Lookup("w7")->slot;
    for (const std::uint32_t slot : deletedSlots) {
        if (slot != reAdded) {
            EXPECT_EQ(raw->slots[slot], -1) << slot;
        }
    }
    const bool tookOne = std::count(deletedSlots.begin(), deletedSlots.end(), reAdded) != 0;
    EXPECT_EQ(std::count(raw->slots.begin(), raw->slots.end(), -1),
              static_cast<std::ptrdiff_t>(deletedSlots.size()) - (tookOne ? 1 : 0));
    for (const RawEntry& e : EntriesOf(d)) EXPECT_EQ(raw->Lookup(e.word), e);
    EXPECT_FALSE(raw->Lookup("w14"));
    const std::string block(raw->block.begin(), raw->block.end());
    EXPECT_NE(block.find(std::string("Ew7\0", 4)), std::string::npos);
    EXPECT_NE(block.find(std::string("Iw7\0", 4)), std::string::npos);

    TCustomDictionary again;
    again.SetFileName(path);
    EXPECT_EQ(EntriesOf(again), EntriesOf(d));
    const std::string copy = folder_.Path("copy.ovu");
    ASSERT_TRUE(again.SaveAs(copy));
    EXPECT_EQ(ReadBytes(copy), bytes);
}

TEST_F(OvuFileTest, AttachesOnlyNamesItCanRead) {
    const std::string folder = folder_.MakeFolder("sub");
    struct AttachCase {
        const char* name;
        std::string path;
        bool accepted;
    };
    const AttachCase cases[] = {
        {"missing file in an existing folder", folder_.Path("new.ovu"), true},
        {"missing folder", folder_.Path("nowhere") + os::PathSeparator() + "new.ovu", false},
        {"a folder", folder, false},
        {"no name: memory only", "", true},
    };
    for (const AttachCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCustomDictionary d;
        d.SetFileName(c.path);
        EXPECT_EQ(d.FileName(), c.accepted ? c.path : std::string());
        EXPECT_FALSE(os::FileExists(c.path)) << "attaching creates nothing";
    }
}

TEST_F(OvuFileTest, NewFileIsCreatedAtTheFirstSave) {
    const std::string path = folder_.Path("new.ovu");
    {
        TCustomDictionary d;
        d.SetFileName(path);
        EXPECT_EQ(d.AddedCount(), 0);
        EXPECT_TRUE(d.Modified());
        EXPECT_FALSE(os::FileExists(path));
        d.Save();
        EXPECT_FALSE(d.Modified());
    }
    const auto raw = RawOvu::Parse(ReadBytes(path));
    ASSERT_TRUE(raw);
    EXPECT_TRUE(raw->slots.empty());
    EXPECT_TRUE(raw->block.empty());
    EXPECT_EQ(raw->live, 0u);

    // Destroying saves pending changes.
    {
        TCustomDictionary d;
        d.SetFileName(path);
        ASSERT_TRUE(d.AddWord("first"));
    }
    EXPECT_EQ(DescribedFile(path), std::vector<std::string>{"I first"});
}

TEST_F(OvuFileTest, ChangingTheFileNameSavesToTheOldFile) {
    const std::string first = Write("first.ovu", SampleRaw());
    const std::string second = folder_.Path("second.ovu");
    TCustomDictionary d;
    d.SetFileName(first);
    ASSERT_TRUE(d.AddWord("mine"));
    d.SetFileName(second);
    EXPECT_EQ(d.FileName(), second);
    EXPECT_TRUE(d.Loaded());
    EXPECT_FALSE(d.IsAdded("mine"));
    EXPECT_EQ(d.AddedCount(), 0);
    const auto described = DescribedFile(first);
    EXPECT_NE(std::find(described.begin(), described.end(), "I mine"), described.end());

    d.SetLoaded(false);  // saves the new, empty dictionary
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(os::FileExists(second));
}

// Files that are not ours: the name is refused and nothing ever writes over them.
TEST_F(OvuFileTest, NeverWritesOverAForeignFile) {
    std::string changedMaker(ovu::kBanner);
    changedMaker[40] ^= 1;
    std::string banner(ovu::kBanner);
    struct ForeignCase {
        const char* name;
        std::string bytes;
    };
    const ForeignCase cases[] = {
        {"plain text", "cat\r\ndog\r\n"},
        {"empty file", ""},
        {"another maker line", changedMaker + std::string("\0\x1A", 2) + std::string(24, '\0')},
        {"banner without its zero byte", banner + std::string("\x01\x1A", 2) + std::string(24, '\0')},
        {"banner and zero byte only", banner + std::string(1, '\0')},
    };
    for (const ForeignCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.Write("foreign.ovu", c.bytes);
        TCustomDictionary d;
        d.SetFileName(path);
        EXPECT_EQ(d.FileName(), "");
        EXPECT_TRUE(d.AddWord("cat"));
        d.Save();
        EXPECT_FALSE(d.SaveAs(path));
        EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end()));
    }
}

TEST_F(OvuFileTest, NeverWritesOverAFileThatTurnedForeign) {
    const std::string foreign = "not a dictionary any more";
    for (const bool loadedFirst : {true, false}) {
        SCOPED_TRACE(loadedFirst ? "replaced after loading" : "replaced before loading");
        const std::string path = Write("turned.ovu", SampleRaw());
        {
            TCustomDictionary d;
            d.SetFileName(path);
            if (loadedFirst) {
                ASSERT_TRUE(d.IsAdded("cat"));
            }
            folder_.Write("turned.ovu", foreign);
            EXPECT_EQ(d.IsAdded("cat"), loadedFirst);
            EXPECT_TRUE(d.AddWord("mine"));
            d.Save();
            EXPECT_TRUE(d.Modified()) << "the change did not reach a file";
        }
        EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>(foreign.begin(), foreign.end()));
    }
}

struct DamageCase {
    const char* name;
    std::function<std::vector<std::uint8_t>(RawOvu)> damage;
};

std::vector<std::uint8_t> WithSlot(RawOvu raw, std::uint32_t slot, std::int32_t value) {
    raw.slots[slot] = value;
    return raw.Bytes();
}

// "cat" at 186 and "bbq" after it at 25 (one home), "dog", "teh" > "the" last.
RawOvu DamageBase() {
    RawOvu raw(251);
    raw.Add('I', "cat");
    raw.Add('I', "bbq");
    raw.Add('E', "dog");
    raw.Add('I', "gone");
    raw.Remove("gone");
    raw.Add('A', "teh", "the");
    return raw;
}

TEST_F(OvuFileTest, DamagedBodiesReadEmptyAndStayOnDisk) {
    const std::uint32_t cat = RawOvu::Home("cat", 251);
    const std::uint32_t dog = RawOvu::Home("dog", 251);
    const DamageCase cases[] = {
        {"ends inside the slots",
         [](RawOvu r) {
             auto b = r.Bytes();
             b.resize(141 + 100);
             return b;
         }},
        {"ends inside the counts",
         [](RawOvu r) {
             auto b = r.Bytes();
             b.resize(130);
             return b;
         }},
        {"ends inside the word block",
         [](RawOvu r) {
             auto b = r.Bytes();
             b.pop_back();
             return b;
         }},
        {"bytes after the word block",
         [](RawOvu r) {
             auto b = r.Bytes();
             b.push_back(0);
             return b;
         }},
        {"word block size beyond the file",
         [](RawOvu r) {
             auto b = r.Bytes();
             b[141 + 4 * 251] += 1;
             return b;
         }},
        {"S not a table size",
         [](RawOvu r) {
             r.slots.resize(250);
             return r.Bytes();
         }},
        {"no table but entries",
         [](RawOvu r) {
             r.slots.clear();
             return r.Bytes();
         }},
        {"live count not the sum",
         [](RawOvu r) {
             ++r.live;
             return r.Bytes();
         }},
        {"counts above the entries",
         [](RawOvu r) {
             ++r.added;
             ++r.live;
             return r.Bytes();
         }},
        {"a quarter of the table live",
         [](RawOvu r) {
             for (int i = 0; i < 59; ++i) r.Add('I', Numbered("n", i));
             return r.Bytes();
         }},
        {"slot past the word block",
         [=](RawOvu r) { return WithSlot(r, dog, static_cast<std::int32_t>(r.block.size()) + 1); }},
        {"slot at the block's last byte",
         [=](RawOvu r) { return WithSlot(r, dog, static_cast<std::int32_t>(r.block.size())); }},
        {"negative slot other than -1", [=](RawOvu r) { return WithSlot(r, dog, -2); }},
        {"unknown type byte",
         [=](RawOvu r) {
             r.block[static_cast<std::size_t>(r.slots[dog]) - 1] = 'X';
             return r.Bytes();
         }},
        {"replacement without its zero byte",
         [](RawOvu r) {
             r.block.pop_back();
             return r.Bytes();
         }},
        {"word without its zero byte",
         [](RawOvu r) {
             r.Add('I', "last");
             r.block.pop_back();
             return r.Bytes();
         }},
        {"empty word",
         [](RawOvu r) {
             r.Place(0, 'I', "");
             return r.Bytes();
         }},
        {"entry off its probe path",
         [=](RawOvu r) {
             r.slots[7] = r.slots[cat];
             r.slots[cat] = 0;
             return r.Bytes();
         }},
        {"entry behind a copy of itself",
         [=](RawOvu r) {
             r.slots[115] = r.slots[cat];
             ++r.added;
             ++r.live;
             return r.Bytes();
         }},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> bytes = c.damage(DamageBase());
        const std::string path = folder_.Write("damaged.ovu", bytes);
        {
            TCustomDictionary d;
            d.SetFileName(path);
            ASSERT_EQ(d.FileName(), path) << "the banner is ours";
            EXPECT_EQ(d.AddedCount() + d.ExcludedCount() + d.AutoCorrectCount(), 0);
            EXPECT_FALSE(d.IsExcluded("dog"));
            EXPECT_TRUE(d.Damaged());
            EXPECT_TRUE(d.AddWord("new"));
            d.Save();
            EXPECT_TRUE(d.Modified()) << "the word is still pending";
            EXPECT_FALSE(d.SaveAs(path));
        }
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    // The undamaged base reads in full, so each case above fails by its own damage.
    TCustomDictionary d;
    d.SetFileName(Write("base.ovu", DamageBase()));
    EXPECT_EQ(d.AddedCount() + d.ExcludedCount() + d.AutoCorrectCount(), 4);
    EXPECT_FALSE(d.Damaged());
}

TEST_F(OvuFileTest, PendingChangesReachADamagedFileOnceItIsSound) {
    auto damaged = SampleRaw().Bytes();
    damaged.pop_back();
    const std::string path = folder_.Write("mended.ovu", damaged);
    TCustomDictionary d;
    d.SetFileName(path);
    ASSERT_TRUE(d.AddWord("mine"));
    d.Save();
    ASSERT_TRUE(d.Modified());

    Write("mended.ovu", SampleRaw());  // put right by someone else
    d.Save();
    EXPECT_FALSE(d.Modified());
    auto expected = Described(SampleRaw().Entries());
    expected.push_back("I mine");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DescribedFile(path), expected);
}

struct MergeStep {
    char who;  // 'A' or 'B'; 'X' deletes the file
    std::function<void(TCustomDictionary&)> act;
};

void SaveIt(TCustomDictionary& d) {
    d.Save();
    EXPECT_FALSE(d.Modified()) << "a save did not get through";
}

struct MergeCase {
    const char* name;
    std::vector<MergeStep> steps;
    std::vector<std::string> expected;
};

TEST_F(OvuFileTest, TwoDictionariesOnOneFileMergeTheirChanges) {
    const auto add = [](std::string w) { return [w](TCustomDictionary& d) { EXPECT_TRUE(d.AddWord(w)); }; };
    const auto exclude = [](std::string w) {
        return [w](TCustomDictionary& d) { EXPECT_TRUE(d.AddExcluded(w)); };
    };
    const auto correct = [](std::string w, std::string r) {
        return [w, r](TCustomDictionary& d) { EXPECT_TRUE(d.AddAutoCorrect(w, r)); };
    };
    const auto remove = [](std::string w) {
        return [w](TCustomDictionary& d) { EXPECT_TRUE(d.RemoveWord(w)); };
    };
    const auto save = [](TCustomDictionary& d) { SaveIt(d); };
    const auto none = [](TCustomDictionary&) {};
    // The file starts with "I cat", "E dog", "A teh>the".
    const MergeCase cases[] = {
        {"different words from each",
         {{'A', add("x")}, {'B', add("y")}, {'A', save}, {'B', save}},
         {"A teh>the", "E dog", "I cat", "I x", "I y"}},
        {"a removal and an add",
         {{'A', remove("cat")}, {'B', add("y")}, {'A', save}, {'B', save}},
         {"A teh>the", "E dog", "I y"}},
        {"one word as two kinds: the first save wins",
         {{'A', add("w")}, {'B', exclude("w")}, {'B', add("v")}, {'A', save}, {'B', save}},
         {"A teh>the", "E dog", "I cat", "I v", "I w"}},
        {"pairs from each",
         {{'A', correct("adn", "and")}, {'B', correct("recieve", "receive")}, {'B', save}, {'A', save}},
         {"A adn>and", "A recieve>receive", "A teh>the", "E dog", "I cat"}},
        {"both remove one word",
         {{'A', remove("cat")}, {'B', remove("cat")}, {'A', save}, {'B', save}},
         {"A teh>the", "E dog"}},
        {"later saves of one object",
         {{'B', add("y")}, {'B', save}, {'A', add("x")}, {'A', save}, {'B', add("z")}, {'B', save}},
         {"A teh>the", "E dog", "I cat", "I x", "I y", "I z"}},
        {"file removed meanwhile: written whole again",
         {{'A', add("x")}, {'X', none}, {'A', save}},
         {"A teh>the", "E dog", "I cat", "I x"}},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        RawOvu raw(251);
        raw.Add('I', "cat");
        raw.Add('E', "dog");
        raw.Add('A', "teh", "the");
        const std::string path = Write("shared.ovu", raw);
        TCustomDictionary a;
        TCustomDictionary b;
        for (TCustomDictionary* d : {&a, &b}) {
            d->SetFileName(path);
            ASSERT_EQ(d->AddedCount(), 1);
        }
        for (const MergeStep& step : c.steps) {
            if (step.who == 'X')
                std::remove(path.c_str());
            else
                step.act(step.who == 'A' ? a : b);
        }
        EXPECT_EQ(DescribedFile(path), c.expected);
    }
}

}  // namespace
}  // namespace quillon
