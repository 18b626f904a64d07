// Conversions between Unicode and 8-bit text: Windows-1252 explicitly (the command-line
// tool's edges and the native build) and the system ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::os {

char32_t Cp1252ToUnicode(unsigned char byte);
std::optional<unsigned char> UnicodeToCp1252(char32_t code);

// UTF-8 to Windows-1252. Characters that have no byte there, and malformed sequences,
// become `replacement` and are counted in *unconvertible when given.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?', std::size_t* unconvertible = nullptr);
std::string Cp1252ToUtf8(std::string_view text);

// UTF-16 to the system ANSI code page (Windows-1252 off Windows), '?' where a
// character has no byte.
std::string WideToAnsi(std::u16string_view text);

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace quillon::os
