// Layout of the custom-dictionary file (.ovu), shared by its reader and writer so that
// the two cannot drift apart.
#pragma once

#include "engine/little_endian.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon::ovu {

// Five CR LF lines: the format's name, our notice, web and mail lines, an empty line.
inline constexpr std::string_view kBanner =
    "Orvel User Dictionary, Version 4.0\r\n"
    "Copyright (C) 2026 Tessel\r\n"
    "https://quillon.tessel.example/\r\n"
    "user@tessel.example\r\n"
    "\r\n";
static_assert(kBanner.size() == 119, "the format fixes the banner at 119 bytes");

// The reader compares the banner and its zero byte; the byte 0x1A after them is written
// and not checked.
inline constexpr std::size_t kCheckedSize = 120;
inline constexpr std::uint8_t kEndOfText = 0x1A;
inline constexpr std::size_t kHeaderSize = 121;

inline constexpr std::size_t kAddedCountOffset = 121;
inline constexpr std::size_t kExcludedCountOffset = 125;
inline constexpr std::size_t kAutoCorrectCountOffset = 129;
inline constexpr std::size_t kLiveCountOffset = 133;
inline constexpr std::size_t kSlotCountOffset = 137;
inline constexpr std::size_t kSlotsOffset = 141;
// Then S slots of 4 bytes, U (4 bytes) and U bytes of records.

inline constexpr std::int32_t kEmptySlot = 0;
inline constexpr std::int32_t kDeletedSlot = -1;

// Type bytes of the records, and the "any type" of a search.
inline constexpr char kAdded = 'I';
inline constexpr char kExcluded = 'E';
inline constexpr char kAutoCorrect = 'A';
inline constexpr char kAnyType = '*';

// Word and replacement together may hold at most this many bytes.
inline constexpr std::size_t kMaxEntryBytes = 500;

// The word block's allocation grows by this step.
inline constexpr std::size_t kBlockStep = 65535;

// The largest prime below each power of two from 2^8 to 2^31.
inline constexpr std::array<std::uint32_t, 24> kTableSizes = {
    251,      509,      1021,     2039,      4093,      8191,      16381,      32749,
    65521,    131071,   262139,   524287,    1048573,   2097143,   4194301,    8388593,
    16777213, 33554393, 67108859, 134217689, 268435399, 536870909, 1073741789, 2147483647,
};

inline bool IsTableSize(std::uint32_t size) {
    if (size == 0) return true;
    for (std::uint32_t s : kTableSizes) {
        if (s == size) return true;
    }
    return false;
}

// The first size above `size`, or 0 when there is none.
inline std::uint32_t NextTableSize(std::uint32_t size) {
    for (std::uint32_t s : kTableSizes) {
        if (s > size) return s;
    }
    return 0;
}

using quillon::ReadU32;
using quillon::WriteU32;

}  // namespace quillon::ovu
