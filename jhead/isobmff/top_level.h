// The top-level boxes of a HEIF/AVIF file: the file type with its brands,
// one meta box, the media data boxes and padding. Anything else (a movie's
// moov, an unknown box that may hold offsets) is refused.
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

// "AVIF", "HEIC" or "HEIF" from the ftyp payload; null when the brands say
// it is no still picture (a video, a QuickTime movie).
const char* KindFromBrands(const uint8_t* ftyp_payload, size_t n);

}  // namespace jhead
