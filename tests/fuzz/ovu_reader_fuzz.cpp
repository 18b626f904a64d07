// Feeds arbitrary bytes to the custom-dictionary reader as a file. Inputs without the
// banner get it in front, so the fuzzer spends its time on the body. Whatever reads as
// sound must answer for every entry it lists, and must survive changes, our writer and
// our reader again unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

#include "engine/custom_dictionary.h"
#include "engine/ovu_format.h"

namespace {

using Entry = std::tuple<std::uint32_t, char, std::string, std::string>;

// tmpfs where there is one: the writer flushes every file to disk.
std::string Scratch(const char* name) {
    const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder + "/quillon-ovu-fuzz-" + std::to_string(getpid()) + name;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const auto& banner = quillon::ovu::kBanner;
    const bool hasBanner = size >= banner.size() && std::equal(banner.begin(), banner.end(), data);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) std::abort();
    if (!hasBanner) {
        std::fwrite(banner.data(), 1, banner.size(), out);
        std::fwrite("\0\x1A", 1, 2, out);
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);
}

std::vector<Entry> EntriesOf(quillon::TCustomDictionary& d) {
    std::vector<Entry> entries;
    d.ForEachEntry([&](std::uint32_t slot, char type, std::string_view word, std::string_view replacement) {
        entries.emplace_back(slot, type, std::string(word), std::string(replacement));
    });
    return entries;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

// Every listed entry is found as what it is, and the counts agree with the list.
void CheckAnswers(quillon::TCustomDictionary& d, const std::vector<Entry>& entries) {
    int counts[3] = {};
    for (const auto& [slot, type, word, replacement] : entries) {
        std::string found;
        if (type == quillon::ovu::kAdded) {
            Require(d.IsAdded(word));
            ++counts[0];
        } else if (type == quillon::ovu::kExcluded) {
            Require(d.IsExcluded(word));
            ++counts[1];
        } else {
            Require(d.GetAutoCorrect(word, found) && found == replacement);
            ++counts[2];
        }
    }
    Require(counts[0] == d.AddedCount() && counts[1] == d.ExcludedCount() &&
            counts[2] == d.AutoCorrectCount());
    for (int i = 0; i < d.AddedCount(); ++i) Require(d.IsAdded(d.AddedWord(i)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = Scratch(".ovu");
    static const std::string output = Scratch("-out.ovu");
    WriteInput(input, data, size);

    quillon::TCustomDictionary d;
    d.SetFileName(input);
    if (d.FileName() != input) return 0;  // a banner of its own: refused
    const std::vector<Entry> entries = EntriesOf(d);
    if (d.Damaged()) {
        Require(entries.empty());
        return 0;
    }
    CheckAnswers(d, entries);

    // Changes that reach the removal paths, growth and the purge of deleted slots.
    for (std::size_t i = 0; i < entries.size() && i < 16; i += 2) {
        const auto& [slot, type, word, replacement] = entries[i];
        Require(type == quillon::ovu::kAdded      ? d.RemoveWord(word)
                : type == quillon::ovu::kExcluded ? d.RemoveExcluded(word)
                                                  : d.RemoveAutoCorrect(word));
    }
    for (int i = 0; i < 70; ++i) d.AddWord("fuzz" + std::to_string(i));
    d.AddAutoCorrect("teh", "the");
    const std::vector<Entry> changed = EntriesOf(d);
    CheckAnswers(d, changed);

    Require(d.SaveAs(output));
    quillon::TCustomDictionary reread;
    reread.SetFileName(output);
    Require(!reread.Damaged() && EntriesOf(reread) == changed);
    d.SetModified(false);  // the input file stays as it is
    return 0;
}
