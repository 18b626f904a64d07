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

HWND Window(TWindowHandle handle) {
    return static_cast<HWND>(handle);
}

// Sends an ANSI message (the engine's text is 8-bit); nothing when the control does not
// answer, so that a vanished or hung control reads as the end of the text.
std::optional<LRESULT> Ask(TWindowHandle handle, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    if (!handle || !SendMessageTimeoutA(Window(handle), message, wParam, lParam,
                                        SMTO_NORMAL | SMTO_ABORTIFHUNG, AnswerTimeoutMs, &answer))
        return std::nullopt;
    return static_cast<LRESULT>(answer);
}

int AskInt(TWindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam, int fallback) {
    return static_cast<int>(Ask(handle, message, wParam, lParam).value_or(fallback));
}

// A device context of the control with its font selected, for text measures.
class TControlDC {
public:
    explicit TControlDC(HWND window) : window_(window), dc_(GetDC(window)) {
        if (!dc_) return;
        const auto font = Ask(window, WM_GETFONT);
        if (font && *font) oldFont_ = SelectObject(dc_, reinterpret_cast<HGDIOBJ>(*font));
        GetTextMetricsA(dc_, &metrics_);
    }
    ~TControlDC() {
        if (oldFont_) SelectObject(dc_, oldFont_);
        if (dc_) ReleaseDC(window_, dc_);
    }
    TControlDC(const TControlDC&) = delete;
    TControlDC& operator=(const TControlDC&) = delete;

    int LineHeight() const { return metrics_.tmHeight + metrics_.tmExternalLeading; }
    int AverageCharWidth() const { return metrics_.tmAveCharWidth; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ oldFont_ = nullptr;
    TEXTMETRICA metrics_{};
};

}  // namespace

TControlKind TWinAPIControlParser::KindFromClassName(std::string_view className) {
    std::string lower(className);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    const auto contains = [&](const char* part) { return lower.find(part) != std::string::npos; };
    if (contains("richedit2")) return TControlKind::ckRichEdit2;
    if (contains("richedit") || contains("syntaxmemo") || contains("lmdmemo"))
        return TControlKind::ckRichEdit1;
    return TControlKind::ckEdit;
}

void TWinAPIControlParser::Initialize(TParserSource source) {
    const auto* handle = std::get_if<TWindowHandle>(&source);
    handle_ = handle ? *handle : nullptr;
    x_ = 0;
    y_ = 0;
    cachedLine_ = -1;
    line_.clear();
    reload_ = true;
    hasEndLimit_ = false;
    selStart_ = -1;
    selLength_ = 0;
    lineCount_ = AskInt(handle_, EM_GETLINECOUNT, 0, 0, 0);

    char className[1025] = "";
    if (handle_) GetClassNameA(Window(handle_), className, sizeof className);
    kind_ = forceRichEdit1_ ? TControlKind::ckRichEdit1 : KindFromClassName(className);
}

void TWinAPIControlParser::ForceRichEdit1() {
    forceRichEdit1_ = true;
    kind_ = TControlKind::ckRichEdit1;
}

// Reads the line into the cache; false when the control has no such line or fails.
bool TWinAPIControlParser::ReadLine(int line) {
    cachedLine_ = -1;
    line_.clear();
    lineCount_ = AskInt(handle_, EM_GETLINECOUNT, 0, 0, 0);
    if (line < 0 || line >= lineCount_) return false;

    // EM_GETLINE takes the buffer's size in its first WORD; one more byte for the zero
    // that rich edits write after the line.
    line_.assign(MaxLineLength + 1, '\0');
    const WORD size = MaxLineLength;
    std::memcpy(line_.data(), &size, sizeof size);
    const auto copied = Ask(handle_, EM_GETLINE, line, reinterpret_cast<LPARAM>(line_.data()));
    if (!copied) {
        line_.clear();
        return false;
    }
    // Rich edits hand a line over with its paragraph end (CR, or CR LF in the first
    // generation, even on the last line); plain edits without it.
    auto length = static_cast<std::size_t>(std::clamp<LRESULT>(*copied, 0, MaxLineLength));
    while (length > 0 && (line_[length - 1] == '\r' || line_[length - 1] == '\n')) --length;
    line_.resize(length);
    line_ += "\r\n";
    cachedLine_ = line;
    reload_ = false;
    return true;
}

