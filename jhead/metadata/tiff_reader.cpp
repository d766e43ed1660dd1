#include "metadata/tiff_reader.h"

#include "platform/byte_order.h"

namespace jhead {

size_t TiffTypeSize(uint16_t type) {
    // BYTE ASCII SHORT LONG RATIONAL SBYTE UNDEFINED SSHORT SLONG SRATIONAL
    // FLOAT DOUBLE IFD
    static const uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizeof kSizes ? kSizes[type] : 0;
}

TiffReader::TiffReader(const uint8_t* p, size_t n) : p_(p), n_(n) {
    if (n < 8) return;
    if (p[0] == 'I' && p[1] == 'I') {
        big_endian_ = false;
    } else if (p[0] == 'M' && p[1] == 'M') {
        big_endian_ = true;
    } else {
        return;
    }
    if (Get(p + 2, 2) != 42) return;
    ok_ = true;
    first_ = Get(p + 4, 4);
}

uint32_t TiffReader::Get(const uint8_t* p, int bytes) const {
    return (uint32_t)(big_endian_ ? GetBe(p, bytes) : GetLe(p, bytes));
}

uint32_t TiffReader::Number(const TiffEntry& e) const {
    if (e.value == nullptr || e.size == 0) return 0;
    size_t unit = TiffTypeSize(e.type);
    return unit == 1 || unit == 2 || unit == 4 ? Get(e.value, (int)unit) : 0;
}

std::vector<TiffEntry> TiffReader::ReadIfd(uint32_t offset, uint32_t* next) {
    *next = 0;
    if (!ok_ || offset < 8 || (uint64_t)offset + 2 > n_) {
        damaged_ = true;
        return {};
    }
    uint64_t count = Get(p_ + offset, 2);
    uint64_t end = offset + 2 + 12 * count;
    if (end > n_) {
        // Read the entries that fit; the rest of the directory is lost.
        damaged_ = true;
        count = (n_ - offset - 2) / 12;
    } else if (end + 4 <= n_) {
        *next = Get(p_ + end, 4);
    }
    std::vector<TiffEntry> out;
    out.reserve((size_t)count);
    for (uint64_t i = 0; i < count; i++) {
        const uint8_t* e = p_ + offset + 2 + 12 * i;
        TiffEntry t;
        t.tag = (uint16_t)Get(e, 2);
        t.type = (uint16_t)Get(e + 2, 2);
        t.count = Get(e + 4, 4);
        uint64_t size = (uint64_t)TiffTypeSize(t.type) * t.count;
        if (size <= 4) {
            t.value = e + 8;
        } else {
            uint64_t at = Get(e + 8, 4);
            if (at + size <= n_) {
                t.value = p_ + at;
            } else {
                damaged_ = true;
            }
        }
        if (t.value != nullptr) t.size = (size_t)size;
        out.push_back(t);
    }
    return out;
}

}  // namespace jhead
