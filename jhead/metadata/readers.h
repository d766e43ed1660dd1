// The metadata readers every picture kind shares, one per kind of block. Each gets the
// block's bytes after its identifier and reads nothing outside them.
#pragma once

#include <string_view>

#include "metadata/findings.h"

namespace jhead {

// tiff: the TIFF header of an Exif block onwards.
void ScanExif(const uint8_t* tiff, size_t n, Findings* f);
// tiff: the TIFF header of an MPF block onwards.
void ScanMpf(const uint8_t* tiff, size_t n, Findings* f);
// XMP text (a packet, or one chunk of an extended packet).
void ScanXmp(const char* text, size_t n, Findings* f);
// Photoshop image resources ("8BIM" blocks), IPTC records among them.
void ScanPhotoshop(const uint8_t* p, size_t n, Findings* f);
// IPTC records alone (1C, record, dataset, length, data).
void ScanIptc(const uint8_t* p, size_t n, Findings* f);
// The kind an Exif or XMP property names by its name alone ("GPSLatitude",
// "Make"), as ImageMagick copies properties into PNG text; false for a
// property that names none.
bool PropertyKind(std::string_view name, Private* kind);

}  // namespace jhead
