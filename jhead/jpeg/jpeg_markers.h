// JPEG marker codes (the byte after 0xFF) and the classes of markers that the
// header parser and the picture-data walker must agree on.
#pragma once

#include <cstdint>

namespace jhead::marker {

constexpr uint8_t kTem = 0x01;
constexpr uint8_t kSof0 = 0xC0;
constexpr uint8_t kDht = 0xC4;
constexpr uint8_t kJpg = 0xC8;
constexpr uint8_t kDac = 0xCC;
constexpr uint8_t kRst0 = 0xD0;
constexpr uint8_t kRst7 = 0xD7;
constexpr uint8_t kSoi = 0xD8;
constexpr uint8_t kEoi = 0xD9;
constexpr uint8_t kSos = 0xDA;
constexpr uint8_t kDqt = 0xDB;
constexpr uint8_t kDnl = 0xDC;
constexpr uint8_t kDri = 0xDD;
constexpr uint8_t kApp0 = 0xE0;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint8_t kApp2 = 0xE2;
constexpr uint8_t kApp12 = 0xEC;
constexpr uint8_t kApp13 = 0xED;
constexpr uint8_t kApp14 = 0xEE;
constexpr uint8_t kApp15 = 0xEF;
constexpr uint8_t kCom = 0xFE;

// TEM, RST0..RST7, SOI and EOI carry no length field: nothing of theirs to skip.
constexpr bool HasNoLength(uint8_t m) { return m == kTem || (m >= kRst0 && m <= kEoi); }

// SOF0..SOF15 except DHT, JPG and DAC, which share the range.
constexpr bool IsFrame(uint8_t m) {
    return m >= kSof0 && m <= 0xCF && m != kDht && m != kJpg && m != kDac;
}

// Segments that describe the picture rather than encode it.
constexpr bool IsMetadata(uint8_t m) { return (m >= kApp0 && m <= kApp15) || m == kCom; }

// What may follow a complete segment between two scans of a well-formed
// picture: tables, the next scan, more segments, or the end.
constexpr bool MayFollowSegment(uint8_t m) {
    return m == kDht || m == kDac || m == kEoi || m == kSos || m == kDqt || m == kDnl ||
           m == kDri || IsMetadata(m);
}

}  // namespace jhead::marker
