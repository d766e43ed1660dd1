// Where every byte of a HEIF/AVIF picture goes once its metadata items are
// removed: the new meta box in place of the old, the media data boxes with
// the items' bytes cut out and their sizes rewritten, everything else
// copied; and the new offsets of the items that stay.
#pragma once

#include <string>

#include "container/edit_plan.h"
#include "isobmff/meta_write.h"
#include "isobmff/top_level.h"

namespace jhead {

// A range copied from the original: size bytes from `from` land at `to`.
struct Span {
    uint64_t from = 0, size = 0, to = 0;
};

// What the planning steps share.
struct HeifJob {
    explicit HeifJob(EditPlan* p) : plan(p) {}
    EditPlan* plan;
    TopLevel top;
    std::vector<uint8_t> meta_bytes;  // the original meta box
    Meta meta;
    MetaEdit edit;
    std::vector<Range> file_cuts;           // sorted, merged
    std::vector<Span> spans;                // sorted by from
    std::vector<uint64_t> idat_cut_before;  // bytes cut from idat ahead of each cut, and in all
    std::vector<std::pair<uint32_t, size_t>> by_id;  // item id, index in meta.iloc, sorted
    const Location* FindLocation(uint32_t id) const;
};

// The bytes an extent names: base plus offset, in the file or in idat.
// False when the sum overflows.
bool AbsoluteRange(const Location& loc, const Extent& x, Range* r);

// Sorts the cuts and joins those that touch or overlap.
void MergeCuts(std::vector<Range>* cuts);

// False unless every file cut lies inside the payload of a media data box.
bool PlaceCuts(const HeifJob& j);

// Fills j->edit.iloc with the kept items' locations at their new offsets;
// the text says why that cannot be done.
std::string MoveLocations(HeifJob* j);

// The new file as pieces into plan (when not null) and its copied ranges
// into spans (when not null).
void LayOut(const HeifJob& j, const std::vector<uint8_t>& new_meta, EditPlan* plan,
            std::vector<Span>* spans);

}  // namespace jhead
