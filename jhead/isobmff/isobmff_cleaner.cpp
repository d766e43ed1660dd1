#include "isobmff/isobmff_cleaner.h"

#include <algorithm>

#include "container/inflate.h"
#include "isobmff/layout.h"
#include "isobmff/references.h"
#include "isobmff/self_check.h"
#include "isobmff/top_level.h"
#include "metadata/readers.h"

namespace jhead {

static const char kDamaged[] = "HEIF 结构已损坏";
static const char kTooLarge[] = "HEIF 元数据区过大";
static const char kTangled[] = "HEIF 中的元数据与图像数据位置交叠，无法安全移除";
static const char kSelfCheck[] = "清理结果未通过自检";

constexpr uint64_t kMaxMeta = 16 << 20;
// Metadata items larger than this are removed unread.
constexpr uint64_t kMaxScan = 4 << 20;

static HeifPlanHook g_plan_hook = nullptr;

static bool IsExif(const ItemInfo& i) { return i.type == Fourcc("Exif"); }

// Every XMP item goes, those holding only how to render an HDR gain map
// too: they tell nothing personal, but a cleaned file should show no
// metadata at all, and the gain map's strength lives in the maker notes,
// which go with the Exif item anyway.
static bool IsXmp(const ItemInfo& i) {
    return i.type == Fourcc("mime") && i.content_type == "application/rdf+xml";
}

static Refusal ReadMeta(Source& src, const Box& box, HeifJob* j) {
    if (box.size > kMaxMeta) return {false, kTooLarge};
    j->meta_bytes.resize((size_t)box.size);
    if (!src.ReadAt(box.offset, j->meta_bytes.data(), j->meta_bytes.size()))
        return {src.failed(), kDamaged};
    return {false, ParseMeta(j->meta_bytes.data(), j->meta_bytes.size(), &j->meta)};
}

static bool DuplicateIds(std::vector<uint32_t> ids) {
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) != ids.end();
}

static bool RepeatedLocation(const std::vector<std::pair<uint32_t, size_t>>& by_id) {
    for (size_t i = 1; i < by_id.size(); i++) {
        if (by_id[i].first == by_id[i - 1].first) return true;
    }
    return false;
}

// The Exif and XMP items; false when ids repeat, so an item is ambiguous.
static bool ChooseRemoved(HeifJob* j) {
    std::vector<uint32_t> info_ids;
    for (const ItemInfo& i : j->meta.items) {
        info_ids.push_back(i.id);
        if (IsExif(i) || IsXmp(i)) j->edit.removed.push_back(i.id);
    }
    std::sort(j->edit.removed.begin(), j->edit.removed.end());
    for (size_t i = 0; i < j->meta.iloc.items.size(); i++)
        j->by_id.emplace_back(j->meta.iloc.items[i].item, i);
    std::sort(j->by_id.begin(), j->by_id.end());
    return !DuplicateIds(info_ids) && !RepeatedLocation(j->by_id);
}

// The item's bytes, for the report; empty when too large or not there.
static std::vector<uint8_t> ItemBytes(Source& src, const HeifJob& j, const Location& loc) {
    std::vector<uint8_t> bytes;
    for (const Extent& x : loc.extents) {
        Range r;
        // Compared so that a length near 2^64 cannot wrap around.
        if (!AbsoluteRange(loc, x, &r) || r.size > kMaxScan - bytes.size()) return {};
        if (!r.size) continue;  // an emptied item
        const size_t at = bytes.size();
        bytes.resize(at + (size_t)r.size);
        if (loc.method == kIdatOffset) {
            const Box& idat = j.meta.children[j.meta.idat];
            if (r.end() > idat.size - idat.header) return {};
            std::copy_n(j.meta_bytes.data() + idat.payload() + r.offset, r.size, &bytes[at]);
        } else if (!src.ReadAt(r.offset, &bytes[at], (size_t)r.size)) {
            return {};
        }
    }
    return bytes;
}

