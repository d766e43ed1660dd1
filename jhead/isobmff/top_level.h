// The top-level boxes of a HEIF/AVIF file: the file type with its brands,
// one meta box, the media data boxes and padding. A movie (moov) is
// refused; any other box (a phone's motion-photo video, a camera's own
// metadata) plays no part in the pictures and is dropped, unless an item's
// bytes lie in it.
#pragma once

#include <string>

#include "container/edit_plan.h"
#include "isobmff/box.h"

namespace jhead {

struct TopLevel {
    std::vector<Box> boxes;  // in file order, covering the whole file
    int meta = -1;           // index in boxes
    const char* kind = "HEIF";
};

Refusal ReadTopLevel(Source& src, TopLevel* t);

// The boxes a cleaned file keeps (the meta box rewritten).
bool KeptAtTopLevel(uint32_t type);

// "AVIF", "HEIC" or "HEIF" from the ftyp payload; null when the brands say
// it is no still picture (a video, a QuickTime movie).
const char* KindFromBrands(const uint8_t* ftyp_payload, size_t n);

}  // namespace jhead
