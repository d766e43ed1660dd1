// Unsigned numbers of 0 to 8 bytes, read in either byte order: one home for
// every container and block reader.
#pragma once

#include <cstdint>

namespace jhead {

inline uint64_t GetBe(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; i++) v = v << 8 | p[i];
    return v;
}

inline uint64_t GetLe(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; i--) v = v << 8 | p[i];
    return v;
}

}  // namespace jhead
