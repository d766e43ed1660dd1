#include "byte_io.h"

#include <algorithm>
#include <cstring>

namespace jhead {

bool MemoryInput::Read(uint8_t* buf, size_t n, size_t* got) {
    size_t left = size - pos;
    *got = std::min(n, left);
    if (*got > 0) memcpy(buf, data + pos, *got);
    pos += *got;
    return true;
}

bool Reader::Fill() {
    if (start_ < end_) return true;
    if (buf_.empty()) {
        // Small inputs (the fuzzer's) need no megabyte each.
        uint64_t want = std::min<uint64_t>(1 << 20, std::max<uint64_t>(in_->size, 4096));
        buf_.resize((size_t)want);
    }
    size_t got = 0;
    if (!in_->Read(buf_.data(), buf_.size(), &got)) {
        failed_ = true;
        return false;
    }
    start_ = 0;
    end_ = got;
    return got > 0;
}

bool Reader::ReadByte(uint8_t* b) {
    if (!Fill()) return false;
    *b = buf_[start_++];
    pos_++;
    return true;
}

bool Reader::ReadExact(uint8_t* dst, size_t n) {
    while (n > 0) {
        const uint8_t* p;
        size_t got;
        if (!NextChunk(n, &p, &got)) return false;
        if (dst) {
            memcpy(dst, p, got);
            dst += got;
        }
        n -= got;
    }
    return true;
}

bool Reader::NextChunk(size_t max, const uint8_t** p, size_t* n) {
    if (!Fill()) return false;
    *n = std::min(max, end_ - start_);
    *p = buf_.data() + start_;
    start_ += *n;
    pos_ += *n;
    return true;
}

bool Reader::Rewind() {
    start_ = end_ = 0;
    pos_ = 0;
    if (in_->Rewind()) return true;
    failed_ = true;
    return false;
}

}  // namespace jhead
