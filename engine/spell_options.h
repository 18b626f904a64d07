// The engine's option set: a 16-bit mask, bit n for the n-th TSpellOption.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace quillon {

enum TSpellOption : int {
    soLiveSpelling = 0,
    soLiveCorrect,
    soUpcase,
    soNumbers,
    soHTML,
    soInternet,
    soQuoted,
    soAbbreviations,
    soPrimaryOnly,
    soRepeated,
    soDUalCaps,
    soUser1,
    soUser2,
    soUser3,
    soUser4,
};

class TSpellOptions {
public:
    constexpr TSpellOptions() = default;
    constexpr explicit TSpellOptions(std::uint16_t mask) : mask_(mask) {}
    constexpr TSpellOptions(std::initializer_list<TSpellOption> options) {
        for (TSpellOption o : options) mask_ = static_cast<std::uint16_t>(mask_ | Bit(o));
    }

    constexpr bool Has(TSpellOption o) const { return (mask_ & Bit(o)) != 0; }
    constexpr void Include(TSpellOption o) { mask_ = static_cast<std::uint16_t>(mask_ | Bit(o)); }
    constexpr void Exclude(TSpellOption o) { mask_ = static_cast<std::uint16_t>(mask_ & ~Bit(o)); }
    constexpr std::uint16_t Mask() const { return mask_; }
    constexpr bool operator==(const TSpellOptions&) const = default;

private:
    static constexpr std::uint16_t Bit(TSpellOption o) { return static_cast<std::uint16_t>(1u << o); }
    std::uint16_t mask_ = 0;
};

// The options the program starts with on a new machine.
inline constexpr TSpellOptions kProgramDefaultOptions{
    soLiveSpelling, soLiveCorrect, soUpcase, soNumbers, soHTML, soInternet, soRepeated};

}  // namespace quillon
