// What a marker segment carries: part of the picture (kept) or information
// about it (removed), decided from the marker and the identifier string.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

enum class Kind : uint8_t {
    // Kept byte for byte.
    Picture,  // tables, frame and scan headers, anything not APPn/COM
    Jfif,
    Icc,
    Adobe,
    // Removed.
    Exif,
    Xmp,
    Iptc,  // APP13 Photoshop resources, IPTC among them
    Mpf,
    FlashPix,
    OtherApp,
    Comment,
    JfifThumbnail,  // the pixels a JFIF APP0 may carry after its fixed fields
    Stray,          // bytes between segments that belong to none
    Trailer,        // everything after the end of the main picture
    Count
};

constexpr int kKindCount = (int)Kind::Count;

inline bool IsKept(Kind k) { return k <= Kind::Adobe; }

// Identifier bytes at the start of the payload that classification reads.
constexpr size_t kIdentifierBytes = 36;

// payload points at the bytes after the length field (n of them, possibly
// fewer than the whole payload but at least min(payload, kIdentifierBytes)).
Kind ClassifySegment(uint8_t marker, const uint8_t* payload, size_t n);

// Name shown in reports.
const char* KindName(Kind k);

}  // namespace jhead
