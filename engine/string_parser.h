// A text source over the caller's string variable: X is the 1-based index into the
// string, Y is always 0. Replacements change the caller's string.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "engine/control_parser.h"

namespace quillon {

// Final, with the per-character steps inline: the word breaker reads strings through
// this type directly, without a virtual call per character.
class TStringParser final : public TControlParser {
public:
    TStringParser() = default;
    explicit TStringParser(std::string& text) { Initialize(&text); }

    // Throws std::invalid_argument for a window handle or a null string.
    void Initialize(TParserSource source) override;
    // 0 beyond the string and past the end limit. Past the limit counts as outside, as
    // for the control source: otherwise a word cut by the limit would be followed by
    // its tail, one character per word.
    char CurrentChar() override {
        if (x_ > Length() || (hasEnd_ && x_ > endX_)) return 0;
        return (*text_)[static_cast<std::size_t>(x_ - 1)];
    }
    // The whole string.
    std::string_view CurrentLine() override;
    // The step onto one past the last character is valid, so a word at the very end
    // ends there normally; from there on the position stays put.
    bool Next() override {
        if (x_ > Length()) return false;
        ++x_;
        return !hasEnd_ || x_ <= endX_;
    }
    bool Previous() override;
    // Steps over the characters after the current one that are members, within the
    // text and the end limit, and answers them: the word breaker's way of taking the
    // body of a word in one step.
    std::string_view AdvanceOver(const std::array<bool, 256>& members) {
        const int last = hasEnd_ ? std::min(Length(), endX_) : Length();
        if (x_ >= last) return {};
        int x = x_;
        while (x < last && members[static_cast<unsigned char>((*text_)[static_cast<std::size_t>(x)])]) ++x;
        const std::string_view run(text_->data() + x_, static_cast<std::size_t>(x - x_));
        x_ = x;
        return run;
    }
    void SetPosition(int x, int y, TPositionMode mode) override;
    void GetPosition(int& x, int& y) override;
    void SelectWordBefore(int length) override;
    void ReplaceSelectedWord(const std::string& text) override;
    void SkipSelectedWord() override;
    void ScrollToSelection() override;
    // The caret is the start of the last selected word; the selection is that word.
    void GetCaret(int& x, int& y) override;
    void GetSelection(int& x1, int& y1, int& x2, int& y2) override;
    void GetControlRect(TRect& rect) override;
    int GetSelectionRect(TRect& rect) override;
    void UndoLast(int state, int action, int& data) override;

private:
    int Length() const { return text_ ? static_cast<int>(text_->size()) : 0; }

    std::string* text_ = nullptr;
    int x_ = 1;  // 1 .. Length() + 1
    int selStart_ = 1;
    int selLength_ = 0;
    bool hasEnd_ = false;
    int endX_ = 0;  // last position inside the limit
};

}  // namespace quillon
