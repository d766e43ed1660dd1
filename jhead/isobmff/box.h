// Boxes of the ISO base media file format (HEIC, HEIF, AVIF): a 32-bit size
// and a four-character type, a 64-bit size after the type when the first is
// 1, and size 0 for "to the end of the file". Every size is checked against
// the bytes that hold it before anything is read inside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/byte_order.h"

namespace jhead {

constexpr uint32_t Fourcc(const char (&s)[5]) {
    return (uint32_t)(uint8_t)s[0] << 24 | (uint32_t)(uint8_t)s[1] << 16 |
           (uint32_t)(uint8_t)s[2] << 8 | (uint8_t)s[3];
}

struct Box {
    uint32_t type = 0;
    uint64_t offset = 0;  // of the size field, in whatever holds the box
    uint64_t header = 0;  // 8, or 16 with a 64-bit size
    uint64_t size = 0;    // the whole box, header included
    bool to_end = false;  // written with size 0
    uint64_t end() const { return offset + size; }
    uint64_t payload() const { return offset + header; }
};

// Bytes [offset, offset + size) of a file or of a box's payload.
struct Range {
    uint64_t offset = 0;
    uint64_t size = 0;
    uint64_t end() const { return offset + size; }
};

// The header of the box at offset, whose container ends at end. head holds
// the available bytes from offset (up to 16). False when the box does not
// fit; a size of 0 stretches to end, which only the caller can allow.
bool ParseBoxHeader(const uint8_t* head, size_t avail, uint64_t offset, uint64_t end, Box* b);

// Big-endian numbers of 0 to 8 bytes.
void PutBe(std::vector<uint8_t>* out, uint64_t v, int bytes);
// A box header in the same form (32- or 64-bit size) as a box it replaces.
void PutBoxHeader(std::vector<uint8_t>* out, uint32_t type, uint64_t size, bool large);

// Sequential reading of a box's fields; any read past the end makes it fail
// for good, so a parser checks once at the end of a step.
struct Cursor {
    const uint8_t* p;
    size_t n;
    size_t pos = 0;
    bool ok = true;
    Cursor(const uint8_t* data, size_t size) : p(data), n(size) {}
    uint64_t Get(int bytes);
    bool Skip(size_t bytes);
    // A NUL-terminated string; the cursor moves past its NUL.
    const char* String(size_t* len);
    size_t left() const { return n - pos; }
};

}  // namespace jhead
