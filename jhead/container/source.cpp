#include "container/source.h"

#include <cstring>

namespace jhead {

bool MemorySource::ReadAt(uint64_t offset, uint8_t* buf, size_t n) {
    if (offset > size || n > size - offset) return false;
    if (n > 0) memcpy(buf, data + offset, n);
    return true;
}

}  // namespace jhead
