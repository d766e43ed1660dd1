// CRC-32 as PNG chunks and zlib use it (polynomial 0xEDB88320, reflected),
// fed piece by piece so that a chunk of any size is checked in bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

// crc: the value so far (0 to start); returns it with n more bytes.
uint32_t Crc32(uint32_t crc, const uint8_t* p, size_t n);

}  // namespace jhead
