#include "engine/edit_distance.h"

#include <gtest/gtest.h>

#include <string>

namespace quillon {
namespace {

TEST(EditDistanceTest, CountsEditsWithNeighbourSwapsAsOne) {
    struct Case {
        const char* a;
        const char* b;
        int distance;
    };
    const Case table[] = {
        {"", "", 0},
        {"cat", "cat", 0},
        {"", "cat", 3},
        {"cat", "", 3},
        {"kitten", "sitting", 3},
        {"cat", "cut", 1},
        {"cat", "cats", 1},
        {"recieve", "receive", 1},  // one swap of neighbours
        {"ab", "ba", 1},
        {"abcd", "badc", 1},    // two separate swaps, each taking one off
        {"abayy", "babzz", 3},  // overlapping pairs: the second is skipped
        {"xaay", "yaax", 2},    // equal letters are no swap
        {"abc", "bca", 2},      // a rotation is no swap
        {"abab", "baba", 1},    // the swaps would reach 0, a tie with the word itself
        {"aba", "bab", 1},
        {"\xE9t\xE9", "\xC9T\xC9", 3},  // bytes, no case folding
    };
    for (const Case& c : table) {
        EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
        EXPECT_EQ(EditDistance(c.b, c.a), c.distance) << c.b << " / " << c.a;
    }
}

TEST(EditDistanceTest, LongStringsAreNotCompared) {
    const std::string long254(254, 'a');
    const std::string long255(255, 'a');
    EXPECT_EQ(EditDistance(long254, long254), 0);
    EXPECT_EQ(EditDistance(long254, long254 + "b"), 255);  // 255 characters: the greater length
    EXPECT_EQ(EditDistance(long255, long255), 255);
    EXPECT_EQ(EditDistance("b", long255 + long255), 510);
    EXPECT_EQ(EditDistance(long254, std::string(254, 'b')), 254);
}

}  // namespace
}  // namespace quillon
