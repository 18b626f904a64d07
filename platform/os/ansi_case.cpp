// Case mapping of the ANSI code page through two 256-byte tables built once.
#include "platform/os/os.h"

#include <array>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillon::os {
namespace {

struct CaseTables {
    std::array<char, 256> upper{};
    std::array<char, 256> lower{};
};

#ifdef _WIN32
// The system's own mapping, whatever its ANSI code page is.
CaseTables BuildTables() {
    CaseTables t;
    for (int i = 0; i < 256; ++i) {
        char u = static_cast<char>(i);
        char l = static_cast<char>(i);
        if (i != 0) {
            CharUpperBuffA(&u, 1);
            CharLowerBuffA(&l, 1);
        }
        t.upper[i] = u;
        t.lower[i] = l;
    }
    return t;
}
#else
// Windows-1252: ASCII letters, the Latin-1 letters 0xC0-0xDE / 0xE0-0xFE (less the
// multiplication and division signs), and the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ.
CaseTables BuildTables() {
    CaseTables t;
    for (int i = 0; i < 256; ++i) t.upper[i] = t.lower[i] = static_cast<char>(i);
    auto pair = [&t](int up, int low) {
        t.upper[low] = static_cast<char>(up);
        t.lower[up] = static_cast<char>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pair(c, c + 32);
    pair(0x8A, 0x9A);
    pair(0x8C, 0x9C);
    pair(0x8E, 0x9E);
    pair(0x9F, 0xFF);
    return t;
}
#endif

const CaseTables& Tables() {
    static const CaseTables tables = BuildTables();
    return tables;
}

}  // namespace

char AnsiUpperCase(char c) { return Tables().upper[static_cast<unsigned char>(c)]; }
char AnsiLowerCase(char c) { return Tables().lower[static_cast<unsigned char>(c)]; }

std::string AnsiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AnsiUpperCase(c);
    return out;
}

std::string AnsiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AnsiLowerCase(c);
    return out;
}

}  // namespace quillon::os
