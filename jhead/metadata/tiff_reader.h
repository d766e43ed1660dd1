// Bounded reading of a TIFF structure (the body of Exif and MPF blocks):
// directories and their values are read only where they lie wholly inside
// the block; anything pointing outside it is skipped and marks the block
// damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jhead {

struct TiffEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    const uint8_t* value = nullptr;  // inside the block, or null when it is not
    size_t size = 0;                 // bytes of value
};

class TiffReader {
public:
    // p: the TIFF header ("II*\0" or "MM\0*") and what follows, n bytes.
    TiffReader(const uint8_t* p, size_t n);
    bool ok() const { return ok_; }
    bool damaged() const { return damaged_; }
    uint32_t first_ifd() const { return first_; }

    // Entries of the directory at offset (from the TIFF header), as many as
    // lie inside the block; *next gets the next directory's offset (0 for
    // none).
    std::vector<TiffEntry> ReadIfd(uint32_t offset, uint32_t* next);

    uint32_t Get(const uint8_t* p, int bytes) const;
    // The first value of an entry as an unsigned number (BYTE, SHORT, LONG).
    uint32_t Number(const TiffEntry& e) const;

private:
    const uint8_t* p_;
    size_t n_;
    bool big_endian_ = false;
    bool ok_ = false;
    bool damaged_ = false;
    uint32_t first_ = 0;
};

// Bytes per value of a TIFF type; 0 for an unknown type.
size_t TiffTypeSize(uint16_t type);

}  // namespace jhead
