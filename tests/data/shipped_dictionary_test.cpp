// The american.ovm of the program folder holds exactly the words of its source list.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "engine/main_dictionary.h"
#include "platform/os/ansi_codepage.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

// The source list as the build uses it: UTF-8 lines, possessives ("'s") dropped, words
// that Windows-1252 cannot spell left out.
std::vector<std::string> SourceWords() {
    std::ifstream in(QUILLON_WORDLIST, std::ios::binary);
    std::vector<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.ends_with("'s")) continue;
        std::size_t unconvertible = 0;
        std::string word = os::Utf8ToCp1252(line, '?', &unconvertible);
        if (unconvertible == 0) words.push_back(std::move(word));
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

TEST(ShippedDictionaryTest, HoldsExactlyTheSourceList) {
    const std::vector<std::string> expected = SourceWords();
    ASSERT_GT(expected.size(), 50000u) << "cannot read " << QUILLON_WORDLIST;

    const std::string path = os::ProgramFolder() + os::PathSeparator() + "american.ovm";
    TMainDictionary dictionary;
    dictionary.Open(path);
    ASSERT_EQ(dictionary.FileName(), path);
    EXPECT_EQ(dictionary.Title(), "American English");
    EXPECT_EQ(dictionary.Language(), 1033u);
    EXPECT_EQ(dictionary.WordCount(), expected.size());

    for (const std::string& word : expected) ASSERT_TRUE(dictionary.IsWord(word)) << word;

    std::vector<std::string> walked;
    dictionary.WalkPrefix("", [&walked](std::string_view w) { return walked.emplace_back(w), false; });
    std::sort(walked.begin(), walked.end());
    EXPECT_EQ(walked, expected);
}

}  // namespace
}  // namespace quillon
