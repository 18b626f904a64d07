// The text source through which every check reads and replaces words: a cursor with
// a position (X column, Y line), an optional end limit and a selected word.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace quillon {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// An opaque window handle (HWND on Windows), so that this header stays portable.
using TWindowHandle = void*;

// What a source attaches to: the caller's string variable or a control's window.
using TParserSource = std::variant<std::string*, TWindowHandle>;

enum class TPositionMode { pmMove = 0, pmEndLimit = 1 };

class TControlParser {
public:
    virtual ~TControlParser() = default;

    // The operations keep this order: sources written elsewhere override them by slot.
    virtual void Initialize(TParserSource source) = 0;
    virtual char CurrentChar() = 0;
    // Valid until the next call on the source.
    virtual std::string_view CurrentLine() = 0;
    virtual bool Next() = 0;
    virtual bool Previous() = 0;
    virtual void SetPosition(int x, int y, TPositionMode mode) = 0;
    virtual void GetPosition(int& x, int& y) = 0;
    virtual void SelectWordBefore(int length) = 0;
    virtual void ReplaceSelectedWord(const std::string& text) = 0;
    virtual void SkipSelectedWord() = 0;
    virtual void ScrollToSelection() = 0;
    virtual void GetCaret(int& x, int& y) = 0;
    virtual void GetSelection(int& x1, int& y1, int& x2, int& y2) = 0;
    virtual void GetControlRect(TRect& rect) = 0;
    virtual int GetSelectionRect(TRect& rect) = 0;
    // Undo hook: state 0 when an undo record is made, 1 before and 2 after it is undone.
    // A source may keep a value of its own in data.
    virtual void UndoLast(int state, int action, int& data) = 0;
};

}  // namespace quillon
