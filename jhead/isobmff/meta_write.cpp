#include "isobmff/meta_write.h"

#include <algorithm>

namespace jhead {

bool MetaEdit::Removed(uint32_t id) const {
    return std::binary_search(removed.begin(), removed.end(), id);
}

// The payload of a rebuilt full box starts with the original's version and flags.
static void PutFullBox(std::vector<uint8_t>* out, const uint8_t* p, const Box& b,
                       const std::vector<uint8_t>& body) {
    PutBoxHeader(out, b.type, b.header + 4 + body.size(), b.header == 16);
    out->insert(out->end(), p + b.payload(), p + b.payload() + 4);
    out->insert(out->end(), body.begin(), body.end());
}

static std::vector<uint8_t> IinfBody(const uint8_t* p, const Meta& m, const MetaEdit& e) {
    std::vector<uint8_t> body;
    size_t kept = 0;
    for (const ItemInfo& i : m.items) kept += !e.Removed(i.id);
    PutBe(&body, kept, m.iinf_version == 0 ? 2 : 4);
    for (const ItemInfo& i : m.items) {
        if (!e.Removed(i.id)) body.insert(body.end(), p + i.at, p + i.at + i.size);
    }
    return body;
}

static std::vector<uint8_t> IlocBody(const uint8_t* p, const Box& b, const LocationTable& t) {
    std::vector<uint8_t> body(p + b.payload() + 4, p + b.payload() + 6);  // the field sizes
    const int id_size = t.version < 2 ? 2 : 4;
    PutBe(&body, t.items.size(), id_size);
    for (const Location& loc : t.items) {
        PutBe(&body, loc.item, id_size);
        if (t.version >= 1) PutBe(&body, loc.method, 2);
        PutBe(&body, 0, 2);  // data reference: this file
        PutBe(&body, loc.base, t.base_size);
        PutBe(&body, loc.extents.size(), 2);
        for (const Extent& x : loc.extents) {
            PutBe(&body, x.index, t.index_size);
            PutBe(&body, x.offset, t.offset_size);
            PutBe(&body, x.length, t.length_size);
        }
    }
    return body;
}

static std::vector<uint8_t> IrefBody(const Meta& m, const MetaEdit& e) {
    std::vector<uint8_t> body;
    const int id_size = m.iref_version == 0 ? 2 : 4;
    for (const Reference& r : e.refs) {
        PutBoxHeader(&body, r.type, 8 + id_size + 2 + r.to.size() * id_size, false);
        PutBe(&body, r.from, id_size);
        PutBe(&body, r.to.size(), 2);
        for (uint32_t to : r.to) PutBe(&body, to, id_size);
    }
    return body;
}

static void PutIdat(std::vector<uint8_t>* out, const uint8_t* p, const Box& b,
                    const std::vector<Range>& cuts) {
    uint64_t size = b.size - b.header;
    for (const Range& c : cuts) size -= c.size;
    PutBoxHeader(out, b.type, b.header + size, b.header == 16);
    uint64_t at = 0;
    const uint8_t* data = p + b.payload();
    for (const Range& c : cuts) {
        out->insert(out->end(), data + at, data + c.offset);
        at = c.end();
    }
    out->insert(out->end(), data + at, p + b.end());
}

std::vector<uint8_t> BuildMeta(const uint8_t* p, const Meta& m, const MetaEdit& e) {
    std::vector<uint8_t> body(p + (m.large ? 16 : 8), p + (m.large ? 20 : 12));
    for (const Box& b : m.children) {
        switch (b.type) {
            case Fourcc("iinf"):
                PutFullBox(&body, p, b, IinfBody(p, m, e));
                break;
            case Fourcc("iloc"):
                PutFullBox(&body, p, b, IlocBody(p, b, e.iloc));
                break;
            case Fourcc("iref"):
                // A reference box left without references goes too.
                if (!e.refs.empty()) PutFullBox(&body, p, b, IrefBody(m, e));
                break;
            case Fourcc("idat"):
                PutIdat(&body, p, b, e.idat_cuts);
                break;
            default:
                body.insert(body.end(), p + b.offset, p + b.end());
        }
    }
    std::vector<uint8_t> out;
    PutBoxHeader(&out, Fourcc("meta"), (m.large ? 16 : 8) + body.size(), m.large);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace jhead
