// The text source over a Windows edit or rich edit control reached through its window
// handle: it reads the control one line at a time and selects and replaces words in it.
#pragma once

#include <string>
#include <string_view>

#include "engine/control_parser.h"

namespace quillon {

// How the control counts and locates characters; the values are the stored kinds.
enum class TControlKind {
    ckEdit = 0,       // plain edit control
    ckRichEdit1 = 1,  // rich edit of the first generation or a compatible memo
    ckRichEdit2 = 2,  // rich edit 2 or later
};

class TWinAPIControlParser : public TControlParser {
public:
    // The longest part of a line that is read; the rest of a longer line is not seen.
    static constexpr int MaxLineLength = 16374;

    static TControlKind KindFromClassName(std::string_view className);

    void Initialize(TParserSource source) override;
    char CurrentChar() override;
    std::string_view CurrentLine() override;
    bool Next() override;
    bool Previous() override;
    void SetPosition(int x, int y, TPositionMode mode) override;
    void GetPosition(int& x, int& y) override;
    void SelectWordBefore(int length) override;
    void ReplaceSelectedWord(const std::string& text) override;
    void SkipSelectedWord() override;
    void ScrollToSelection() override;
    void GetCaret(int& x, int& y) override;
    void GetSelection(int& x1, int& y1, int& x2, int& y2) override;
    void GetControlRect(TRect& rect) override;
    int GetSelectionRect(TRect& rect) override;
    void UndoLast(int state, int action, int& data) override;

    TControlKind Kind() const { return kind_; }
    // For the session's own rich edit: kind 1 whatever its class, now and after attaching.
    void ForceRichEdit1();

private:
    bool LoadCurrentLine();
    bool ReadLine(int line);
    bool PastEndLimit() const;
    void Selection(int& start, int& end) const;
    void CharToPosition(int index, int& x, int& y) const;

    TWindowHandle handle_ = nullptr;
    TControlKind kind_ = TControlKind::ckEdit;
    bool forceRichEdit1_ = false;
    int x_ = 0;
    int y_ = 0;
    // The cached line with CR LF appended; its length counts the CR LF.
    int cachedLine_ = -1;
    std::string line_;
    bool reload_ = true;
    int lineCount_ = 0;
    bool hasEndLimit_ = false;
    int endX_ = 0;
    int endY_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
};

}  // namespace quillon
