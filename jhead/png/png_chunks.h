// What each PNG chunk is to the cleaner, and what the text chunks tell the
// report.
#pragma once

#include <cstddef>
#include <cstdint>

#include "metadata/findings.h"

namespace jhead {

enum class PngRole : uint8_t {
    Keep,             // critical, or needed to render the picture
    Exif,             // eXIf: removed, its orientation kept
    Text,             // tEXt, zTXt, iTXt: removed, read for the report
    Time,             // tIME: removed
    Other,            // any other ancillary chunk: removed
    UnknownCritical,  // a decoder must understand it: the picture is refused
    Invalid,          // not four letters
};

PngRole RoleOf(const uint8_t type[4]);

// The name the report gives to the bytes of a removed chunk of this type.
const char* RemovedName(PngRole role, const uint8_t type[4], const uint8_t* data, size_t n);

// The kinds of personal information a text chunk's keyword and text hold.
void ScanPngText(const uint8_t type[4], const uint8_t* data, size_t n, Findings* f);

}  // namespace jhead
