// The kinds of personal information in one JPEG header segment, read by
// the metadata readers that every picture kind shares.
#pragma once
#include <cstddef>
#include <cstdint>
#include "jpeg/extended_xmp.h"
#include "jpeg/segment_kind.h"
#include "metadata/findings.h"

namespace jhead {

// One complete header segment: payload is what follows its length field.
// Chunks of an extended XMP packet go to *extended, to be read once all are
// in; without it, each is read on its own.
void FindPrivate(uint8_t marker, Kind kind, const uint8_t* payload, size_t n, Findings* f,
                 ExtendedXmp* extended = nullptr);

}  // namespace jhead
