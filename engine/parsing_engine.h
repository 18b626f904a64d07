// The word breaker: reads one word at a time from a text source by byte classes.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine/control_parser.h"
#include "engine/string_parser.h"

namespace quillon {

// The characters at which OnSkipAtChar is worth asking, by byte value.
using TSkipTriggers = std::array<bool, 256>;

class TParsingEngine {
public:
    virtual ~TParsingEngine() = default;

    // Attaches the source and places it. Mode 0: the selection (from the start of
    // the word at its start, up to its end); 1: from the selection start on; 2: the
    // whole text; any other: where the source stands.
    virtual void BeginCheck(TControlParser& source, int mode) = 0;
    // Places the source so that the next word read is the whole word around (x, y).
    virtual void MoveToWordStart(int x, int y) = 0;
    // The next word, or an empty string at the end of the text. The reference stays
    // valid until the next call; the source then stands after the word.
    virtual const std::string& NextWord() = 0;
};

class TMainParsingEngine : public TParsingEngine {
public:
    // Asked at each character before a word starts; a hook that sets skipped has moved
    // the source past the text it skips.
    using TSkipAtCharEvent = std::function<void(TMainParsingEngine& sender, char c,
                                                TControlParser& source, bool& skipped)>;
    // Asked after each word, the source standing on the character after it.
    using TSkipAfterWordEvent =
        std::function<void(TMainParsingEngine& sender, std::string_view word,
                           TControlParser& source, bool& skipped)>;

    TMainParsingEngine();

    const std::string& CharSet() const { return charSet_; }
    void SetCharSet(std::string_view chars);
    const std::string& ForbidMidWord() const { return forbidMid_; }
    void SetForbidMidWord(std::string_view chars);
    // The apostrophe ends a word, except after "aujourd" and "entr". Kept apart from
    // ForbidMidWord, so that either setting can change without undoing the other.
    bool FrenchApostrophes() const { return frenchApostrophes_; }
    void SetFrenchApostrophes(bool on);
    bool PeriodsInWords() const { return periodsInWords_; }
    void SetPeriodsInWords(bool on) { periodsInWords_ = on; }
    bool ReturnCutWord() const { return returnCutWord_; }
    void SetReturnCutWord(bool on) { returnCutWord_ = on; }

    void BeginCheck(TControlParser& source, int mode) override;
    void MoveToWordStart(int x, int y) override;
    const std::string& NextWord() override;

    TControlParser* Source() const { return source_; }
    const std::string& LastWord() const { return word_; }

    TSkipAtCharEvent OnSkipAtChar;
    // Limits OnSkipAtChar to the characters marked in atChar, and OnSkipAfterWord to
    // words followed by a character marked in afterWord (the tables are not copied);
    // null, the default, asks at every character.
    void SetSkipTriggers(const TSkipTriggers* atChar, const TSkipTriggers* afterWord) {
        atCharTriggers_ = atChar;
        afterWordTriggers_ = afterWord;
    }
    TSkipAfterWordEvent OnSkipAfterWord;

private:
    // The end of the skip that last moved the source; a skip must move beyond it.
    struct SkipProgress {
        bool any = false;
        int x = 0;
        int y = 0;
        bool Advance(int nx, int ny);
    };
    enum class Skip { None, Moved, Stuck };
    struct WordEnd {
        bool cut;
        bool innerPeriods;
    };

    void RebuildTables();
    // The reading steps take the source's own type, so that a string source is read
    // without a virtual call per character.
    template <typename TextSource>
    const std::string& ReadNextWord(TextSource& source);
    template <typename TextSource>
    bool SkipToWordStart(TextSource& source, SkipProgress& progress);
    Skip AskSkipAtChar(char c, TControlParser& source, SkipProgress& progress);
    template <typename TextSource>
    WordEnd ReadWord(TextSource& source);
    template <typename TextSource>
    bool TrimEnd(TextSource& source, bool keepFinalPeriod);

    std::string charSet_;
    std::string forbidMid_;
    bool frenchApostrophes_ = false;
    bool periodsInWords_ = true;
    bool returnCutWord_ = false;

    // Indexed by byte value.
    std::array<bool, 256> wordStart_{};  // the character set less the forbidden-at-start
    std::array<bool, 256> midWord_{};    // the character set less the forbidden-in-the-middle
    std::array<bool, 256> endTrim_{};    // trimmed from the end of a word

    TControlParser* source_ = nullptr;
    TStringParser* stringSource_ = nullptr;  // source_ when it is a string source
    const TSkipTriggers* atCharTriggers_ = nullptr;
    const TSkipTriggers* afterWordTriggers_ = nullptr;
    std::string word_;  // reused for every word
};

}  // namespace quillon
