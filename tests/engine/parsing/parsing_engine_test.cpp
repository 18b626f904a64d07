#include "engine/parsing_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/string_parser.h"
#include "word_reader.h"

namespace quillon {
namespace {

using Words = std::vector<std::string>;

struct Breaker {
    bool french = false;
    bool periods = true;
    bool returnCut = false;
    int endLimit = 0;  // 0: none
    std::string_view charSet{};    // null: the default
    std::string_view forbidMid{};  // null: the default
};

Words Break(std::string text, const Breaker& b) {
    TMainParsingEngine engine;
    if (b.charSet.data() != nullptr) engine.SetCharSet(b.charSet);
    if (b.forbidMid.data() != nullptr) engine.SetForbidMidWord(b.forbidMid);
    engine.SetFrenchApostrophes(b.french);
    engine.SetPeriodsInWords(b.periods);
    engine.SetReturnCutWord(b.returnCut);
    TStringParser source(text);
    engine.BeginCheck(source, 2);
    if (b.endLimit != 0) source.SetPosition(b.endLimit, 0, TPositionMode::pmEndLimit);
    return test::ReadAll(engine);
}

struct BreakCase {
    const char* text;
    Breaker setup;
    Words words;
};

void ExpectBreaks(const std::vector<BreakCase>& cases) {
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Break(c.text, c.setup), c.words);
    }
}

TEST(WordBreaking, SeparatorsAndTextEnds) {
    ExpectBreaks({
        {"", {}, {}},
        {" ,;:!?-()/\t\r\n", {}, {}},
        {"last", {}, {"last"}},
        {"two words\r\nthree", {}, {"two", "words", "three"}},
        {"caf\xE9 na\xEFve a\x80" "b", {}, {"caf\xE9", "na\xEFve", "a", "b"}},
    });
}

TEST(WordBreaking, PeriodsInsideAndAtTheEnd) {
    ExpectBreaks({
        {"e.g. U.S.A. x.org 3.14", {}, {"e.g.", "U.S.A.", "x.org", "3.14"}},
        {"the end. end...", {}, {"the", "end", "end"}},
        // The apostrophe after the final period is trimmed, the period stays.
        {"e.g.' next", {}, {"e.g.", "next"}},
        {"e.g. x.org", {.periods = false}, {"e", "g", "x", "org"}},
    });
}

TEST(WordBreaking, QuotesAndApostrophes) {
    ExpectBreaks({
        {"dogs' 'quoted' \"said\"", {}, {"dogs", "quoted", "said"}},
        // The typographic apostrophe is treated like the straight one.
        {"dogs\x92 \x91quoted\x92 \x92tis don\x92t", {}, {"dogs", "quoted", "tis", "don\x92t"}},
        {"l'homme aujourd'hui", {}, {"l'homme", "aujourd'hui"}},
        {"l'homme Aujourd'hui entr'acte dogs'",
         {.french = true},
         {"l", "homme", "Aujourd'hui", "entr'acte", "dogs"}},
        // The French rule splits at the straight apostrophe only.
        {"l\x92homme", {.french = true}, {"l\x92homme"}},
    });
}

TEST(WordBreaking, AmpersandEndsAWordButMayStartOne) {
    ExpectBreaks({
        {"AT&T &amp", {}, {"AT", "&T", "&amp"}},
        {"AT&T", {.forbidMid = ""}, {"AT&T"}},
        // The French apostrophe is kept apart from the forbidden-in-the-middle string.
        {"AT&T l'homme", {.french = true, .forbidMid = ""}, {"AT&T", "l", "homme"}},
    });
}

TEST(WordBreaking, EndLimitCutsTheLastWord) {
    // "hello world": the limit 9 is the 'r', so "world" runs into it.
    ExpectBreaks({
        {"hello world", {.endLimit = 9}, {"hello"}},
        {"hello world", {.returnCut = true, .endLimit = 9}, {"hello", "wor"}},
        {"hello dogs' end", {.returnCut = true, .endLimit = 11}, {"hello", "dogs"}},
        {"hello world", {.endLimit = 12}, {"hello", "world"}},
    });
}

