// Random-access input for the container formats (PNG, WebP, ISO base media),
// whose readers jump between chunks and boxes. The file layer provides one
// for real files; tests and the fuzzer read from memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

struct Source {
    virtual ~Source() = default;
    // Exactly n bytes from offset. False when they are not all there or
    // reading failed; failed() tells which.
    virtual bool ReadAt(uint64_t offset, uint8_t* buf, size_t n) = 0;
    virtual bool failed() const { return false; }
    uint64_t size = 0;
};

struct MemorySource : Source {
    const uint8_t* data;
    MemorySource(const uint8_t* d, size_t n) : data(d) { size = n; }
    bool ReadAt(uint64_t offset, uint8_t* buf, size_t n) override;
};

}  // namespace jhead
