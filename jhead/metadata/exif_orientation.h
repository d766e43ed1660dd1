// The one piece of Exif that survives cleaning: the Orientation tag, without
// which viewers show turned pictures sideways.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jhead {

struct Orientation {
    int value = 0;  // 1..8, or 0 when absent or unreadable
    bool big_endian = false;
};

// payload: an APP1 payload starting with "Exif\0\0". Reads IFD0's tag 0x0112.
Orientation ReadOrientation(const uint8_t* payload, size_t n);
// tiff: a TIFF block from its byte-order mark on (PNG eXIf, WebP EXIF).
Orientation ReadTiffOrientation(const uint8_t* tiff, size_t n);

// A whole APP1 segment (marker included): Exif header, TIFF header in the
// original byte order, IFD0 holding only Orientation, no next IFD.
std::vector<uint8_t> MinimalExifSegment(Orientation o);
// The TIFF block of that segment alone.
std::vector<uint8_t> MinimalTiff(Orientation o);

}  // namespace jhead
