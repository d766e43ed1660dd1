#include "container/crc32.h"

#include <array>

namespace jhead {

// Eight tables: each step folds eight bytes, which keeps checking a large
// PNG near the speed of reading it.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

static Tables MakeTables() {
    Tables t{};
    for (uint32_t i = 0; i < 256; i++) {
        uint32_t c = i;
        for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (int s = 1; s < 8; s++) {
        for (uint32_t i = 0; i < 256; i++) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
    return t;
}

uint32_t Crc32(uint32_t crc, const uint8_t* p, size_t n) {
    static const Tables t = MakeTables();
    uint32_t c = ~crc;
    for (; n >= 8; n -= 8, p += 8) {
        const uint32_t lo = c ^ ((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 |
                                 (uint32_t)p[3] << 24);
        c = t[7][lo & 0xFF] ^ t[6][lo >> 8 & 0xFF] ^ t[5][lo >> 16 & 0xFF] ^ t[4][lo >> 24] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; n > 0; n--, p++) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return ~c;
}

}  // namespace jhead
