// PNG and WebP files built chunk by chunk for the tests, and a container
// planned and written in memory.
#pragma once

#include "container/edit_plan.h"
#include "jpeg_samples.h"

namespace jhead_test {

// Length, type, data, CRC (crc_flip: a bit of the CRC turned).
Bytes PngChunk(const char* type, const Bytes& data, uint32_t crc_flip = 0);
// The signature, IHDR, then chunks, IDAT and IEND.
Bytes Png(const Bytes& chunks);
// Four-character code, little-endian size, payload, pad byte when odd.
Bytes WebpChunk(const char* fourcc, const Bytes& payload);
// The RIFF header with the right size, then the chunks.
Bytes Webp(const Bytes& chunks);
// The TIFF block of ExifSegment.
Bytes ExifTiff(int orientation, bool big_endian);

// A container planned, and written when not refused.
struct Planned {
    Planned(jhead::Refusal (*plan_kind)(jhead::Source&, jhead::EditPlan*), const Bytes& in);
    jhead::EditPlan plan;
    jhead::Refusal refusal;
    Bytes out;
    uint64_t Removed(const std::string& name) const;
};

}  // namespace jhead_test
