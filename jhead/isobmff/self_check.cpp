#include "isobmff/self_check.h"

#include <algorithm>
#include <cstring>

namespace jhead {

// The planned file, readable before it exists.
struct PlanSource : Source {
    Source& original;
    const EditPlan& plan;
    std::vector<uint64_t> starts;  // output offset of each piece
    PlanSource(Source& src, const EditPlan& p) : original(src), plan(p) {
        for (const Piece& piece : plan.pieces) {
            starts.push_back(size);
            size += piece.size;
        }
    }
    size_t PieceAt(uint64_t offset) const {
        return (size_t)(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) -
               1;
    }
    bool ReadAt(uint64_t offset, uint8_t* buf, size_t n) override {
        if (offset > size || n > size - offset) return false;
        for (size_t i = n ? PieceAt(offset) : 0; n > 0; i++) {
            const Piece& p = plan.pieces[i];
            const uint64_t in = offset - starts[i];
            const size_t take = (size_t)std::min<uint64_t>(n, p.size - in);
            if (!p.bytes.empty()) {
                memcpy(buf, p.bytes.data() + in, take);
            } else if (!original.ReadAt(p.offset + in, buf, take)) {
                return false;
            }
            buf += take;
            offset += take;
            n -= take;
        }
        return true;
    }
    bool failed() const override { return original.failed(); }
    // The original offset of output bytes r, when one copied piece holds them all.
    bool Origin(const Range& r, uint64_t* from) const {
        if (r.offset >= size) return false;
        const size_t i = PieceAt(r.offset);
        const Piece& p = plan.pieces[i];
        if (!p.bytes.empty() || r.end() > starts[i] + p.size) return false;
        *from = p.offset + (r.offset - starts[i]);
        return true;
    }
};

static const uint8_t* IdatData(const Meta& m, const std::vector<uint8_t>& bytes, uint64_t* n) {
    if (m.idat < 0) return nullptr;
    const Box& b = m.children[m.idat];
    *n = b.size - b.header;
    return bytes.data() + b.payload();
}

// One kept item's extents, before and after.
static bool SameBytes(const HeifJob& j, const Location& old, const Meta& again,
                      const std::vector<uint8_t>& again_bytes, const PlanSource& out,
                      const Location& now) {
    if (old.item != now.item || old.method != now.method ||
        old.extents.size() != now.extents.size()) {
        return false;
    }
    uint64_t old_n = 0, new_n = 0;
    const uint8_t* old_idat = IdatData(j.meta, j.meta_bytes, &old_n);
    const uint8_t* new_idat = IdatData(again, again_bytes, &new_n);
    for (size_t i = 0; i < old.extents.size(); i++) {
        Range a, b;
        if (!AbsoluteRange(old, old.extents[i], &a) || !AbsoluteRange(now, now.extents[i], &b) ||
            a.size != b.size) {
            return false;
        }
        if (old.method == kIdatOffset) {
            if (!old_idat || !new_idat || a.end() > old_n || b.end() > new_n ||
                memcmp(old_idat + a.offset, new_idat + b.offset, a.size) != 0) {
                return false;
            }
            continue;
        }
        uint64_t from;
        if (!out.Origin(b, &from) || from != a.offset) return false;
    }
    return true;
}

static bool SameItems(const HeifJob& j, const Meta& again) {
    size_t kept = 0;
    for (const ItemInfo& i : j.meta.items) {
        if (j.edit.Removed(i.id)) continue;
        if (kept >= again.items.size() || again.items[kept++].id != i.id) return false;
    }
    if (kept != again.items.size()) return false;
    for (const Reference& r : again.refs) {
        if (j.edit.Removed(r.from)) return false;
        for (uint32_t to : r.to) {
            if (j.edit.Removed(to)) return false;
        }
    }
    return true;
}

bool SelfCheck(Source& src, const HeifJob& j, const EditPlan& plan) {
    PlanSource out(src, plan);
    TopLevel top;
    const size_t kept = (size_t)std::count_if(j.top.boxes.begin(), j.top.boxes.end(),
                                              [](const Box& b) { return KeptAtTopLevel(b.type); });
    if (ReadTopLevel(out, &top).refused() || top.boxes.size() != kept) return false;
    const Box& box = top.boxes[top.meta];
    std::vector<uint8_t> bytes((size_t)box.size);
    Meta again;
    if (!out.ReadAt(box.offset, bytes.data(), bytes.size()) ||
        !ParseMeta(bytes.data(), bytes.size(), &again).empty() || !SameItems(j, again)) {
        return false;
    }
    size_t next = 0;
    for (const Location& old : j.meta.iloc.items) {
        if (j.edit.Removed(old.item)) continue;
        if (next >= again.iloc.items.size() ||
            !SameBytes(j, old, again, bytes, out, again.iloc.items[next++])) {
            return false;
        }
    }
    return next == again.iloc.items.size();
}

}  // namespace jhead
