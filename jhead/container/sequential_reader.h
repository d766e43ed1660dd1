// Reads a Source front to back through one buffer, for the chunk walks that
// read every byte once in order (PNG checks each chunk's CRC): one large
// read per buffer instead of a seek and a read per chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "container/source.h"

namespace jhead {

class SequentialReader {
public:
    explicit SequentialReader(Source& src, uint64_t start = 0) : src_(src), pos_(start) {}
    // Exactly n bytes; false when they are not all there or reading failed.
    bool Read(uint8_t* out, size_t n);
    // Up to want bytes (at least one) in the buffer at *p, consumed; 0 at
    // the end of the source or when reading failed.
    size_t Next(uint64_t want, const uint8_t** p);
    uint64_t pos() const { return pos_; }

private:
    bool Fill();
    Source& src_;
    uint64_t pos_;  // of the next byte handed out
    std::vector<uint8_t> buf_;
    size_t at_ = 0, end_ = 0;  // the unread part of buf_
};

}  // namespace jhead
