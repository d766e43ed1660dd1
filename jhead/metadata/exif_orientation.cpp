#include "metadata/exif_orientation.h"

#include "platform/byte_order.h"

namespace jhead {

static uint32_t Get(const uint8_t* p, int bytes, bool big_endian) {
    return (uint32_t)(big_endian ? GetBe(p, bytes) : GetLe(p, bytes));
}

static void Put(uint8_t* p, uint32_t v, int bytes, bool big_endian) {
    for (int i = 0; i < bytes; i++) {
        int shift = big_endian ? 8 * (bytes - 1 - i) : 8 * i;
        p[i] = (uint8_t)(v >> shift);
    }
}

Orientation ReadOrientation(const uint8_t* payload, size_t n) {
    if (n < 6) return {};
    return ReadTiffOrientation(payload + 6, n - 6);
}

Orientation ReadTiffOrientation(const uint8_t* tiff, size_t size) {
    Orientation o;
    if (size < 8) return o;
    if (tiff[0] == 'I' && tiff[1] == 'I') {
        o.big_endian = false;
    } else if (tiff[0] == 'M' && tiff[1] == 'M') {
        o.big_endian = true;
    } else {
        return o;
    }
    bool be = o.big_endian;
    if (Get(tiff + 2, 2, be) != 42) return o;
    uint64_t ifd = Get(tiff + 4, 4, be);
    if (ifd + 2 > size) return o;
    uint32_t count = Get(tiff + ifd, 2, be);
    // An entry count that runs past the block means a damaged IFD: its
    // entries, an orientation among them, cannot be trusted.
    if (ifd + 2 + 12 * (uint64_t)count > size) return o;
    for (uint32_t i = 0; i < count; i++) {
        uint64_t e = ifd + 2 + 12 * (uint64_t)i;
        if (Get(tiff + e, 2, be) != 0x0112) continue;
        uint32_t type = Get(tiff + e + 2, 2, be);
        uint32_t values = Get(tiff + e + 4, 4, be);
        uint32_t v = 0;
        // SHORT as written by cameras; some tools wrongly write a LONG.
        if (type == 3 && values >= 1) {
            v = Get(tiff + e + 8, 2, be);
        } else if (type == 4 && values == 1) {
            v = Get(tiff + e + 8, 4, be);
        }
        if (v >= 1 && v <= 8) o.value = (int)v;
        return o;
    }
    return o;
}

std::vector<uint8_t> MinimalExifSegment(Orientation o) {
    // marker 2 + length 2 + "Exif\0\0" 6, then the TIFF block
    std::vector<uint8_t> s = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    const std::vector<uint8_t> tiff = MinimalTiff(o);
    s.insert(s.end(), tiff.begin(), tiff.end());
    Put(&s[2], (uint32_t)s.size() - 2, 2, true);
    return s;
}

std::vector<uint8_t> MinimalTiff(Orientation o) {
    bool be = o.big_endian;
    // TIFF header 8 + count 2 + entry 12 + next 4
    std::vector<uint8_t> s(26, 0);
    uint8_t* tiff = s.data();
    tiff[0] = tiff[1] = be ? 'M' : 'I';
    Put(tiff + 2, 42, 2, be);
    Put(tiff + 4, 8, 4, be);
    Put(tiff + 8, 1, 2, be);
    Put(tiff + 10, 0x0112, 2, be);
    Put(tiff + 12, 3, 2, be);
    Put(tiff + 14, 1, 4, be);
    Put(tiff + 18, (uint32_t)o.value, 2, be);
    // tiff + 22: next IFD offset 0, already zero.
    return s;
}

}  // namespace jhead
