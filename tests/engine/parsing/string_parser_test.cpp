#include "engine/string_parser.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace quillon {
namespace {

TEST(StringParser, AttachesToAStringOnly) {
    TStringParser parser;
    EXPECT_THROW(parser.Initialize(TWindowHandle{nullptr}), std::invalid_argument);
    EXPECT_THROW(parser.Initialize(static_cast<std::string*>(nullptr)), std::invalid_argument);
    // Unattached, it behaves as an empty text.
    EXPECT_EQ(parser.CurrentChar(), 0);
    EXPECT_FALSE(parser.Next());
    parser.ReplaceSelectedWord("x");
}

// Positions and selections that point past either end of the string, or at text the
// caller has since shortened, touch only what exists.
TEST(StringParser, HostilePositionsStayInsideTheString) {
    struct Case {
        const char* name;
        std::function<void(TStringParser&, std::string&)> steps;
        const char* text;
        int x;
    };
    const Case cases[] = {
        {"select more than lies before",
         [](TStringParser& p, std::string&) {
             p.SetPosition(2, 0, TPositionMode::pmMove);
             p.SelectWordBefore(5);
             p.ReplaceSelectedWord("XY");
         },
         "XYbc", 3},
        {"position far past the end",
         [](TStringParser& p, std::string&) {
             p.SetPosition(100, 0, TPositionMode::pmMove);
             p.SelectWordBefore(2);
             p.ReplaceSelectedWord("!");
         },
         "a!", 3},
        {"negative length selects nothing",
         [](TStringParser& p, std::string&) {
             p.SetPosition(2, 0, TPositionMode::pmMove);
             p.SelectWordBefore(-3);
             p.ReplaceSelectedWord("-");
         },
         "a-bc", 3},
        {"text shortened after the selection",
         [](TStringParser& p, std::string& text) {
             p.SetPosition(4, 0, TPositionMode::pmMove);
             p.SelectWordBefore(2);
             text.resize(1);  // "a"
             p.ReplaceSelectedWord("Z");
         },
         "aZ", 3},
        {"skip past the end",
         [](TStringParser& p, std::string& text) {
             p.SetPosition(4, 0, TPositionMode::pmMove);
             p.SelectWordBefore(3);
             text.clear();
             p.SkipSelectedWord();
         },
         "", 1},
        {"steps past both ends",
         [](TStringParser& p, std::string&) {
             while (p.Previous()) {
             }
             for (int i = 0; i < 10; ++i) p.Next();
         },
         "abc", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "abc";
        TStringParser parser(text);
        c.steps(parser, text);
        int x = 0, y = -1;
        parser.GetPosition(x, y);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(parser.CurrentChar(), x <= static_cast<int>(text.size()) ? text[x - 1] : 0);
    }
}

}  // namespace
}  // namespace quillon
