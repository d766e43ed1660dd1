// Every item's bytes of a HEIF/AVIF file, by item id, as its iloc names
// them: what a cleaned file must keep for each item it keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "isobmff/layout.h"

namespace jhead_test {

using ItemBytes = std::map<uint32_t, std::vector<uint8_t>>;

// False when the file's structure cannot be read.
inline bool ReadItems(const uint8_t* data, size_t size, ItemBytes* items) {
    using namespace jhead;
    MemorySource src(data, size);
    TopLevel top;
    if (ReadTopLevel(src, &top).refused()) return false;
    const Box& box = top.boxes[top.meta];
    const uint8_t* meta_bytes = data + box.offset;
    Meta meta;
    if (!ParseMeta(meta_bytes, (size_t)box.size, &meta).empty()) return false;
    for (const Location& loc : meta.iloc.items) {
        std::vector<uint8_t>& out = (*items)[loc.item];
        const uint8_t* base = data;
        uint64_t limit = size;
        if (loc.method == kIdatOffset) {
            if (meta.idat < 0) return false;
            const Box& idat = meta.children[meta.idat];
            base = meta_bytes + idat.payload();
            limit = idat.size - idat.header;
        }
        for (const Extent& x : loc.extents) {
            Range r;
            if (!AbsoluteRange(loc, x, &r) || r.end() > limit) return false;
            out.insert(out.end(), base + r.offset, base + r.end());
        }
    }
    return true;
}

}  // namespace jhead_test
