// The metadata readers every picture kind shares, one per kind of block. Each gets the
// block's bytes after its identifier and reads nothing outside them.
#pragma once

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

}  // namespace jhead
