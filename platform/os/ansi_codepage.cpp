#include "platform/os/ansi_codepage.h"

#include <array>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillon::os {
namespace {

// 0x80-0x9F of Windows-1252; the five unassigned bytes keep their C1 code points so
// that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at text[i], advancing i; nothing for a malformed one
// (i then moves past its first byte).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra;
    char32_t code;
    if ((lead & 0xE0) == 0xC0) { extra = 1; code = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; code = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; code = lead & 0x07; }
    else return std::nullopt;
    if (text.size() - i < static_cast<std::size_t>(extra)) return std::nullopt;
    for (int k = 0; k < extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        code = (code << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    i += extra;
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code < 0x100)) return static_cast<unsigned char>(code);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == code) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement, std::size_t* unconvertible) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t failures = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        // ASCII runs are the common case; copy them whole.
        std::size_t run = i;
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
        out.append(utf8.substr(i, run - i));
        i = run;
        if (i == utf8.size()) break;
        const auto code = DecodeUtf8(utf8, i);
        const auto byte = code ? UnicodeToCp1252(*code) : std::nullopt;
        if (byte) {
            out += static_cast<char>(*byte);
        } else {
            out += replacement;
            ++failures;
        }
    }
    if (unconvertible) *unconvertible = failures;
    return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t code = DecodeUtf8(utf8, i).value_or(0xFFFD);
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

std::string WideToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
#ifdef _WIN32
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), bytes, nullptr, nullptr);
    return out;
#else
    std::string out;
    for (char16_t unit : text) out += static_cast<char>(UnicodeToCp1252(unit).value_or('?'));
    return out;
#endif
}

}  // namespace quillon::os
