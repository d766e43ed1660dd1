#include "platform/byte_io.h"

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

// Pictures up to kWholeInput are read in one piece, so that the second pass
// needs no second read; larger ones stream through 1 MiB.
constexpr uint64_t kWholeInput = 16 << 20;

bool Reader::Fill() {
    if (start_ < end_) return true;
    if (buf_.empty()) {
        // One more byte than the input, so that one read takes it all.
        uint64_t want = in_->size < kWholeInput ? in_->size + 1 : 1 << 20;
        buf_.resize((size_t)std::max<uint64_t>(want, 4096));
    }
    size_t got = 0;
    if (!in_->Read(buf_.data(), buf_.size(), &got)) {
        failed_ = true;
        return false;
    }
    if (got == 0) return false;  // end of input; the buffer keeps what it holds
    if (end_ > 0) refilled_ = true;
    start_ = 0;
    end_ = got;
    return true;
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
    pos_ = 0;
    if (!refilled_) {
        start_ = 0;
        return true;
    }
    start_ = end_ = 0;
    buf_.clear();
    refilled_ = false;
    if (in_->Rewind()) return true;
    failed_ = true;
    return false;
}

}  // namespace jhead
