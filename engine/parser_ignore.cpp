#include "engine/parser_ignore.h"

#include <algorithm>
#include <array>

#include "platform/os/os.h"

namespace quillon {
namespace {

// Steps forward until isEnd accepts the current character or the text ends.
template <typename IsEnd>
void StepUntil(TControlParser& source, IsEnd isEnd) {
    while (!isEnd(source.CurrentChar()))
        if (!source.Next()) return;
}

bool StartsWithWww(std::string_view word) {
    // Asked of every word, so without building a lower-case copy.
    return word.size() >= 4 && os::AnsiLowerCase(word[0]) == 'w' && os::AnsiLowerCase(word[1]) == 'w' &&
           os::AnsiLowerCase(word[2]) == 'w' && word[3] == '.';
}

bool IsUrlScheme(std::string_view word) {
    static constexpr std::string_view kSchemes[] = {"http", "ftp",   "news",   "mailto", "nntp",
                                                    "file", "https", "telnet", "wais"};
    if (word.size() > 6) return false;
    const std::string lower = os::AnsiLowerCase(word);
    return std::find(std::begin(kSchemes), std::end(kSchemes), lower) != std::end(kSchemes);
}

// Where an address ends. 0 is the source's answer outside the text.
bool EndsUrl(char c) {
    static constexpr auto kTable = [] {
        std::array<bool, 256> t{};
        for (unsigned char e : std::string_view("\r\n\t \"()[]{},<>'")) t[e] = true;
        t[0] = true;
        return t;
    }();
    return kTable[static_cast<unsigned char>(c)];
}

}  // namespace

bool TURLIgnore::SkipAfterWord(std::string_view word, TControlParser& source) {
    const char c = source.CurrentChar();
    const bool address = (c == ':' && IsUrlScheme(word)) || c == '@' ||
                         ((c == '/' || c == '\\') && StartsWithWww(word));
    if (address) StepUntil(source, EndsUrl);
    return address;
}

bool TURLIgnore::IgnoreWord(std::string_view word, TControlParser*) { return StartsWithWww(word); }

bool TUppercaseWordIgnore::IgnoreWord(std::string_view word, TControlParser*) {
    return std::all_of(word.begin(), word.end(), [](char c) { return os::AnsiUpperCase(c) == c; });
}

bool TNumbersIgnore::IgnoreWord(std::string_view word, TControlParser*) {
    return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool THTMLIgnore::SkipAtChar(char c, TControlParser& source) {
    if (c != '<') return false;
    if (!source.Next()) return true;
    const char opener = source.CurrentChar();
    if (opener == '!') {
        if (source.Next() && source.CurrentChar() == '-' && source.Next() &&
            source.CurrentChar() == '-') {
            source.Next();
            int dashes = 0;
            StepUntil(source, [&dashes](char ch) {
                if (ch == '>' && dashes >= 2) return true;
                dashes = ch == '-' ? dashes + 1 : 0;
                return false;
            });
            return true;
        }
        // "<!DOCTYPE ...>": an ordinary tag from the first character that broke "!--".
    } else if (opener == '%' || opener == '?') {
        // "<% a > b %>": only a '>' right after the opener's character closes it.
        source.Next();
        char previous = 0;
        StepUntil(source, [&previous, opener](char ch) {
            if (ch == '>' && previous == opener) return true;
            previous = ch;
            return false;
        });
        return true;
    }
    StepUntil(source, [](char ch) { return ch == '>'; });
    return true;
}

bool THTMLIgnore::IgnoreWord(std::string_view word, TControlParser*) {
    return !word.empty() && word.front() == '&';
}

bool TQuotedLineIgnore::IgnoreWord(std::string_view, TControlParser* source) {
    return source != nullptr && IgnoreLine(source->CurrentLine());
}

bool TQuotedLineIgnore::IgnoreLine(std::string_view line) {
    return !line.empty() && quoteChars_.find(line.front()) != std::string::npos;
}

bool TAbbreviationsIgnore::IgnoreWord(std::string_view word, TControlParser*) {
    if (word.find('.') == std::string_view::npos) return false;
    while (word.size() >= 3 && word[1] == '.') word.remove_prefix(2);
    return word.size() <= 2;
}

}  // namespace quillon
