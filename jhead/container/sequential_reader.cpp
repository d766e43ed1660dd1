#include "container/sequential_reader.h"

#include <cstring>

namespace jhead {

constexpr size_t kBuffer = 1 << 20;

bool SequentialReader::Fill() {
    if (at_ < end_) return true;
    const uint64_t ahead = pos_ < src_.size ? src_.size - pos_ : 0;
    if (ahead == 0) return false;
    if (buf_.empty()) buf_.resize(kBuffer);
    const size_t n = ahead < kBuffer ? (size_t)ahead : kBuffer;
    if (!src_.ReadAt(pos_, buf_.data(), n)) return false;
    at_ = 0;
    end_ = n;
    return true;
}

size_t SequentialReader::Next(uint64_t want, const uint8_t** p) {
    if (want == 0 || !Fill()) return 0;
    const size_t n = want < end_ - at_ ? (size_t)want : end_ - at_;
    *p = buf_.data() + at_;
    at_ += n;
    pos_ += n;
    return n;
}

bool SequentialReader::Read(uint8_t* out, size_t n) {
    const uint8_t* p;
    for (size_t got; n > 0; n -= got, out += got) {
        got = Next(n, &p);
        if (got == 0) return false;
        memcpy(out, p, got);
    }
    return true;
}

}  // namespace jhead
