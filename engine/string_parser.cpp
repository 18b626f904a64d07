#include "engine/string_parser.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace quillon {

void TStringParser::Initialize(TParserSource source) {
    std::string* const* text = std::get_if<std::string*>(&source);
    if (text == nullptr || *text == nullptr)
        throw std::invalid_argument("TStringParser attaches to a string variable only");
    // Positions are ints, like the control sources' columns.
    if ((*text)->size() >= static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::length_error("TStringParser: text too long");
    text_ = *text;
    x_ = 1;
    selStart_ = 1;
    selLength_ = 0;
    hasEnd_ = false;
    endX_ = 0;
}

std::string_view TStringParser::CurrentLine() { return text_ ? std::string_view(*text_) : std::string_view(); }

bool TStringParser::Previous() {
    if (x_ <= 1) return false;
    --x_;
    return true;
}

void TStringParser::SetPosition(int x, int /*y*/, TPositionMode mode) {
    if (mode == TPositionMode::pmEndLimit) {
        hasEnd_ = true;
        endX_ = x;
    } else {
        x_ = std::clamp(x, 1, Length() + 1);
    }
}

void TStringParser::GetPosition(int& x, int& y) {
    x = x_;
    y = 0;
}

void TStringParser::SelectWordBefore(int length) {
    length = std::clamp(length, 0, x_ - 1);
    x_ -= length;
    selStart_ = x_;
    selLength_ = length;
}

void TStringParser::ReplaceSelectedWord(const std::string& text) {
    if (!text_) return;
    // The caller's string may have changed since the selection: replace only what exists.
    const int at = std::min(x_ - 1, Length());
    const int count = std::min(selLength_, Length() - at);
    const int inserted = static_cast<int>(text.size());
    if (hasEnd_) endX_ += inserted - count;
    text_->replace(static_cast<std::size_t>(at), static_cast<std::size_t>(count), text);
    x_ = at + 1 + inserted;
    selStart_ = x_;
    selLength_ = 0;
}

void TStringParser::SkipSelectedWord() { x_ = std::min(x_ + selLength_, Length() + 1); }

void TStringParser::ScrollToSelection() {}

void TStringParser::GetCaret(int& x, int& y) {
    x = selStart_;
    y = 0;
}

void TStringParser::GetSelection(int& x1, int& y1, int& x2, int& y2) {
    x1 = selStart_;
    y1 = 0;
    x2 = selStart_ + selLength_;
    y2 = 0;
}

void TStringParser::GetControlRect(TRect& rect) { rect = TRect{-1, -1, -1, -1}; }

int TStringParser::GetSelectionRect(TRect& rect) {
    rect = TRect{-1, -1, -1, -1};
    return -1;
}

void TStringParser::UndoLast(int /*state*/, int /*action*/, int& /*data*/) {}

}  // namespace quillon
