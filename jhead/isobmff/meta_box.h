// The meta box of a HEIF/AVIF picture read into what the cleaner edits:
// the items (iinf), where their bytes are (iloc), how they refer to each
// other (iref) and the idat box. Every other child (hdlr, pitm, dinf, iprp
// with the properties: rotation, mirroring, colour profiles) is copied as
// it is. Anything not understood is refused, never guessed.
#pragma once

#include <string>
#include <vector>

#include "isobmff/box.h"

namespace jhead {

struct Extent {
    uint64_t index = 0;
    uint64_t offset = 0;
    uint64_t length = 0;
};

// Construction methods: bytes of the file, or of the idat box.
enum : uint8_t { kFileOffset = 0, kIdatOffset = 1 };

struct Location {
    uint32_t item = 0;
    uint8_t method = kFileOffset;
    uint64_t base = 0;
    std::vector<Extent> extents;
};

struct LocationTable {
    uint8_t version = 0;
    int offset_size = 0, length_size = 0, base_size = 0, index_size = 0;
    std::vector<Location> items;
};

struct ItemInfo {
    uint32_t id = 0;
    uint32_t type = 0;
    std::string content_type;      // of a "mime" item
    std::string content_encoding;  // of a "mime" item: "deflate" when compressed
    size_t at = 0, size = 0;       // the infe box, in the meta box's bytes
};

struct Reference {
    uint32_t type = 0;
    uint32_t from = 0;
    std::vector<uint32_t> to;
};

struct Meta {
    std::vector<Box> children;  // offsets in the meta box's bytes
    uint32_t primary = 0;       // pitm, 0 when there is none
    uint8_t iinf_version = 0;
    std::vector<ItemInfo> items;
    LocationTable iloc;
    uint8_t iref_version = 0;
    std::vector<Reference> refs;
    int idat = -1;       // in children, or -1
    bool large = false;  // the meta box had a 64-bit size
};

// p: the whole meta box, n bytes. Empty text when it was read whole, else
// plain words for why it was refused.
std::string ParseMeta(const uint8_t* p, size_t n, Meta* m);

}  // namespace jhead
