// Ignore filters: stretches of text that are not looked up at all, and words or lines
// that are accepted without lookup.
#pragma once

#include <string>
#include <string_view>

#include "engine/control_parser.h"

namespace quillon {

class TParserIgnore {
public:
    virtual ~TParserIgnore() = default;

    // The operations keep this order: filters written elsewhere override them by slot.
    // Takes part in the character and after-word checks.
    virtual bool HandlesChars() const = 0;
    // Takes part in the line check.
    virtual bool HandlesLines() const = 0;
    // Before a word starts; on true the source has been moved past the skipped text.
    virtual bool SkipAtChar(char c, TControlParser& source) = 0;
    // After a word, the source standing on the character after it; on true the source
    // has been moved past the skipped text.
    virtual bool SkipAfterWord(std::string_view word, TControlParser& source) = 0;
    // The word is accepted without lookup. The source may be absent.
    virtual bool IgnoreWord(std::string_view word, TControlParser* source) = 0;
    // Every word of the line is accepted.
    virtual bool IgnoreLine(std::string_view line) = 0;
    // Whether SkipAtChar can answer true at c. The word breaker asks the character
    // filters only at such characters, so a filter that skips at few of them keeps
    // checking fast; the default is every character.
    virtual bool MaySkipAtChar(char /*c*/) const { return true; }
    // Likewise for SkipAfterWord, by the character that follows the word.
    virtual bool MaySkipAfterWord(char /*next*/) const { return true; }
};

// Answers false to everything; filters override what they use.
class TParserIgnoreBase : public TParserIgnore {
public:
    bool HandlesChars() const override { return false; }
    bool HandlesLines() const override { return false; }
    bool SkipAtChar(char, TControlParser&) override { return false; }
    bool SkipAfterWord(std::string_view, TControlParser&) override { return false; }
    bool IgnoreWord(std::string_view, TControlParser*) override { return false; }
    bool IgnoreLine(std::string_view) override { return false; }
};

// Internet addresses: "http://...", "john@...", "www.x.org/..." are skipped whole;
// a word beginning with "www." is accepted.
class TURLIgnore : public TParserIgnoreBase {
public:
    bool HandlesChars() const override { return true; }
    bool MaySkipAtChar(char) const override { return false; }
    bool MaySkipAfterWord(char next) const override {
        return next == ':' || next == '@' || next == '/' || next == '\\';
    }
    bool SkipAfterWord(std::string_view word, TControlParser& source) override;
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
};

// Words that equal their upper-case form (words without letters included).
class TUppercaseWordIgnore : public TParserIgnoreBase {
public:
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
};

// Words holding a digit.
class TNumbersIgnore : public TParserIgnoreBase {
public:
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
};

// Tags, comments ("<!-- -->") and server blocks ("<% %>", "<? ?>") are skipped;
// entities such as "&nbsp" are accepted.
class THTMLIgnore : public TParserIgnoreBase {
public:
    bool HandlesChars() const override { return true; }
    bool SkipAtChar(char c, TControlParser& source) override;
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
    bool MaySkipAtChar(char c) const override { return c == '<'; }
    bool MaySkipAfterWord(char) const override { return false; }
};

inline constexpr std::string_view kDefaultQuoteChars = ">";

// Lines that begin with a quote character, as in a quoted e-mail reply.
class TQuotedLineIgnore : public TParserIgnoreBase {
public:
    explicit TQuotedLineIgnore(std::string_view quoteChars = kDefaultQuoteChars)
        : quoteChars_(quoteChars) {}

    const std::string& QuoteChars() const { return quoteChars_; }

    bool HandlesLines() const override { return true; }
    // The line test applied to the source's current line (for a string: the whole string).
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
    bool IgnoreLine(std::string_view line) override;

private:
    std::string quoteChars_;
};

// Abbreviations of single letters: "e.g.", "U.S.A", "x.yz"; not "etc." or "Mr.".
class TAbbreviationsIgnore : public TParserIgnoreBase {
public:
    bool IgnoreWord(std::string_view word, TControlParser* source) override;
};

}  // namespace quillon
