#include "engine/parsing_engine.h"

#include <type_traits>
#include <utility>

#include "platform/os/os.h"

namespace quillon {
namespace {

// The typographic apostrophe 0x92 is a word character, so it is forbidden at the
// start and trimmed at the end just like the straight one.
constexpr std::string_view kForbidStart = "'\"\x92";
constexpr std::string_view kForbidEnd = "'\".\x92";
constexpr std::string_view kDefaultForbidMid = "&";

// Latin-1 and Cyrillic letters of the Windows code pages, digits, '&' and apostrophes.
std::string DefaultCharSet() {
    static constexpr std::pair<int, int> kRanges[] = {
        {0x26, 0x27}, {0x30, 0x39}, {0x41, 0x5A}, {0x61, 0x7A}, {0x8A, 0x8A},
        {0x8C, 0x8F}, {0x92, 0x92}, {0x9A, 0x9A}, {0x9C, 0x9F}, {0xA1, 0xA3},
        {0xA5, 0xA6}, {0xA8, 0xA8}, {0xAC, 0xAC}, {0xAF, 0xAF}, {0xB1, 0xB3},
        {0xB6, 0xB6}, {0xB8, 0xB9}, {0xBC, 0xBC}, {0xBF, 0xFF}};
    std::string chars;
    for (auto [first, last] : kRanges)
        for (int c = first; c <= last; ++c) chars.push_back(static_cast<char>(c));
    return chars;
}

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// "aujourd'hui", "entr'acte": elisions that stay one word under the French rule.
bool IsFrenchElision(std::string_view word) {
    if (word.size() != 4 && word.size() != 7) return false;
    const std::string lower = os::AnsiLowerCase(word);
    return lower == "entr" || lower == "aujourd";
}

}  // namespace

TMainParsingEngine::TMainParsingEngine()
    : charSet_(DefaultCharSet()), forbidMid_(kDefaultForbidMid) {
    RebuildTables();
}

void TMainParsingEngine::SetCharSet(std::string_view chars) {
    charSet_.assign(chars);
    RebuildTables();
}

void TMainParsingEngine::SetForbidMidWord(std::string_view chars) {
    forbidMid_.assign(chars);
    RebuildTables();
}

void TMainParsingEngine::SetFrenchApostrophes(bool on) {
    frenchApostrophes_ = on;
    RebuildTables();
}

void TMainParsingEngine::RebuildTables() {
    wordStart_.fill(false);
    midWord_.fill(false);
    endTrim_.fill(false);
    for (char c : charSet_) wordStart_[Byte(c)] = midWord_[Byte(c)] = true;
    for (char c : kForbidStart) wordStart_[Byte(c)] = false;
    for (char c : forbidMid_) midWord_[Byte(c)] = false;
    if (frenchApostrophes_) midWord_[Byte('\'')] = false;
    for (char c : kForbidEnd) endTrim_[Byte(c)] = true;
    // Sources answer 0 outside the text; as a word character it would never end.
    wordStart_[0] = midWord_[0] = false;
}

void TMainParsingEngine::BeginCheck(TControlParser& source, int mode) {
    source_ = &source;
    stringSource_ = dynamic_cast<TStringParser*>(&source);
    word_.clear();
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    source.GetSelection(x1, y1, x2, y2);
    switch (mode) {
        case 0:
            MoveToWordStart(x1, y1);
            source.SetPosition(x2, y2, TPositionMode::pmEndLimit);
            break;
        case 1:
            MoveToWordStart(x1, y1);
            break;
        case 2:
            source.SetPosition(0, 0, TPositionMode::pmMove);
            break;
        default:
            break;
    }
}

void TMainParsingEngine::MoveToWordStart(int x, int y) {
    if (!source_) return;
    source_->SetPosition(x, y, TPositionMode::pmMove);
    while (midWord_[Byte(source_->CurrentChar())] && source_->Previous()) {
    }
}

const std::string& TMainParsingEngine::NextWord() {
    word_.clear();
    if (stringSource_) return ReadNextWord(*stringSource_);
    if (source_) return ReadNextWord(*source_);
    return word_;
}

template <typename TextSource>
const std::string& TMainParsingEngine::ReadNextWord(TextSource& source) {
    SkipProgress progress;
    for (;;) {
        word_.clear();
        if (!SkipToWordStart(source, progress)) return word_;
        const WordEnd end = ReadWord(source);
        if (end.cut && !returnCutWord_) {
            word_.clear();
            return word_;
        }
        // A word of trim characters only (possible with a custom character set) is no
        // word; the source already stands after it.
        if (!TrimEnd(source, end.innerPeriods)) continue;
        if (OnSkipAfterWord && (!afterWordTriggers_ || (*afterWordTriggers_)[Byte(source.CurrentChar())])) {
            bool skipped = false;
            OnSkipAfterWord(*this, word_, source, skipped);
            if (skipped) continue;
        }
        return word_;
    }
}

template <typename TextSource>
bool TMainParsingEngine::SkipToWordStart(TextSource& source, SkipProgress& progress) {
    for (;;) {
        const char c = source.CurrentChar();
        const bool ask = OnSkipAtChar && (!atCharTriggers_ || (*atCharTriggers_)[Byte(c)]);
        const Skip skip = ask ? AskSkipAtChar(c, source, progress) : Skip::None;
        if (skip == Skip::Moved) continue;
        if (skip == Skip::None && wordStart_[Byte(c)]) {
            word_.push_back(c);
            return true;
        }
        if (!source.Next()) return false;
    }
}

TMainParsingEngine::Skip TMainParsingEngine::AskSkipAtChar(char c, TControlParser& source,
                                                           SkipProgress& progress) {
    bool skipped = false;
    OnSkipAtChar(*this, c, source, skipped);
    if (!skipped) return Skip::None;
    int x = 0, y = 0;
    source.GetPosition(x, y);
    // A hook that claims a skip without moving on would be asked again forever; the
    // engine then steps over the character itself.
    return progress.Advance(x, y) ? Skip::Moved : Skip::Stuck;
}

bool TMainParsingEngine::SkipProgress::Advance(int nx, int ny) {
    if (any && (ny < y || (ny == y && nx <= x))) return false;
    any = true;
    x = nx;
    y = ny;
    return true;
}

template <typename TextSource>
TMainParsingEngine::WordEnd TMainParsingEngine::ReadWord(TextSource& source) {
    bool hasPeriod = word_.front() == '.';
    bool innerPeriods = false;
    for (;;) {
        if constexpr (std::is_same_v<TextSource, TStringParser>) {
            const std::string_view run = source.AdvanceOver(midWord_);
            word_.append(run);
            hasPeriod = hasPeriod || run.find('.') != std::string_view::npos;
        }
        if (!source.Next()) return {true, innerPeriods};
        const char c = source.CurrentChar();
        if (!midWord_[Byte(c)]) {
            if (c == '.' && periodsInWords_) {
                // "x.org" goes on at a letter after the period; "e.g." and "U.S.A." keep
                // each later period, the final one included.
                source.Next();
                const bool letterFollows = midWord_[Byte(source.CurrentChar())];
                source.Previous();
                if (hasPeriod) innerPeriods = true;
                if (!letterFollows && !hasPeriod) return {false, innerPeriods};
            } else if (!(c == '\'' && frenchApostrophes_ && IsFrenchElision(word_))) {
                return {false, innerPeriods};
            }
        }
        word_.push_back(c);
        hasPeriod = hasPeriod || c == '.';
    }
}

template <typename TextSource>
bool TMainParsingEngine::TrimEnd(TextSource& source, bool keepFinalPeriod) {
    std::size_t keep = word_.size();
    while (keep > 0) {
        const char c = word_[keep - 1];
        if (!endTrim_[Byte(c)] || (keepFinalPeriod && c == '.')) break;
        --keep;
    }
    if (keep == 0) {
        word_.clear();
        return false;
    }
    for (std::size_t i = keep; i < word_.size(); ++i) source.Previous();
    word_.resize(keep);
    return true;
}

}  // namespace quillon
