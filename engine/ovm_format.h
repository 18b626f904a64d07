// Layout of the compiled main-dictionary file (.ovm), shared by the reader and the
// compiler so that the two cannot drift apart.
#pragma once

#include "engine/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon::ovm {

// The banner that opens the header block; the reader compares all of it.
inline constexpr std::string_view kBanner =
    "Orvel Dictionary Compiler, Version 4.0\r\n"
    "Copyright (C) 2026 Tessel, the Quillon developers\r\n"
    "https://quillon.tessel.example/\r\n"
    "dictionaries@tessel.example\r\n"
    "\r\n";

inline constexpr std::size_t kHeaderBlockSize = 1024;
inline constexpr std::size_t kTitleLengthOffset = 1024;
inline constexpr std::size_t kMaxTitleUnits = 255;
inline constexpr int kNodeTableCount = 9;
inline constexpr int kMaxExtraChars = kNodeTableCount - 1;

// Record size of node table k (1-based): the node word and k-1 extra characters.
constexpr std::size_t NodeRecordSize(int k) { return static_cast<std::size_t>(k) + 3; }

// Node word fields.
inline constexpr std::uint32_t kCharMask = 0xFF;
inline constexpr int kReferenceShift = 8;
inline constexpr std::uint32_t kReferenceMask = 0xFFFFF;
inline constexpr int kChildCountShift = 28;
inline constexpr std::uint32_t kChildCountMask = 0x7;
inline constexpr std::uint32_t kEndOfWordBit = 0x80000000u;
inline constexpr std::uint32_t kLeafReference = 0xFFFFF;
inline constexpr std::uint32_t kMaxInlineChildren = 7;

// At this node count and above, child references use the mixed 2/3-byte big-endian form.
inline constexpr std::uint32_t kWideReferenceNodeCount = 65535;
inline constexpr std::uint32_t kMaxShortWideReference = 0x7FFF;
inline constexpr std::uint32_t kMaxLongWideReference = 0x7FFFFF;

inline constexpr std::size_t kFirstCharEntrySize = 8;
inline constexpr std::size_t kFirstCharTableSize = 256 * kFirstCharEntrySize;
inline constexpr std::size_t kCharTableSize = 1024;

// The longest word a prefix walk can spell.
inline constexpr std::size_t kMaxWordLength = 512;

using quillon::ReadU16;
using quillon::ReadU32;

}  // namespace quillon::ovm
