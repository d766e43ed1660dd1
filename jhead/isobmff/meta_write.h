// Writes the meta box of the cleaned picture: the removed items' entries
// gone from iinf, iloc and iref, their bytes cut out of idat, every other
// child copied byte for byte.
#pragma once

#include "isobmff/meta_box.h"

namespace jhead {

struct MetaEdit {
    std::vector<uint32_t> removed;  // item ids, sorted
    LocationTable iloc;             // the kept items' locations, already moved
    std::vector<Reference> refs;    // the references that stay
    std::vector<Range> idat_cuts;   // sorted, not overlapping, inside idat's payload
    bool Removed(uint32_t id) const;
};

// p: the original meta box that m was read from.
std::vector<uint8_t> BuildMeta(const uint8_t* p, const Meta& m, const MetaEdit& e);

}  // namespace jhead
