#include "isobmff/layout.h"

#include <algorithm>

namespace jhead {

static const char kTangled[] = "HEIF 中的元数据与图像数据位置交叠，无法安全移除";
static const char kUnwritable[] = "HEIF 中的数据位置无法改写";

const Location* HeifJob::FindLocation(uint32_t id) const {
    auto it = std::lower_bound(by_id.begin(), by_id.end(), std::make_pair(id, (size_t)0));
    return it != by_id.end() && it->first == id ? &meta.iloc.items[it->second] : nullptr;
}

bool AbsoluteRange(const Location& loc, const Extent& x, Range* r) {
    if (x.offset > UINT64_MAX - loc.base) return false;
    r->offset = loc.base + x.offset;
    r->size = x.length;
    return r->size <= UINT64_MAX - r->offset;
}

void MergeCuts(std::vector<Range>* cuts) {
    std::sort(cuts->begin(), cuts->end(),
              [](const Range& a, const Range& b) { return a.offset < b.offset; });
    std::vector<Range> merged;
    for (const Range& c : *cuts) {
        if (!merged.empty() && c.offset <= merged.back().end()) {
            merged.back().size = std::max(merged.back().end(), c.end()) - merged.back().offset;
        } else {
            merged.push_back(c);
        }
    }
    *cuts = std::move(merged);
}

// The top-level box holding offset (boxes cover the file in order).
static const Box* BoxAt(const TopLevel& t, uint64_t offset) {
    auto it = std::upper_bound(t.boxes.begin(), t.boxes.end(), offset,
                               [](uint64_t o, const Box& b) { return o < b.offset; });
    return it == t.boxes.begin() ? nullptr : &*(it - 1);
}

bool PlaceCuts(const HeifJob& j) {
    for (const Range& c : j.file_cuts) {
        const Box* b = BoxAt(j.top, c.offset);
        if (!b || b->type != Fourcc("mdat") || c.offset < b->payload() || c.end() > b->end())
            return false;
    }
    return true;
}

void LayOut(const HeifJob& j, const std::vector<uint8_t>& new_meta, EditPlan* plan,
            std::vector<Span>* spans) {
    uint64_t out = 0;
    auto copy = [&](uint64_t from, uint64_t size) {
        if (plan) plan->Copy(from, size);
        if (spans && size > 0) spans->push_back({from, size, out});
        out += size;
    };
    auto insert = [&](std::vector<uint8_t> bytes) {
        out += bytes.size();
        if (plan) plan->Insert(std::move(bytes));
    };
    size_t next_cut = 0;
    for (size_t i = 0; i < j.top.boxes.size(); i++) {
        const Box& b = j.top.boxes[i];
        if ((int)i == j.top.meta) {
            insert(new_meta);
            continue;
        }
        if (!KeptAtTopLevel(b.type)) continue;
        size_t last = next_cut;
        uint64_t cut = 0;
        while (last < j.file_cuts.size() && j.file_cuts[last].offset < b.end())
            cut += j.file_cuts[last++].size;
        if (last == next_cut) {
            copy(b.offset, b.size);
            continue;
        }
        std::vector<uint8_t> header;
        PutBoxHeader(&header, b.type, b.to_end ? 0 : b.size - cut, b.header == 16);
        insert(std::move(header));
        uint64_t at = b.payload();
        for (; next_cut < last; next_cut++) {
            copy(at, j.file_cuts[next_cut].offset - at);
            at = j.file_cuts[next_cut].end();
        }
        copy(at, b.end() - at);
    }
}

// Where the kept bytes r of the original land; false when they do not stay
// together (a cut or a rewritten box inside them).
static bool MoveInFile(const std::vector<Span>& spans, const Range& r, uint64_t* to) {
    auto it = std::upper_bound(spans.begin(), spans.end(), r.offset,
                               [](uint64_t o, const Span& s) { return o < s.from; });
    if (it == spans.begin()) return false;
    const Span& s = *(it - 1);
    if (r.end() > s.from + s.size) return false;
    *to = s.to + (r.offset - s.from);
    return true;
}

// before[i]: the bytes of the cuts ahead of cut i, so that each extent
// costs a binary search.
static bool MoveInIdat(const std::vector<Range>& cuts, const std::vector<uint64_t>& before,
                       uint64_t idat_size, const Range& r, uint64_t* to) {
    if (r.end() > idat_size) return false;
    auto it = std::upper_bound(cuts.begin(), cuts.end(), r.offset,
                               [](uint64_t o, const Range& c) { return o < c.end(); });
    if (it != cuts.end() && it->offset < r.end()) return false;
    *to = r.offset - before[it - cuts.begin()];
    return true;
}

static bool Fits(uint64_t v, int bytes) { return bytes == 8 || v >> (8 * bytes) == 0; }

// Rewrites one location: the base moves with its first extent, each
// extent's offset follows from there.
static std::string MoveLocation(const HeifJob& j, Location* loc) {
    const LocationTable& t = j.edit.iloc;
    std::vector<uint64_t> moved;
    for (const Extent& x : loc->extents) {
        Range r;
        uint64_t to;
        if (!AbsoluteRange(*loc, x, &r) || r.size == 0) return kUnwritable;
        bool ok = false;
        if (loc->method == kIdatOffset && j.meta.idat >= 0) {
            const Box& idat = j.meta.children[j.meta.idat];
            ok = MoveInIdat(j.edit.idat_cuts, j.idat_cut_before, idat.size - idat.header, r, &to);
        } else if (loc->method == kFileOffset) {
            ok = MoveInFile(j.spans, r, &to);
        }
        if (!ok) return kTangled;
        moved.push_back(to);
    }
    if (moved.empty()) return "";
    if (t.base_size > 0) {
        const uint64_t first = loc->base + loc->extents[0].offset;
        if (first - moved[0] > loc->base) return kUnwritable;
        loc->base -= first - moved[0];  // never grows: the file only loses bytes
    }
    for (size_t i = 0; i < moved.size(); i++) {
        if (moved[i] < loc->base) return kUnwritable;
        loc->extents[i].offset = moved[i] - loc->base;
        if (!Fits(loc->extents[i].offset, t.offset_size)) return kUnwritable;
    }
    return Fits(loc->base, t.base_size) ? "" : kUnwritable;
}

std::string MoveLocations(HeifJob* j) {
    LocationTable& t = j->edit.iloc;
    t = j->meta.iloc;
    t.items.erase(std::remove_if(t.items.begin(), t.items.end(),
                                 [j](const Location& l) { return j->edit.Removed(l.item); }),
                  t.items.end());
    // The new meta box's size does not depend on the offsets it holds.
    const size_t meta_size = BuildMeta(j->meta_bytes.data(), j->meta, j->edit).size();
    j->spans.clear();
    LayOut(*j, std::vector<uint8_t>(meta_size), nullptr, &j->spans);
    j->idat_cut_before = {0};
    for (const Range& c : j->edit.idat_cuts)
        j->idat_cut_before.push_back(j->idat_cut_before.back() + c.size);
    for (Location& loc : t.items) {
        std::string why = MoveLocation(*j, &loc);
        if (!why.empty()) return why;
    }
    return "";
}

}  // namespace jhead