// Brings the line under the position into the cache, stepping to the neighbouring line
// when X has run off either end; false when the position is outside the text.
bool TWinAPIControlParser::LoadCurrentLine() {
    if ((reload_ || y_ != cachedLine_) && !ReadLine(y_)) return false;
    if (x_ >= static_cast<int>(line_.size())) {
        x_ = 0;
        if (!ReadLine(++y_)) return false;
    } else if (x_ < 0) {
        if (y_ == 0) {
            x_ = 0;
            return false;
        }
        if (!ReadLine(--y_)) return false;
        x_ = static_cast<int>(line_.size()) - 1;
    }
    return !PastEndLimit();
}

bool TWinAPIControlParser::PastEndLimit() const {
    return hasEndLimit_ && (y_ > endY_ || (y_ == endY_ && x_ > endX_));
}

char TWinAPIControlParser::CurrentChar() {
    return LoadCurrentLine() ? line_[x_] : '\0';
}

std::string_view TWinAPIControlParser::CurrentLine() {
    LoadCurrentLine();
    return line_;
}

bool TWinAPIControlParser::Next() {
    ++x_;
    return LoadCurrentLine();
}

bool TWinAPIControlParser::Previous() {
    --x_;
    return LoadCurrentLine();
}

void TWinAPIControlParser::SetPosition(int x, int y, TPositionMode mode) {
    if (mode == TPositionMode::pmEndLimit) {
        hasEndLimit_ = true;
        endX_ = x;
        endY_ = y;
        return;
    }
    x_ = x;
    y_ = y;
    reload_ = true;
}

void TWinAPIControlParser::GetPosition(int& x, int& y) {
    x = x_;
    y = y_;
}

// The column maps onto the control's own character index in every kind: within a line
// all kinds count alike, and EM_LINEINDEX counts the line breaks the control's way.
void TWinAPIControlParser::SelectWordBefore(int length) {
    length = std::max(length, 0);
    x_ -= length;
    const int lineStart = AskInt(handle_, EM_LINEINDEX, y_, 0, -1);
    selStart_ = lineStart < 0 ? -1 : lineStart + x_;
    selLength_ = length;
    if (selStart_ >= 0) Ask(handle_, EM_SETSEL, selStart_, selStart_ + length);
}

