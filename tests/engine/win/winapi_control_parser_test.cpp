// TWinAPIControlParser against real edit, rich edit 1 and rich edit 2 controls.
#define NOMINMAX
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/win/winapi_control_parser.h"
#include "tests/engine/win/parser_reading.h"

namespace quillon {
namespace {

struct TControlCase {
    const char* Name;
    const char* ClassName;
    const char* Library;
    TControlKind Kind;
    int BreakWidth;  // characters the control counts for a hard line break
};

const TControlCase Controls[] = {
    {"Edit", "EDIT", nullptr, TControlKind::ckEdit, 2},
    {"RichEdit1", "RICHEDIT", "riched32.dll", TControlKind::ckRichEdit1, 2},
    {"RichEdit2", "RichEdit20A", "riched20.dll", TControlKind::ckRichEdit2, 1},
};

void PrintTo(const TControlCase& control, std::ostream* out) {
    *out << control.Name;
}

// Lines "alpha beta", "gamma", "" and "delta epsilon".
const std::string Sample = "alpha beta\r\ngamma\r\n\r\ndelta epsilon";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

// The offset of (x, y) in a text whose hard line breaks count breakWidth characters.
int Offset(const std::string& text, int x, int y, int breakWidth) {
    const auto lines = Lines(text);
    int offset = x;
    for (int line = 0; line < y; ++line) offset += static_cast<int>(lines[line].size()) + breakWidth;
    return offset;
}

std::string WithoutLineEnds(std::string text) {
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

HWND CreateHostWindow() {
    static const ATOM hostClass = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillonParserTestHost";
        return RegisterClassA(&windowClass);
    }();
    return CreateWindowExA(0, MAKEINTATOM(hostClass), "Quillon parser test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           80, 60, 700, 500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class TWinAPIControlParserTest : public testing::TestWithParam<TControlCase> {
protected:
    void SetUp() override {
        if (GetParam().Library) {
            ASSERT_NE(LoadLibraryA(GetParam().Library), nullptr) << GetParam().Library;
        }
        FHost = CreateHostWindow();
        ASSERT_NE(FHost, nullptr);
        CreateControl(0, 400, 300);
    }
    void TearDown() override { DestroyWindow(FHost); }

    // Replaces the control; without ES_AUTOHSCROLL long lines wrap at the width.
    void CreateControl(DWORD style, int width, int height) {
        if (FControl) DestroyWindow(FControl);
        FControl = CreateWindowExA(0, GetParam().ClassName, "",
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | style, 10,
                                   10, width, height, FHost, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(FControl, nullptr) << GetParam().ClassName;
    }

    void SetText(const std::string& text) {
        SendMessageA(FControl, EM_SETLIMITTEXT, 0, 0);
        SendMessageA(FControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        PumpMessages();
    }

    std::string Text() const {
        std::string text(SendMessageA(FControl, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
        text.resize(SendMessageA(FControl, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
        return text;
    }

    void Attach(const std::string& text) {
        SetText(text);
        FParser.Initialize(TWindowHandle(FControl));
    }

    int Index(int x, int y) const { return Offset(Sample, x, y, GetParam().BreakWidth); }

    std::pair<DWORD, DWORD> ControlSelection() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(FControl, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    RECT ScreenRect() const {
        RECT rect;
        GetWindowRect(FControl, &rect);
        return rect;
    }

    HWND FHost = nullptr;
    HWND FControl = nullptr;
    TWinAPIControlParser FParser;
};

INSTANTIATE_TEST_SUITE_P(Kinds, TWinAPIControlParserTest, testing::ValuesIn(Controls),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_P(TWinAPIControlParserTest, AttachingTakesTheKindFromTheClass) {
    Attach(Sample);
    EXPECT_EQ(FParser.Kind(), GetParam().Kind);
    FParser.ForceRichEdit1();
    FParser.Initialize(TWindowHandle(FControl));
    EXPECT_EQ(FParser.Kind(), TControlKind::ckRichEdit1);
}

TEST_P(TWinAPIControlParserTest, WalkingGivesEveryLineWithCrLf) {
    const struct {
        std::string Text;
        std::string Walked;
    } cases[] = {
        {"", "\r\n"},
        {"word", "word\r\n"},
        {Sample, Sample + "\r\n"},
        {"one\r\n\r\n", "one\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        Attach(c.Text);
        EXPECT_EQ(ReadToEnd(FParser), c.Walked) << c.Text;
        EXPECT_FALSE(FParser.Next()) << c.Text;
        EXPECT_EQ(FParser.CurrentChar(), '\0') << c.Text;
    }
}

TEST_P(TWinAPIControlParserTest, PreviousWalksBackAcrossLinesAndStopsAtTheStart) {
    Attach(Sample);
    EXPECT_FALSE(FParser.Previous());
    int x = -1;
    int y = -1;
    FParser.GetPosition(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(FParser.CurrentChar(), 'a');

    FParser.SetPosition(0, 3, TPositionMode::pmMove);
    std::string backwards(1, FParser.CurrentChar());
    while (FParser.Previous()) backwards += FParser.CurrentChar();
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(backwards, "alpha beta\r\ngamma\r\n\r\nd");
}

TEST_P(TWinAPIControlParserTest, ColumnsOffTheLineStepToTheNeighbouringLine) {
    const struct {
        int X, Y;
        char Char;
        int AtX, AtY;
    } cases[] = {
        {12, 0, 'g', 0, 1},    // one past the line's LF
        {500, 0, 'g', 0, 1},   // far past it: never read outside the line
        {-1, 1, '\n', 11, 0},  // before the start: the previous line's LF
        {-1, 0, '\0', 0, 0},   // before the very start
        {0, 4, '\0', 0, 4},    // below the last line
        {0, -1, '\0', 0, -1},
    };
    Attach(Sample);
    for (const auto& c : cases) {
        FParser.SetPosition(c.X, c.Y, TPositionMode::pmMove);
        EXPECT_EQ(FParser.CurrentChar(), c.Char) << c.X << "," << c.Y;
        int x = 0;
        int y = 0;
        FParser.GetPosition(x, y);
        EXPECT_EQ(x, c.AtX) << c.X << "," << c.Y;
        EXPECT_EQ(y, c.AtY) << c.X << "," << c.Y;
    }
}

TEST_P(TWinAPIControlParserTest, EndLimitEndsTheTextAfterItsPosition) {
    const struct {
        int X, Y, EndX, EndY;
        std::string Walked;
    } cases[] = {
        {0, 0, 4, 0, "alpha"},
        {3, 0, 1, 1, "ha beta\r\nga"},
        {0, 2, 0, 3, "\r\nd"},
        {0, 1, 100, 1, "gamma\r\n"},  // a column past the line still ends on that line
        {6, 3, 12, 3, "epsilon"},
        {2, 1, 9, 0, ""},  // a start after the limit is outside at once
    };
    for (const auto& c : cases) {
        Attach(Sample);
        FParser.SetPosition(c.EndX, c.EndY, TPositionMode::pmEndLimit);
        FParser.SetPosition(c.X, c.Y, TPositionMode::pmMove);
        EXPECT_EQ(ReadToEnd(FParser), c.Walked) << c.X << "," << c.Y;
    }
}

// The words of Sample, with the column just after each.
const struct TWord {
    int X, Y;
    std::string Word;
} Words[] = {{5, 0, "alpha"}, {10, 0, "beta"}, {5, 1, "gamma"}, {13, 3, "epsilon"}};

TEST_P(TWinAPIControlParserTest, SelectWordBeforeSelectsTheWordJustRead) {
    Attach(Sample);
    for (const auto& w : Words) {
        const int length = static_cast<int>(w.Word.size());
        FParser.SetPosition(w.X, w.Y, TPositionMode::pmMove);
        FParser.SelectWordBefore(length);
        const std::pair<DWORD, DWORD> expected(Index(w.X - length, w.Y), Index(w.X, w.Y));
        EXPECT_EQ(ControlSelection(), expected) << w.Word;

        int x1, y1, x2, y2;
        FParser.GetSelection(x1, y1, x2, y2);
        EXPECT_EQ(std::vector({x1, y1, x2, y2}), std::vector({w.X - length, w.Y, w.X, w.Y})) << w.Word;

        FParser.SkipSelectedWord();
        int x, y;
        FParser.GetPosition(x, y);
        EXPECT_EQ(x, w.X) << w.Word;
        EXPECT_EQ(y, w.Y) << w.Word;
    }
}

TEST_P(TWinAPIControlParserTest, SelectWordBeforeWithLengthZeroPlacesTheCaret) {
    Attach(Sample);
    FParser.SetPosition(2, 1, TPositionMode::pmMove);
    FParser.SelectWordBefore(0);
    const std::pair<DWORD, DWORD> caret(Index(2, 1), Index(2, 1));
    EXPECT_EQ(ControlSelection(), caret);
}

TEST_P(TWinAPIControlParserTest, ReplacingLandsOnTheWordAndMovesTheEndLimitOnItsLine) {
    const struct {
        TWord Selected;
        std::string Replacement;
        std::string Text;
    } cases[] = {
        {Words[0], "al", "al beta\r\ngamma\r\n\r\ndelta epsilon"},
        {Words[1], "betamax", "alpha betamax\r\ngamma\r\n\r\ndelta epsilon"},
        {Words[2], "", "alpha beta\r\n\r\n\r\ndelta epsilon"},
        {Words[3], "eps", "alpha beta\r\ngamma\r\n\r\ndelta eps"},
        {Words[3], "epsilonic", "alpha beta\r\ngamma\r\n\r\ndelta epsilonic"},
    };
    for (const auto& c : cases) {
        const auto& w = c.Selected;
        const int length = static_cast<int>(w.Word.size());
        Attach(Sample);
        // The limit sits on the end of the text, the CR after "epsilon".
        FParser.SetPosition(13, 3, TPositionMode::pmEndLimit);
        FParser.SetPosition(w.X, w.Y, TPositionMode::pmMove);
        ASSERT_NE(FParser.CurrentChar(), '\0');
        FParser.SelectWordBefore(length);
        FParser.ReplaceSelectedWord(c.Replacement);

        EXPECT_EQ(Text(), c.Text) << w.Word << " -> " << c.Replacement;
        int x, y;
        FParser.GetPosition(x, y);
        const int afterX = w.X - length + static_cast<int>(c.Replacement.size());
        EXPECT_EQ(x, afterX) << w.Word << " -> " << c.Replacement;
        EXPECT_EQ(y, w.Y);
        // The walk ends on the CR after the last word, wherever the replacement was.
        EXPECT_EQ(ReadToEnd(FParser), c.Text.substr(Offset(c.Text, afterX, w.Y, 2)) + "\r")
            << w.Word << " -> " << c.Replacement;
    }
}

TEST_P(TWinAPIControlParserTest, CaretAndSelectionComeBackAsColumnAndLine) {
    const struct {
        int X1, Y1, X2, Y2;
    } cases[] = {{0, 0, 5, 0}, {2, 1, 4, 1}, {0, 2, 0, 2}, {0, 3, 13, 3}, {6, 0, 3, 3}};
    Attach(Sample);
    for (const auto& c : cases) {
        SendMessageA(FControl, EM_SETSEL, Index(c.X1, c.Y1), Index(c.X2, c.Y2));
        int x, y;
        FParser.GetCaret(x, y);
        EXPECT_EQ(std::vector({x, y}), std::vector({c.X1, c.Y1}));
        int x1, y1, x2, y2;
        FParser.GetSelection(x1, y1, x2, y2);
        EXPECT_EQ(std::vector({x1, y1, x2, y2}), std::vector({c.X1, c.Y1, c.X2, c.Y2}));
    }
}

TEST_P(TWinAPIControlParserTest, SoftWrappedLinesReadAsLinesAndReplaceInPlace) {
    const std::string text = "one two three four five six seven eight nine ten eleven twelve";
    CreateControl(0, 110, 300);
    Attach(text);
    ASSERT_GT(SendMessageA(FControl, EM_GETLINECOUNT, 0, 0), 2) << "the text did not wrap";
    EXPECT_EQ(WithoutLineEnds(ReadToEnd(FParser)), text);

    FParser.Initialize(TWindowHandle(FControl));
    std::string word;
    do word = NextLetters(FParser);
    while (!word.empty() && word != "eleven");
    ASSERT_EQ(word, "eleven");
    int x, y;
    FParser.GetPosition(x, y);
    EXPECT_GT(y, 0) << "eleven is on a wrapped line";
    FParser.SelectWordBefore(6);
    FParser.ReplaceSelectedWord("ELEVENTH");
    EXPECT_EQ(Text(), "one two three four five six seven eight nine ten ELEVENTH twelve");
}

TEST_P(TWinAPIControlParserTest, LongLinesAreReadUpToTheLimit) {
    const std::string longLine(20000, 'x');
    CreateControl(ES_AUTOHSCROLL | WS_HSCROLL, 400, 300);
    Attach(longLine + "\r\nend");
    ASSERT_EQ(SendMessageA(FControl, EM_GETLINECOUNT, 0, 0), 2) << "the long line wrapped";
    EXPECT_EQ(ReadToEnd(FParser), std::string(TWinAPIControlParser::MaxLineLength, 'x') + "\r\nend\r\n");
}

TEST_P(TWinAPIControlParserTest, RectanglesLieOnTheControl) {
    Attach(Sample);
    const RECT control = ScreenRect();
    const auto inside = [&](const TRect& r) {
        return r.Left >= control.left && r.Right <= control.right && r.Top >= control.top &&
               r.Bottom <= control.bottom && r.Left <= r.Right && r.Top <= r.Bottom;
    };

    TRect rect;
    FParser.GetControlRect(rect);
    POINT origin{0, 0};
    ClientToScreen(FControl, &origin);
    EXPECT_EQ(rect, (TRect{origin.x, origin.y, origin.x + control.right - control.left,
                           origin.y + control.bottom - control.top}));

    // gamma has a next line; epsilon ends the text.
    FParser.SetPosition(5, 1, TPositionMode::pmMove);
    FParser.SelectWordBefore(5);
    const int nextLineY = FParser.GetSelectionRect(rect);
    EXPECT_TRUE(inside(rect));
    EXPECT_LT(rect.Left, rect.Right);
    EXPECT_GT(nextLineY, rect.Top);
    EXPECT_GE(rect.Bottom, nextLineY);

    FParser.SetPosition(13, 3, TPositionMode::pmMove);
    FParser.SelectWordBefore(7);
    EXPECT_EQ(FParser.GetSelectionRect(rect), -1);
    EXPECT_TRUE(inside(rect));
    EXPECT_LT(rect.Left, rect.Right);
    EXPECT_LT(rect.Top, rect.Bottom);

    // A plain edit has no position for the end of its text; the rectangle of the last
    // word still covers it, within half a character of the same word with text after it.
    Attach(Sample + " x");
    FParser.SetPosition(13, 3, TPositionMode::pmMove);
    FParser.SelectWordBefore(7);
    TRect followed;
    FParser.GetSelectionRect(followed);
    EXPECT_EQ(rect.Left, followed.Left);
    EXPECT_NEAR(rect.Right, followed.Right, (followed.Right - followed.Left) / 14);
}

TEST_P(TWinAPIControlParserTest, ScrollToSelectionBringsAFarLineIntoView) {
    std::string text;
    for (int line = 0; line < 80; ++line) text += "line " + std::to_string(line) + "\r\n";
    CreateControl(0, 400, 200);
    Attach(text);
    FParser.SetPosition(4, 60, TPositionMode::pmMove);
    FParser.SelectWordBefore(4);
    const auto selected = ControlSelection();
    FParser.ScrollToSelection();

    EXPECT_EQ(ControlSelection(), selected);
    const int first = static_cast<int>(SendMessageA(FControl, EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_GT(first, 40);
    EXPECT_LE(first, 60);
    RECT client;
    GetClientRect(FControl, &client);
    MapWindowPoints(FControl, nullptr, reinterpret_cast<POINT*>(&client), 2);
    TRect rect;
    FParser.GetSelectionRect(rect);
    EXPECT_GE(rect.Top, client.top);
    EXPECT_LE(rect.Bottom, client.bottom);
}

TEST(TWinAPIControlParserKind, FollowsTheClassName) {
    const struct {
        const char* ClassName;
        TControlKind Kind;
    } cases[] = {
        {"Edit", TControlKind::ckEdit},
        {"TMemo", TControlKind::ckEdit},
        {"", TControlKind::ckEdit},
        {"RICHEDIT", TControlKind::ckRichEdit1},
        {"TRichEdit", TControlKind::ckRichEdit1},
        {"RichEdit50W", TControlKind::ckRichEdit1},
        {"TSyntaxMemo", TControlKind::ckRichEdit1},
        {"TLMDMemo", TControlKind::ckRichEdit1},
        {"RichEdit20A", TControlKind::ckRichEdit2},
        {"RICHEDIT20W", TControlKind::ckRichEdit2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TWinAPIControlParser::KindFromClassName(c.ClassName), c.Kind) << c.ClassName;
}

TEST(TWinAPIControlParserWithoutControl, ReadsAsOutsideTheText) {
    HWND gone = CreateWindowExA(0, "EDIT", "text", ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    std::string variable = "a string";
    const TParserSource sources[] = {TWindowHandle(gone), TWindowHandle(nullptr), &variable};
    for (const auto& source : sources) {
        TWinAPIControlParser parser;
        parser.Initialize(source);
        EXPECT_EQ(parser.CurrentChar(), '\0');
        EXPECT_EQ(parser.CurrentLine(), "");
        EXPECT_FALSE(parser.Next());
        EXPECT_FALSE(parser.Previous());
        parser.SelectWordBefore(2);
        parser.ReplaceSelectedWord("word");
        TRect rect;
        EXPECT_EQ(parser.GetSelectionRect(rect), -1);
        EXPECT_EQ(rect, (TRect{-1, -1, -1, -1}));
        parser.GetControlRect(rect);
        EXPECT_EQ(rect, (TRect{-1, -1, -1, -1}));
    }
    EXPECT_EQ(variable, "a string");
}

}  // namespace
}  // namespace quillon
