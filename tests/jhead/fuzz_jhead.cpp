// libFuzzer target for the parsers (JPEG, PNG, WebP, HEIF/AVIF), the search
// for personal information, the report lines and the writers (built with
// -DJHEAD_FUZZ=ON and clang; scripts/fuzz-jhead.sh runs it): no crash or
// hang on any input, and whatever it writes keeps the input's picture
// segments and picture data exactly, in their order, less only what the
// plan says it removed, and holds no personal information any more. HEIF
// and AVIF outputs also keep every item they keep byte for byte.
#include <cstdlib>

#include "heif_items.h"
#include "isobmff/isobmff_cleaner.h"
#include "jpeg/cleaner.h"
#include "picture_kind.h"
#include "png/png_cleaner.h"
#include "report.h"
#include "webp/webp_cleaner.h"

using namespace jhead;

namespace {

#define Check(ok) (ok) ? (void)0 : abort()

// Kept header segments, except those a cleaned file holds in a new form
// (the minimal Exif, JFIF without thumbnail), then the picture data from the
// first scan on, less the cuts.
std::vector<uint8_t> Essence(const uint8_t* data, const Plan& plan) {
    std::vector<uint8_t> bytes;
    for (const Segment& s : plan.segments) {
        if (s.keep && s.kind != Kind::Exif && s.kind != Kind::Jfif) {
            bytes.insert(bytes.end(), data + s.offset, data + s.offset + s.size);
        }
    }
    uint64_t at = plan.scan_start;
    for (const Cut& c : plan.cuts) {
        bytes.insert(bytes.end(), data + at, data + c.offset);
        at = c.offset + c.size;
    }
    bytes.insert(bytes.end(), data + at, data + plan.picture_end);
    return bytes;
}

// A container picture: its report line made even when refused; planned,
// written as planned, and the output planned again with nothing left to
// remove and the same orientation. A HEIF or AVIF it cleans keeps every
// item it keeps byte for byte.
int FuzzContainer(Refusal (*plan_kind)(Source&, EditPlan*), const uint8_t* data, size_t size) {
    MemorySource src(data, size);
    EditPlan plan, again;
    const bool refused = plan_kind(src, &plan).refused();
    Check(!InfoLine("p", plan.summary, size).empty());
    if (refused) return 0;
    MemoryOutput out;
    Check(WritePlan(src, &plan, &out) == PlanWriteError::None);
    Check(!CleanedLine("p", plan.summary, size, 1).empty() &&
          out.bytes.size() == plan.summary.size_after);
    MemorySource written(out.bytes.data(), out.bytes.size());
    Check(!plan_kind(written, &again).refused());
    Check(!again.RemovesAnything() && again.summary.found.kinds == 0);
    Check(again.summary.orientation == plan.summary.orientation);
    if (plan_kind != PlanHeif || !plan.RemovesAnything()) return 0;
    Check(out.bytes.size() < size);
    jhead_test::ItemBytes before, after;
    Check(jhead_test::ReadItems(data, size, &before));
    Check(jhead_test::ReadItems(out.bytes.data(), out.bytes.size(), &after));
    for (const auto& [id, bytes] : after) Check(before.count(id) && before[id] == bytes);
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PictureKind kind = SniffKind(data, size < kSniffBytes ? size : kSniffBytes);
    if (kind == PictureKind::Png) return FuzzContainer(PlanPng, data, size);
    if (kind == PictureKind::Webp) return FuzzContainer(PlanWebp, data, size);
    if (kind == PictureKind::IsoMedia) return FuzzContainer(PlanHeif, data, size);
    Plan plan, again;
    MemoryOutput out, out2;
    bool wrote, wrote2;
    ParseError e = CleanInMemory(data, size, &plan, &out, &wrote);
    // Report mode's line, and the one for a cleaned picture.
    if (e == ParseError::None) Check(!InfoLine("p", SummaryOf(plan), size).empty());
    if (e != ParseError::None || !wrote) {
        Check(!wrote && out.bytes.empty());
        return 0;
    }
    Check(!CleanedLine("p", SummaryOf(plan), size, 1).empty());
    const std::vector<uint8_t>& o = out.bytes;
    Check(plan.size_after == o.size());
    Check(o.size() >= 2 && o[0] == 0xFF && o[1] == 0xD8);
    Check(plan.picture_end + plan.removed[(int)Kind::Trailer] == size);

    // The output parses, with the same picture segments and picture data.
    Check(CleanInMemory(o.data(), o.size(), &again, &out2, &wrote2) == ParseError::None);
    Check(Essence(data, plan) == Essence(o.data(), again));
    if (plan.orientation.value >= 2) Check(again.orientation.value == plan.orientation.value);

    // Nothing left to remove: a second run leaves the file alone.
    Check(!wrote2);
    Check(again.found.kinds == 0);
    return 0;
}