void TWinAPIControlParser::ReplaceSelectedWord(const std::string& text) {
    if (selStart_ < 0) return;
    Ask(handle_, EM_SETSEL, selStart_, selStart_ + selLength_);
    int start = 0;
    int end = 0;
    Selection(start, end);
    const int added = static_cast<int>(text.size()) - (end - start);
    if (hasEndLimit_ && endY_ == y_) endX_ += added;
    Ask(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    x_ += static_cast<int>(text.size());
    reload_ = true;
}

void TWinAPIControlParser::SkipSelectedWord() {
    int start = 0;
    int end = 0;
    Selection(start, end);
    x_ += end - start;
}

void TWinAPIControlParser::ScrollToSelection() {
    HWND window = Window(handle_);
    RECT client{};
    if (!handle_ || !GetClientRect(window, &client)) return;
    const int lineHeight = TControlDC(window).LineHeight();
    const int visibleLines = lineHeight > 0 ? (client.bottom - client.top) / lineHeight : 0;
    const int firstVisible = AskInt(handle_, EM_GETFIRSTVISIBLELINE, 0, 0, 0);
    Ask(handle_, EM_LINESCROLL, 0, y_ - firstVisible - visibleLines / 2);

    int start = 0;
    int end = 0;
    Selection(start, end);
    for (const int edge : {end, start}) {
        Ask(handle_, EM_SETSEL, edge, edge);
        Ask(handle_, EM_SCROLLCARET);
    }
    Ask(handle_, EM_SETSEL, start, end);
}

void TWinAPIControlParser::Selection(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    Ask(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void TWinAPIControlParser::CharToPosition(int index, int& x, int& y) const {
    y = std::max(AskInt(handle_, EM_LINEFROMCHAR, index, 0, 0), 0);
    x = index - std::max(AskInt(handle_, EM_LINEINDEX, y, 0, 0), 0);
}

void TWinAPIControlParser::GetCaret(int& x, int& y) {
    int start = 0;
    int end = 0;
    Selection(start, end);
    CharToPosition(start, x, y);
}

void TWinAPIControlParser::GetSelection(int& x1, int& y1, int& x2, int& y2) {
    int start = 0;
    int end = 0;
    Selection(start, end);
    CharToPosition(start, x1, y1);
    CharToPosition(end, x2, y2);
}

void TWinAPIControlParser::GetControlRect(TRect& rect) {
    rect = {-1, -1, -1, -1};
    POINT origin{0, 0};
    RECT window{};
    if (!handle_ || !ClientToScreen(Window(handle_), &origin) || !GetWindowRect(Window(handle_), &window))
        return;
    rect = {origin.x, origin.y, origin.x + (window.right - window.left),
            origin.y + (window.bottom - window.top)};
}

namespace {

// The client position of a character, asked the way the control's kind understands.
bool CharClientPosition(TWindowHandle handle, TControlKind kind, int index, POINT& point) {
    if (kind == TControlKind::ckRichEdit1) {
        POINTL answer{};
        if (!Ask(handle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&answer), index)) return false;
        point = {answer.x, answer.y};
        return true;
    }
    const auto packed = Ask(handle, EM_POSFROMCHAR, index, 0);
    if (!packed || static_cast<DWORD>(*packed) == 0xFFFFFFFF) return false;
    point = {static_cast<short>(LOWORD(*packed)), static_cast<short>(HIWORD(*packed))};
    return true;
}

}  // namespace

int TWinAPIControlParser::GetSelectionRect(TRect& rect) {
    rect = {-1, -1, -1, -1};
    if (!handle_) return -1;
    HWND window = Window(handle_);
    const TControlDC dc(window);
    // A plain edit places no character at the end of its text: step from the one before.
    const auto position = [&](int index, POINT& point) {
        if (CharClientPosition(handle_, kind_, index, point)) return ClientToScreen(window, &point) != FALSE;
        if (index <= 0 || !CharClientPosition(handle_, kind_, index - 1, point)) return false;
        point.x += dc.AverageCharWidth();
        return ClientToScreen(window, &point) != FALSE;
    };

    int start = 0;
    int end = 0;
    Selection(start, end);
    POINT topLeft{};
    POINT right{};
    if (!position(start, topLeft) || !position(end, right)) return -1;
    rect = {topLeft.x, topLeft.y, std::max(right.x, topLeft.x), topLeft.y + dc.LineHeight()};

    const int line = AskInt(handle_, EM_LINEFROMCHAR, start, 0, -1);
    if (line < 0 || line + 1 >= AskInt(handle_, EM_GETLINECOUNT, 0, 0, 0)) return -1;
    POINT nextLine{};
    if (!position(AskInt(handle_, EM_LINEINDEX, line + 1, 0, -1), nextLine)) return -1;
    rect.Bottom = std::max(rect.Bottom, static_cast<int>(nextLine.y));
    return nextLine.y;
}

void TWinAPIControlParser::UndoLast(int, int, int&) {
    // The session's undo event does the work for this source.
}

}  // namespace quillon
