#include "engine/phonetics_map.h"

#include <algorithm>
#include <span>

#include "platform/os/os.h"

namespace quillon {
namespace {

struct TRule {
    const char* source;
    const char* code;
    int length;
};

// The empty code marks letters that are heard but not written into the code.
constexpr TRule kEnglish[] = {
    {"b", "b", 1},   {"cia", "x", 1}, {"ch", "x", 2},  {"ci", "s", 1},  {"ce", "s", 1},  {"cy", "s", 1},
    {"c", "k", 1},   {"dge", "j", 2}, {"dgy", "j", 2}, {"dgi", "j", 2}, {"d", "t", 1},   {"f", "f", 1},
    {"gha", "k", 2}, {"ghe", "k", 2}, {"ghi", "k", 2}, {"gho", "k", 2}, {"ghu", "k", 2}, {"ghy", "k", 2},
    {"gh", "", 2},   {"gn", "n", 2},  {"gi", "j", 1},  {"ge", "j", 1},  {"gy", "j", 1},  {"g", "k", 1},
    {"h", "h", 1},   {"aha", "h", 2}, {"ahe", "h", 2}, {"ahi", "h", 2}, {"aho", "h", 2}, {"ahu", "h", 2},
    {"eha", "h", 2}, {"ehe", "h", 2}, {"ehi", "h", 2}, {"eho", "h", 2}, {"ehu", "h", 2}, {"iha", "h", 2},
    {"ihe", "h", 2}, {"ihi", "h", 2}, {"iho", "h", 2}, {"ihu", "h", 2}, {"oha", "h", 2}, {"ohe", "h", 2},
    {"ohi", "h", 2}, {"oho", "h", 2}, {"ohu", "h", 2}, {"uha", "h", 2}, {"uhe", "h", 2}, {"uhi", "h", 2},
    {"uho", "h", 2}, {"uhu", "h", 2}, {"ah", "", 2},   {"eh", "", 2},   {"ih", "", 2},   {"oh", "", 2},
    {"uh", "", 2},   {"j", "j", 1},   {"ck", "k", 2},  {"k", "k", 1},   {"l", "l", 1},   {"m", "m", 1},
    {"n", "n", 1},   {"ph", "f", 2},  {"p", "p", 1},   {"q", "k", 1},   {"r", "r", 1},   {"sh", "x", 2},
    {"sio", "x", 1}, {"sia", "x", 1}, {"s", "s", 1},   {"tia", "x", 1}, {"tio", "x", 1}, {"th", "0", 2},
    {"tch", "x", 3}, {"t", "t", 1},   {"v", "f", 1},   {"wa", "w", 1},  {"we", "w", 1},  {"wi", "w", 1},
    {"wo", "w", 1},  {"wu", "w", 1},  {"wy", "w", 1},  {"x", "ks", 1},  {"ya", "y", 1},  {"ye", "y", 1},
    {"yi", "y", 1},  {"yo", "y", 1},  {"yu", "y", 1},  {"yy", "y", 2},  {"z", "s", 1},
};

// Windows-1251 bytes: E0 а E1 б E2 в E3 г E4 д E5 е E6 ж E7 з E8 и EA к EB л EC м ED н
// EE о EF п F0 р F1 с F2 т F3 у F7 ч F8 ш F9 щ FB ы FC ь FE ю.
constexpr TRule kRussian[] = {
    {"\xE1", "\xE1\xFC", 1},              // б бь
    {"\xE2", "\xE2\xFC", 1},              // в вь
    {"\xE3", "\xE3\xFC", 1},              // г гь
    {"\xE4", "\xF2", 1},                  // д т
    {"\xE7", "\xF1", 1},                  // з с
    {"\xEA", "\xE3", 1},                  // к г
    {"\xEB", "\xEB\xFC", 1},              // л ль
    {"\xEC", "\xEC\xFC", 1},              // м мь
    {"\xED", "\xED\xFC", 1},              // н нь
    {"\xEF", "\xEF\xFC", 1},              // п пь
    {"\xF0", "\xF0\xFC", 1},              // р рь
    {"\xF1", "\xF1\xFC", 1},              // с сь
    {"\xF2", "\xF2\xFC", 1},              // т ть
    {"\xE6", "\xF8", 1},                  // ж ш
    {"\xEE", "\xE0", 1},                  // о а
    {"\xF9", "\xF8\xFC", 1},              // щ шь
    {"\xF1\xF8", "\xF8", 1},              // сш ш
    {"\xEE\xF0\xEE", "\xEE\xF0\xE0", 3},  // оро ора
    {"\xEE\xEB\xEE", "\xEE\xEB\xE0", 3},  // оло ола
    {"\xED\xED", "\xED", 2},              // нн н
    {"\xF1\xF1", "\xF1", 2},              // сс с
    {"\xE5\xE5", "\xE5", 2},              // ее е
    {"\xE6\xE8", "\xE6\xFB", 2},          // жи жы
    {"\xF8\xE8", "\xF8\xFB", 2},          // ши шы
    {"\xF9\xF3", "\xF8\xFE", 2},          // щу шю
    {"\xF1\xF7", "\xF9", 2},              // сч щ
};

constexpr TRule kFrench[] = {
    {"b", "b", 1}, {"p", "b", 1}, {"c", "c", 1}, {"k", "c", 1}, {"q", "c", 1}, {"d", "d", 1},
    {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1}, {"g", "g", 1},
    {"j", "g", 1}, {"x", "x", 1}, {"z", "x", 1}, {"s", "x", 1}, {"f", "f", 1}, {"v", "f", 1},
};

constexpr TRule kGeneric[] = {
    {"b", "b", 1}, {"f", "b", 1}, {"p", "b", 1}, {"v", "b", 1}, {"c", "k", 1}, {"g", "k", 1},
    {"j", "k", 1}, {"k", "k", 1}, {"q", "k", 1}, {"s", "k", 1}, {"x", "k", 1}, {"z", "k", 1},
    {"d", "d", 1}, {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1},
};

std::span<const TRule> TableFor(std::int32_t language) {
    switch (language & 0xFF) {
        case 9:
            return kEnglish;
        case 25:
            return kRussian;
        case 12:
            return kFrench;
        default:
            return kGeneric;
    }
}

}  // namespace

void TPhoneticsMap::SetLanguage(std::int32_t language) {
    language_ = language;
    Clear();
    for (const TRule& rule : TableFor(language)) Insert(rule.source, rule.code, rule.length);
}

void TPhoneticsMap::SetStartDepth(int depth) {
    if (depth >= 1) startDepth_ = depth;
}

std::string TPhoneticsMap::Encode(std::string_view word) {
    lowered_.assign(word);
    for (char& c : lowered_) c = os::AnsiLowerCase(c);
    const std::size_t verbatim = std::min(lowered_.size(), static_cast<std::size_t>(startDepth_));
    std::string code = lowered_.substr(0, verbatim);
    int budget = kCodeBudget;
    std::size_t position = verbatim;
    while (position < lowered_.size()) {
        std::string_view destination;
        int length = 0;
        if (!Match(lowered_, destination, position, length)) {
            ++position;
            continue;
        }
        // A doubled letter sounds once.
        const bool repeat =
            length == 1 && !destination.empty() && !code.empty() && destination.front() == code.back();
        if (!repeat) {
            code += destination;
            budget -= static_cast<int>(destination.size());
            if (budget <= 0) break;
        }
        // At least one character, whatever a replaced Match answers, so that this ends.
        position += static_cast<std::size_t>(std::max(length, 1));
    }
    return code;
}

bool TPhoneticsMap::AcceptDistance(std::string_view word, int distance) {
    // A divisor below 1 would divide by zero (or flip the sign); it counts as 1.
    const int divisor = PhoneticDivisor < 1 ? 1 : PhoneticDivisor;
    return static_cast<int>(word.size()) / divisor >= distance && distance <= PhoneticMaxDistance;
}

}  // namespace quillon
