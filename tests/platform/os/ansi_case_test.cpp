// Natively the tables are Windows-1252; under Wine they come from the system, whose ANSI
// code page is 1252 too, so the same cases hold.
#include "platform/os/os.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quillon::os {
namespace {

char Byte(int value) { return static_cast<char>(value); }

TEST(AnsiCaseTest, LetterPairs) {
    const struct {
        const char* label;
        int upper, lower;
    } cases[] = {
        {"A/a", 'A', 'a'},        {"M/m", 'M', 'm'},         {"Z/z", 'Z', 'z'},
        {"À/à", 0xC0, 0xE0},      {"É/é", 0xC9, 0xE9},       {"Ö/ö", 0xD6, 0xF6},
        {"Ø/ø", 0xD8, 0xF8},      {"Þ/þ", 0xDE, 0xFE},       {"Š/š", 0x8A, 0x9A},
        {"Œ/œ", 0x8C, 0x9C},      {"Ž/ž", 0x8E, 0x9E},       {"Ÿ/ÿ", 0x9F, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(AnsiUpperCase(Byte(c.lower)), Byte(c.upper));
        EXPECT_EQ(AnsiUpperCase(Byte(c.upper)), Byte(c.upper));
        EXPECT_EQ(AnsiLowerCase(Byte(c.upper)), Byte(c.lower));
        EXPECT_EQ(AnsiLowerCase(Byte(c.lower)), Byte(c.lower));
    }
}

TEST(AnsiCaseTest, BytesWithoutCaseStay) {
    const struct {
        const char* label;
        int byte;
    } cases[] = {
        {"NUL", 0x00},   {"digit", '5'},  {"@ before A", '@'}, {"[ after Z", '['},
        {"` before a", '`'}, {"{ after z", '{'}, {"ß", 0xDF}, {"×", 0xD7},
        {"÷", 0xF7},     {"euro sign", 0x80}, {"no-break space", 0xA0}, {"¿", 0xBF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(AnsiUpperCase(Byte(c.byte)), Byte(c.byte));
        EXPECT_EQ(AnsiLowerCase(Byte(c.byte)), Byte(c.byte));
    }
}

// Every byte that changes case comes back: no letter folds onto another.
TEST(AnsiCaseTest, EveryCaseChangeGoesBack) {
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const char c = Byte(i);
        if (AnsiUpperCase(c) != c) {
            EXPECT_EQ(AnsiLowerCase(AnsiUpperCase(c)), c);
        }
        if (AnsiLowerCase(c) != c) {
            EXPECT_EQ(AnsiUpperCase(AnsiLowerCase(c)), c);
        }
    }
}

TEST(AnsiCaseTest, TextsKeepTheirLengthAndCaselessBytes) {
    using namespace std::string_literals;
    const std::string mixed = "Stra\xDF" "e \xC9t\xE9 3\xD7" "4\0z\x9A"s;
    EXPECT_EQ(AnsiUpperCase(mixed), "STRA\xDF" "E \xC9T\xC9 3\xD7" "4\0Z\x8A"s);
    EXPECT_EQ(AnsiLowerCase(mixed), "stra\xDF" "e \xE9t\xE9 3\xD7" "4\0z\x9A"s);
}

}  // namespace
}  // namespace quillon::os
