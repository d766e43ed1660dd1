#include "isobmff/box.h"

namespace jhead {

void PutBe(std::vector<uint8_t>* out, uint64_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; i--) out->push_back((uint8_t)(v >> (8 * i)));
}

void PutBoxHeader(std::vector<uint8_t>* out, uint32_t type, uint64_t size, bool large) {
    PutBe(out, large ? 1 : size, 4);
    PutBe(out, type, 4);
    if (large) PutBe(out, size, 8);
}

bool ParseBoxHeader(const uint8_t* head, size_t avail, uint64_t offset, uint64_t end, Box* b) {
    if (offset > end || end - offset < 8 || avail < 8) return false;
    *b = {};
    b->offset = offset;
    b->type = (uint32_t)GetBe(head + 4, 4);
    b->header = 8;
    uint64_t size = GetBe(head, 4);
    if (size == 1) {
        if (end - offset < 16 || avail < 16) return false;
        size = GetBe(head + 8, 8);
        b->header = 16;
    } else if (size == 0) {
        b->to_end = true;
        size = end - offset;
    }
    // Also refuses sizes that would wrap around when added to the offset.
    if (size < b->header || size > end - offset) return false;
    b->size = size;
    return true;
}

uint64_t Cursor::Get(int bytes) {
    if (!ok || (size_t)bytes > left()) {
        ok = false;
        return 0;
    }
    uint64_t v = GetBe(p + pos, bytes);
    pos += bytes;
    return v;
}

bool Cursor::Skip(size_t bytes) {
    if (!ok || bytes > left()) return ok = false;
    pos += bytes;
    return true;
}

const char* Cursor::String(size_t* len) {
    const char* s = (const char*)p + pos;
    for (size_t i = pos; ok && i < n; i++) {
        if (p[i] != 0) continue;
        *len = i - pos;
        pos = i + 1;
        return s;
    }
    ok = false;
    *len = 0;
    return "";
}

}  // namespace jhead
