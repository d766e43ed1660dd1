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
// Four-character code, little-endian size, payload, pad byte when odd;
// Webp(chunks) is WebpChunk("RIFF", "WEBP" + chunks).
Bytes WebpChunk(const char* fourcc, const Bytes& payload);

// The TIFF block of ExifSegment.
Bytes ExifTiff(int orientation, bool big_endian);

// XMP naming a GPS position.
extern const char kXmpGps[];

// "Exif 58, XMP 12": the bytes removed by name.
std::string RemovedList(const jhead::Summary& s);

// A container planned, and written when not refused.
struct Planned {
    Planned(jhead::Refusal (*plan_kind)(jhead::Source&, jhead::EditPlan*), const Bytes& in);
    jhead::EditPlan plan;
    jhead::Refusal refusal;
    Bytes out;
};

}  // namespace jhead_test