TEST(WordBreaking, CustomCharacterSetsStillEnd) {
    ExpectBreaks({
        // A run of trim characters is no word, and not the end of the text either.
        {"... abc .a.", {.charSet = "abc."}, {"abc", ".a"}},
        // 0 is what a source answers outside the text: never a word character.
        {"ab", {.charSet = std::string_view("ab\0", 3)}, {"ab"}},
    });
}

// "alpha beta gamma delta": beta 7-10, gamma 12-16, delta 18-22.
TEST(WordBreaking, BeginCheckPlacesTheSource) {
    struct Case {
        int mode;
        int selStart;
        int selEnd;    // one past the selection
        int position;  // where the source stands before the check; 0: at the selection
        Words words;
    };
    const Case cases[] = {
        {0, 8, 17, 0, {"beta", "gamma"}},
        {0, 8, 14, 0, {"beta"}},
        {0, 1, 23, 0, {"alpha", "beta", "gamma", "delta"}},
        {1, 8, 10, 0, {"beta", "gamma", "delta"}},
        {2, 8, 10, 0, {"alpha", "beta", "gamma", "delta"}},
        {4, 8, 10, 12, {"gamma", "delta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " from " << c.selStart);
        std::string text = "alpha beta gamma delta";
        TStringParser source(text);
        source.SetPosition(c.selEnd, 0, TPositionMode::pmMove);
        source.SelectWordBefore(c.selEnd - c.selStart);
        if (c.position != 0) source.SetPosition(c.position, 0, TPositionMode::pmMove);
        TMainParsingEngine engine;
        engine.BeginCheck(source, c.mode);
        EXPECT_EQ(test::ReadAll(engine), c.words);
    }
}

// Each replacement changes the length inside the selection; the check must still stop
// where the selection ended and go on after the replacement, not inside it. The word
// just read is selected by its length, so a trimmed word must leave the source right
// after it.
TEST(WordBreaking, ReplacementInsideSelectionMovesTheEnd) {
    struct Case {
        const char* text;
        int selLength;
        const char* replacement;
        const char* changed;
        Words rest;
    };
    const Case cases[] = {
        {"teh cat sat on", 7, "the very", "the very cat sat on", {"cat"}},
        {"tehhhhhh cat sat on the mat", 12, "the", "the cat sat on the mat", {"cat"}},
        {"dogz' bark", 10, "dog", "dog' bark", {"bark"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replacement);
        std::string text = c.text;
        TStringParser source(text);
        source.SetPosition(1 + c.selLength, 0, TPositionMode::pmMove);
        source.SelectWordBefore(c.selLength);
        TMainParsingEngine engine;
        engine.BeginCheck(source, 0);
        const std::string first = engine.NextWord();
        source.SelectWordBefore(static_cast<int>(first.size()));
        source.ReplaceSelectedWord(c.replacement);
        EXPECT_EQ(text, c.changed);
        EXPECT_EQ(test::ReadAll(engine), c.rest);
    }
}

TEST(WordBreaking, HooksThatClaimSkipsWithoutMovingStillEnd) {
    std::string text = "ab cd";
    TStringParser source(text);
    TMainParsingEngine engine;
    engine.OnSkipAtChar = [](TMainParsingEngine&, char, TControlParser&, bool& skipped) {
        skipped = true;
    };
    engine.BeginCheck(source, 2);
    EXPECT_EQ(test::ReadAll(engine), Words{});

    engine.OnSkipAtChar = nullptr;
    engine.OnSkipAfterWord = [](TMainParsingEngine&, std::string_view, TControlParser&,
                                bool& skipped) { skipped = true; };
    engine.BeginCheck(source, 2);
    EXPECT_EQ(test::ReadAll(engine), Words{});
}

TEST(WordBreaking, NoSourceOrPastTheEndGivesNoWord) {
    TMainParsingEngine engine;
    EXPECT_EQ(engine.NextWord(), "");
    engine.MoveToWordStart(5, 0);

    std::string text = "one";
    TStringParser source(text);
    engine.BeginCheck(source, 2);
    EXPECT_EQ(test::ReadAll(engine), Words{"one"});
    EXPECT_EQ(engine.NextWord(), "");
}

}  // namespace
}  // namespace quillon