// The Exif item opens with the offset of its TIFF header ("Exif\0\0" usually between).
static void ScanItem(const ItemInfo& info, const std::vector<uint8_t>& b, Findings* f) {
    if (IsXmp(info) && info.content_encoding == "deflate") {
        std::vector<uint8_t> xmp;
        if (InflateText(b.data(), b.size(), &xmp, f))
            ScanXmp((const char*)xmp.data(), xmp.size(), f);
        return;
    }
    if (IsXmp(info)) return ScanXmp((const char*)b.data(), b.size(), f);
    if (b.size() < 4) return f->Damaged(Damage::Exif);
    const uint64_t skip = GetBe(b.data(), 4);
    if (skip > b.size() - 4) return f->Damaged(Damage::Exif);
    ScanExif(b.data() + 4 + skip, b.size() - 4 - (size_t)skip, f);
}

// The removed items' bytes as cuts in the file or in idat, their contents
// read for the report.
static Refusal CutRemoved(Source& src, HeifJob* j) {
    for (const ItemInfo& info : j->meta.items) {
        if (!j->edit.Removed(info.id)) continue;
        const Location* loc = j->FindLocation(info.id);
        if (!loc) continue;
        if (loc->method == kIdatOffset && j->meta.idat < 0) return {false, kDamaged};
        // A cut in idat that ran past its end would have the writer read past it.
        const Box* idat = loc->method == kIdatOffset ? &j->meta.children[j->meta.idat] : nullptr;
        uint64_t total = 0;
        for (const Extent& x : loc->extents) {
            Range r;
            if (!AbsoluteRange(*loc, x, &r)) return {false, kDamaged};
            if (idat && r.end() > idat->size - idat->header) return {false, kDamaged};
            // Other cleaners leave an emptied item behind: nothing to cut.
            if (r.size == 0) continue;
            (loc->method == kIdatOffset ? j->edit.idat_cuts : j->file_cuts).push_back(r);
            total += r.size;
        }
        const std::vector<uint8_t> bytes = ItemBytes(src, *j, *loc);
        if (src.failed()) return {true, ""};
        if (!bytes.empty()) ScanItem(info, bytes, &j->plan->summary.found);
        // Too large to read: removed all the same, but what it held is not known.
        if (bytes.empty() && total > 0) j->plan->summary.found.unread = true;
        j->plan->Removed(IsExif(info) ? "Exif" : "XMP", total);
    }
    MergeCuts(&j->file_cuts);
    MergeCuts(&j->edit.idat_cuts);
    return {};
}

Refusal PlanHeif(Source& src, EditPlan* plan) {
    HeifJob j(plan);
    Refusal r = ReadTopLevel(src, &j.top);
    plan->summary.kind = j.top.kind;
    if (r.refused()) return r;
    r = ReadMeta(src, j.top.boxes[j.top.meta], &j);
    if (r.refused()) return r;
    if (!ChooseRemoved(&j)) return {false, kDamaged};
    for (const Box& b : j.top.boxes) {
        if (!KeptAtTopLevel(b.type)) plan->Removed("其他数据块", b.size);
    }
    if (j.edit.removed.empty() && !plan->RemovesAnything()) {
        plan->Copy(0, src.size);
        return {};
    }
    const std::string why = KeepReferences(j.meta, &j.edit);
    if (!why.empty()) return {false, why};
    r = CutRemoved(src, &j);
    if (r.refused()) return r;
    if (!PlaceCuts(j)) return {false, kTangled};
    std::string moved = MoveLocations(&j);
    if (!moved.empty()) return {false, moved};
    const std::vector<uint8_t> new_meta = BuildMeta(j.meta_bytes.data(), j.meta, j.edit);
    plan->pieces.clear();
    LayOut(j, new_meta, plan, nullptr);
    if (g_plan_hook) g_plan_hook(plan);
    if (!SelfCheck(src, j, *plan)) {
        plan->pieces.clear();
        return Broken(src, kSelfCheck);  // a failed read is no failed check
    }
    return {};
}

void SetHeifPlanHook(HeifPlanHook hook) { g_plan_hook = hook; }

}  // namespace jhead
