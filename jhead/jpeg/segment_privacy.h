// The kinds of personal information in one JPEG header segment, read by
// the metadata readers that every picture kind shares.
#pragma once
#include <cstddef>
#include <cstdint>
#include "jpeg/extended_xmp.h"
#include "jpeg/flir_file.h"
#include "jpeg/segment_kind.h"
#include "metadata/findings.h"

namespace jhead {

// Blocks split over several segments, read once all their pieces are in.
struct SplitBlocks {
    ExtendedXmp xmp;
    FlirFile flir;
    void Scan(Findings* f) const {
        xmp.Scan(f);
        flir.Scan(f);
    }
};

// One complete header segment: payload is what follows its length field.
// Pieces of split blocks go to *split; without it, each is read on its own.
void FindPrivate(uint8_t marker, Kind kind, const uint8_t* payload, size_t n, Findings* f,
                 SplitBlocks* split = nullptr);

}  // namespace jhead
