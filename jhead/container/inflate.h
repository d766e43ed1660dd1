// Inflate: zlib-wrapped deflate data, as PNG's compressed text chunks hold
// it, decoded so that the report can read what they say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "metadata/findings.h"

namespace jhead {

// Fills out with the inflated bytes; false when the data is damaged (its
// checksum included), needs a preset dictionary, or would inflate past
// limit bytes. Reads nothing outside data[0, n).
bool Inflate(const uint8_t* data, size_t n, size_t limit, std::vector<uint8_t>* out);

// Compressed text for the report, inflated into out (at most 16 MiB). When
// it cannot be, what it holds is unknown (a position perhaps): f notes text
// found, unread, and false comes back.
bool InflateText(const uint8_t* data, size_t n, std::vector<uint8_t>* out, Findings* f);

}  // namespace jhead
