// Reading helpers over any text source, built only on CurrentChar and Next.
#pragma once

#include <string>

#include "engine/control_parser.h"

namespace quillon {

// The characters from the position on, until the source answers that it is outside.
inline std::string ReadToEnd(TControlParser& parser) {
    std::string text;
    for (char c = parser.CurrentChar(); c != '\0'; c = parser.Next() ? parser.CurrentChar() : '\0') text += c;
    return text;
}

// The next run of ASCII letters, leaving the source on the character after it; empty
// at the end of the text.
inline std::string NextLetters(TControlParser& parser) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto step = [&] { return parser.Next() ? parser.CurrentChar() : '\0'; };
    char c = parser.CurrentChar();
    while (c != '\0' && !isLetter(c)) c = step();
    std::string word;
    for (; isLetter(c); c = step()) word += c;
    return word;
}

}  // namespace quillon
