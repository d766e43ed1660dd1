#include "isobmff/meta_box.h"

#include <algorithm>

namespace jhead {

static const char kDamaged[] = "HEIF 结构已损坏";
static const char kUnknown[] = "HEIF 结构无法识别";

// The children of a container box's payload, which must fill it exactly.
static bool ReadChildren(const uint8_t* p, uint64_t from, uint64_t end, std::vector<Box>* out) {
    for (uint64_t at = from; at < end;) {
        Box b;
        if (!ParseBoxHeader(p + at, (size_t)(end - at), at, end, &b) || b.to_end) return false;
        out->push_back(b);
        at = b.end();
    }
    return true;
}

static bool ReadPitm(const uint8_t* p, const Box& b, Meta* m) {
    Cursor c(p + b.payload(), (size_t)(b.size - b.header));
    const uint64_t version = c.Get(1);
    c.Skip(3);
    m->primary = (uint32_t)c.Get(version == 0 ? 2 : 4);
    return c.ok && version <= 1;
}

static std::string ReadInfe(const uint8_t* p, const Box& b, Meta* m) {
    Cursor c(p + b.payload(), (size_t)(b.size - b.header));
    const uint64_t version = c.Get(1);
    c.Skip(3);
    // Older entries carry no item type, so metadata in them cannot be told apart.
    if (c.ok && (version < 2 || version > 3)) return kUnknown;
    ItemInfo info;
    info.id = (uint32_t)c.Get(version == 2 ? 2 : 4);
    c.Skip(2);  // protection index
    info.type = (uint32_t)c.Get(4);
    // Only a "mime" item's content type matters; some writers leave other
    // items' names out altogether.
    if (info.type == Fourcc("mime")) {
        size_t len;
        c.String(&len);  // item name
        const char* s = c.String(&len);
        info.content_type.assign(s, len);
        if (c.ok && c.left() > 0) {
            s = c.String(&len);
            info.content_encoding.assign(s, len);
        }
    }
    if (!c.ok) return kDamaged;
    info.at = (size_t)b.offset;
    info.size = (size_t)b.size;
    m->items.push_back(std::move(info));
    return "";
}

static std::string ReadIinf(const uint8_t* p, const Box& b, Meta* m) {
    Cursor c(p + b.payload(), (size_t)(b.size - b.header));
    m->iinf_version = (uint8_t)c.Get(1);
    c.Skip(3);
    const uint64_t count = c.Get(m->iinf_version == 0 ? 2 : 4);
    std::vector<Box> entries;
    if (!c.ok || !ReadChildren(p, b.payload() + c.pos, b.end(), &entries)) return kDamaged;
    if (m->iinf_version > 1 || entries.size() != count) return kUnknown;
    for (const Box& e : entries) {
        if (e.type != Fourcc("infe")) return kUnknown;
        std::string why = ReadInfe(p, e, m);
        if (!why.empty()) return why;
    }
    return "";
}

static bool ValidFieldSize(int n) { return n == 0 || n == 4 || n == 8; }

static std::string ReadIloc(const uint8_t* p, const Box& b, Meta* m) {
    Cursor c(p + b.payload(), (size_t)(b.size - b.header));
    LocationTable& t = m->iloc;
    t.version = (uint8_t)c.Get(1);
    c.Skip(3);
    const uint64_t sizes = c.Get(2);
    t.offset_size = (int)(sizes >> 12);
    t.length_size = (int)(sizes >> 8 & 15);
    t.base_size = (int)(sizes >> 4 & 15);
    t.index_size = t.version >= 1 ? (int)(sizes & 15) : 0;
    if (c.ok && t.version > 2) return kUnknown;
    if (!ValidFieldSize(t.offset_size) || !ValidFieldSize(t.length_size) ||
        !ValidFieldSize(t.base_size) || !ValidFieldSize(t.index_size)) {
        return kUnknown;
    }
    const int id_size = t.version < 2 ? 2 : 4;
    const uint64_t count = c.Get(id_size);
    for (uint64_t i = 0; c.ok && i < count; i++) {
        Location loc;
        loc.item = (uint32_t)c.Get(id_size);
        if (t.version >= 1) loc.method = (uint8_t)(c.Get(2) & 15);
        const uint64_t data_ref = c.Get(2);
        loc.base = c.Get(t.base_size);
        const uint64_t extents = c.Get(2);
        // Each extent takes at least a byte when any size is not 0; this
        // bounds the allocation by the box's size.
        if (!c.ok || extents > c.left() + 1) return kDamaged;
        // Another file's bytes, or bytes built from another item.
        if (data_ref != 0 || loc.method > kIdatOffset) return kUnknown;
        loc.extents.resize((size_t)extents);
        for (Extent& e : loc.extents) {
            e.index = c.Get(t.index_size);
            e.offset = c.Get(t.offset_size);
            e.length = c.Get(t.length_size);
        }
        t.items.push_back(std::move(loc));
    }
    return c.ok && c.left() == 0 ? "" : kDamaged;
}

static std::string ReadIref(const uint8_t* p, const Box& b, Meta* m) {
    Cursor c(p + b.payload(), (size_t)(b.size - b.header));
    m->iref_version = (uint8_t)c.Get(1);
    c.Skip(3);
    std::vector<Box> entries;
    if (!c.ok || !ReadChildren(p, b.payload() + 4, b.end(), &entries)) return kDamaged;
    if (m->iref_version > 1) return kUnknown;
    const int id_size = m->iref_version == 0 ? 2 : 4;
    for (const Box& e : entries) {
        Cursor r(p + e.payload(), (size_t)(e.size - e.header));
        Reference ref;
        ref.type = e.type;
        ref.from = (uint32_t)r.Get(id_size);
        const uint64_t count = r.Get(2);
        if (!r.ok || count * id_size != r.left()) return kDamaged;
        for (uint64_t i = 0; i < count; i++) ref.to.push_back((uint32_t)r.Get(id_size));
        m->refs.push_back(std::move(ref));
    }
    return "";
}

// Each of these at most once; several would leave the items ambiguous.
static bool Unique(const std::vector<Box>& boxes) {
    static const uint32_t kOnce[] = {Fourcc("hdlr"), Fourcc("pitm"), Fourcc("iinf"), Fourcc("iloc"),
                                     Fourcc("iref"), Fourcc("idat"), Fourcc("ipro")};
    for (uint32_t t : kOnce) {
        if (std::count_if(boxes.begin(), boxes.end(), [t](const Box& b) { return b.type == t; }) >
            1) {
            return false;
        }
    }
    return true;
}

static std::string ReadChild(const uint8_t* p, const Box& b, Meta* m) {
    switch (b.type) {
        case Fourcc("hdlr"):
            // The handler says what the items are; only pictures are cleaned.
            if (b.size < b.header + 12) return kDamaged;
            return GetBe(p + b.payload() + 8, 4) == Fourcc("pict") ? "" : kUnknown;
        case Fourcc("pitm"):
            return ReadPitm(p, b, m) ? "" : kDamaged;
        case Fourcc("iinf"):
            return ReadIinf(p, b, m);
        case Fourcc("iloc"):
            return ReadIloc(p, b, m);
        case Fourcc("iref"):
            return ReadIref(p, b, m);
        case Fourcc("ipro"):
            return kUnknown;  // protected (encrypted) items
        default:
            return "";
    }
}

std::string ParseMeta(const uint8_t* p, size_t n, Meta* m) {
    Box meta;
    if (!ParseBoxHeader(p, n, 0, n, &meta) || meta.size != n || meta.size < meta.header + 4)
        return kDamaged;
    m->large = meta.header == 16;
    if (GetBe(p + meta.header, 4) != 0) return kUnknown;  // version and flags
    if (!ReadChildren(p, meta.header + 4, n, &m->children)) return kDamaged;
    if (!Unique(m->children)) return kUnknown;
    bool has_hdlr = false, has_iinf = false, has_iloc = false;
    for (size_t i = 0; i < m->children.size(); i++) {
        const Box& b = m->children[i];
        std::string why = ReadChild(p, b, m);
        if (!why.empty()) return why;
        has_hdlr |= b.type == Fourcc("hdlr");
        has_iinf |= b.type == Fourcc("iinf");
        has_iloc |= b.type == Fourcc("iloc");
        if (b.type == Fourcc("idat")) m->idat = (int)i;
    }
    if (!has_hdlr || !has_iinf || !has_iloc) return kUnknown;
    return "";
}

}  // namespace jhead
