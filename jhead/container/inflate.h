// Inflate: zlib-wrapped deflate data, as PNG's compressed text chunks hold
// it, decoded so that the report can read what they say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jhead {

// Fills out with the inflated bytes; false when the data is damaged (its
// checksum included), needs a preset dictionary, or would inflate past
// limit bytes. Reads nothing outside data[0, n).
bool Inflate(const uint8_t* data, size_t n, size_t limit, std::vector<uint8_t>* out);

}  // namespace jhead
