#include "engine/win/winapi_control_parser.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace quillon {

namespace {

// Long enough for a busy program, short enough that a hung one ends the check.
constexpr UINT AnswerTimeoutMs = 5000;

HWND Window(TWindowHandle handle) { return static_cast<HWND>(handle); }

// Sends an ANSI message (the engine's text is 8-bit); nothing when the control does not
// answer, so that a vanished or hung control reads as the end of the text.
std::optional<LRESULT> Ask(TWindowHandle handle, UINT message, WPARAM wParam = 0,
                           LPARAM lParam = 0)
{
    DWORD_PTR answer = 0;
    if (!handle || !SendMessageTimeoutA(Window(handle), message, wParam, lParam,
                                        SMTO_NORMAL | SMTO_ABORTIFHUNG, AnswerTimeoutMs,
                                        &answer))
        return std::nullopt;
    return static_cast<LRESULT>(answer);
}

int AskInt(TWindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam, int fallback)
{
    return static_cast<int>(Ask(handle, message, wParam, lParam).value_or(fallback));
}

// A device context of the control with its font selected, for text measures.
class TControlDC {
public:
    explicit TControlDC(HWND window) : FWindow(window), FDC(GetDC(window))
    {
        if (!FDC)
            return;
        const auto font = Ask(window, WM_GETFONT);
        if (font && *font)
            FOldFont = SelectObject(FDC, reinterpret_cast<HGDIOBJ>(*font));
        GetTextMetricsA(FDC, &FMetrics);
    }
    ~TControlDC()
    {
        if (FOldFont)
            SelectObject(FDC, FOldFont);
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    TControlDC(const TControlDC&) = delete;
    TControlDC& operator=(const TControlDC&) = delete;

    int LineHeight() const { return FMetrics.tmHeight + FMetrics.tmExternalLeading; }
    int AverageCharWidth() const { return FMetrics.tmAveCharWidth; }

private:
    HWND FWindow;
    HDC FDC;
    HGDIOBJ FOldFont = nullptr;
    TEXTMETRICA FMetrics{};
};

}  // namespace

TControlKind TWinAPIControlParser::KindFromClassName(std::string_view className)
{
    std::string lower(className);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    const auto contains = [&](const char* part) {
        return lower.find(part) != std::string::npos;
    };
    if (contains("richedit2"))
        return TControlKind::ckRichEdit2;
    if (contains("richedit") || contains("syntaxmemo") || contains("lmdmemo"))
        return TControlKind::ckRichEdit1;
    return TControlKind::ckEdit;
}

void TWinAPIControlParser::Initialize(TParserSource source)
{
    const auto* handle = std::get_if<TWindowHandle>(&source);
    FHandle = handle ? *handle : nullptr;
    FX = 0;
    FY = 0;
    FCachedLine = -1;
    FLine.clear();
    FReload = true;
    FHasEndLimit = false;
    FSelStart = -1;
    FSelLength = 0;
    FLineCount = AskInt(FHandle, EM_GETLINECOUNT, 0, 0, 0);

    char className[1025] = "";
    if (FHandle)
        GetClassNameA(Window(FHandle), className, sizeof className);
    FKind = FForceRichEdit1 ? TControlKind::ckRichEdit1 : KindFromClassName(className);
}

void TWinAPIControlParser::ForceRichEdit1()
{
    FForceRichEdit1 = true;
    FKind = TControlKind::ckRichEdit1;
}

// Reads the line into the cache; false when the control has no such line or fails.
bool TWinAPIControlParser::ReadLine(int line)
{
    FCachedLine = -1;
    FLine.clear();
    FLineCount = AskInt(FHandle, EM_GETLINECOUNT, 0, 0, 0);
    if (line < 0 || line >= FLineCount)
        return false;

    // EM_GETLINE takes the buffer's size in its first WORD; one more byte for the zero
    // that rich edits write after the line.
    FLine.assign(MaxLineLength + 1, '\0');
    const WORD size = MaxLineLength;
    std::memcpy(FLine.data(), &size, sizeof size);
    const auto copied = Ask(FHandle, EM_GETLINE, line, reinterpret_cast<LPARAM>(FLine.data()));
    if (!copied) {
        FLine.clear();
        return false;
    }
    // Rich edits hand a line over with its paragraph end (CR, or CR LF in the first
    // generation, even on the last line); plain edits without it.
    auto length = static_cast<std::size_t>(std::clamp<LRESULT>(*copied, 0, MaxLineLength));
    while (length > 0 && (FLine[length - 1] == '\r' || FLine[length - 1] == '\n'))
        --length;
    FLine.resize(length);
    FLine += "\r\n";
    FCachedLine = line;
    FReload = false;
    return true;
}

// Brings the line under the position into the cache, stepping to the neighbouring line
// when X has run off either end; false when the position is outside the text.
bool TWinAPIControlParser::LoadCurrentLine()
{
    if ((FReload || FY != FCachedLine) && !ReadLine(FY))
        return false;
    if (FX >= static_cast<int>(FLine.size())) {
        FX = 0;
        if (!ReadLine(++FY))
            return false;
    } else if (FX < 0) {
        if (FY == 0) {
            FX = 0;
            return false;
        }
        if (!ReadLine(--FY))
            return false;
        FX = static_cast<int>(FLine.size()) - 1;
    }
    return !PastEndLimit();
}

bool TWinAPIControlParser::PastEndLimit() const
{
    return FHasEndLimit && (FY > FEndY || (FY == FEndY && FX > FEndX));
}

char TWinAPIControlParser::CurrentChar()
{
    return LoadCurrentLine() ? FLine[FX] : '\0';
}

std::string TWinAPIControlParser::CurrentLine()
{
    LoadCurrentLine();
    return FLine;
}

bool TWinAPIControlParser::Next()
{
    ++FX;
    return LoadCurrentLine();
}

bool TWinAPIControlParser::Previous()
{
    --FX;
    return LoadCurrentLine();
}

void TWinAPIControlParser::SetPosition(int x, int y, TPositionMode mode)
{
    if (mode == TPositionMode::pmEndLimit) {
        FHasEndLimit = true;
        FEndX = x;
        FEndY = y;
        return;
    }
    FX = x;
    FY = y;
    FReload = true;
}

void TWinAPIControlParser::GetPosition(int& x, int& y)
{
    x = FX;
    y = FY;
}

// The column maps onto the control's own character index in every kind: within a line
// all kinds count alike, and EM_LINEINDEX counts the line breaks the control's way.
void TWinAPIControlParser::SelectWordBefore(int length)
{
    length = std::max(length, 0);
    FX -= length;
    const int lineStart = AskInt(FHandle, EM_LINEINDEX, FY, 0, -1);
    FSelStart = lineStart < 0 ? -1 : lineStart + FX;
    FSelLength = length;
    if (FSelStart >= 0)
        Ask(FHandle, EM_SETSEL, FSelStart, FSelStart + length);
}

void TWinAPIControlParser::ReplaceSelectedWord(const std::string& text)
{
    if (FSelStart < 0)
        return;
    Ask(FHandle, EM_SETSEL, FSelStart, FSelStart + FSelLength);
    int start = 0;
    int end = 0;
    Selection(start, end);
    const int added = static_cast<int>(text.size()) - (end - start);
    if (FHasEndLimit && FEndY == FY)
        FEndX += added;
    Ask(FHandle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    FX += static_cast<int>(text.size());
    FReload = true;
}

void TWinAPIControlParser::SkipSelectedWord()
{
    int start = 0;
    int end = 0;
    Selection(start, end);
    FX += end - start;
}

void TWinAPIControlParser::ScrollToSelection()
{
    HWND window = Window(FHandle);
    RECT client{};
    if (!FHandle || !GetClientRect(window, &client))
        return;
    const int lineHeight = TControlDC(window).LineHeight();
    const int visibleLines = lineHeight > 0 ? (client.bottom - client.top) / lineHeight : 0;
    const int firstVisible = AskInt(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0, 0);
    Ask(FHandle, EM_LINESCROLL, 0, FY - firstVisible - visibleLines / 2);

    int start = 0;
    int end = 0;
    Selection(start, end);
    for (const int edge : {end, start}) {
        Ask(FHandle, EM_SETSEL, edge, edge);
        Ask(FHandle, EM_SCROLLCARET);
    }
    Ask(FHandle, EM_SETSEL, start, end);
}

void TWinAPIControlParser::Selection(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    Ask(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void TWinAPIControlParser::CharToPosition(int index, int& x, int& y) const
{
    y = std::max(AskInt(FHandle, EM_LINEFROMCHAR, index, 0, 0), 0);
    x = index - std::max(AskInt(FHandle, EM_LINEINDEX, y, 0, 0), 0);
}

void TWinAPIControlParser::GetCaret(int& x, int& y)
{
    int start = 0;
    int end = 0;
    Selection(start, end);
    CharToPosition(start, x, y);
}

void TWinAPIControlParser::GetSelection(int& x1, int& y1, int& x2, int& y2)
{
    int start = 0;
    int end = 0;
    Selection(start, end);
    CharToPosition(start, x1, y1);
    CharToPosition(end, x2, y2);
}

void TWinAPIControlParser::GetControlRect(TRect& rect)
{
    rect = {-1, -1, -1, -1};
    POINT origin{0, 0};
    RECT window{};
    if (!FHandle || !ClientToScreen(Window(FHandle), &origin) ||
        !GetWindowRect(Window(FHandle), &window))
        return;
    rect = {origin.x, origin.y, origin.x + (window.right - window.left),
            origin.y + (window.bottom - window.top)};
}

namespace {

// The client position of a character, asked the way the control's kind understands.
bool CharClientPosition(TWindowHandle handle, TControlKind kind, int index, POINT& point)
{
    if (kind == TControlKind::ckRichEdit1) {
        POINTL answer{};
        if (!Ask(handle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&answer), index))
            return false;
        point = {answer.x, answer.y};
        return true;
    }
    const auto packed = Ask(handle, EM_POSFROMCHAR, index, 0);
    if (!packed || static_cast<DWORD>(*packed) == 0xFFFFFFFF)
        return false;
    point = {static_cast<short>(LOWORD(*packed)), static_cast<short>(HIWORD(*packed))};
    return true;
}

}  // namespace

int TWinAPIControlParser::GetSelectionRect(TRect& rect)
{
    rect = {-1, -1, -1, -1};
    if (!FHandle)
        return -1;
    HWND window = Window(FHandle);
    const TControlDC dc(window);
    // A plain edit places no character at the end of its text: step from the one before.
    const auto position = [&](int index, POINT& point) {
        if (CharClientPosition(FHandle, FKind, index, point))
            return ClientToScreen(window, &point) != FALSE;
        if (index <= 0 || !CharClientPosition(FHandle, FKind, index - 1, point))
            return false;
        point.x += dc.AverageCharWidth();
        return ClientToScreen(window, &point) != FALSE;
    };

    int start = 0;
    int end = 0;
    Selection(start, end);
    POINT topLeft{};
    POINT right{};
    if (!position(start, topLeft) || !position(end, right))
        return -1;
    rect = {topLeft.x, topLeft.y, std::max(right.x, topLeft.x), topLeft.y + dc.LineHeight()};

    const int line = AskInt(FHandle, EM_LINEFROMCHAR, start, 0, -1);
    if (line < 0 || line + 1 >= AskInt(FHandle, EM_GETLINECOUNT, 0, 0, 0))
        return -1;
    POINT nextLine{};
    if (!position(AskInt(FHandle, EM_LINEINDEX, line + 1, 0, -1), nextLine))
        return -1;
    rect.Bottom = std::max(rect.Bottom, static_cast<int>(nextLine.y));
    return nextLine.y;
}

void TWinAPIControlParser::UndoLast(int, int, int&)
{
    // The session's undo event does the work for this source.
}

}  // namespace quillon
