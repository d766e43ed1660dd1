// Byte sources and sinks the cleaner works on. The file layer provides them
// for real files; tests and the fuzzer provide in-memory ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jhead {

struct Input {
    virtual ~Input() = default;
    // Reads up to n bytes; *got == 0 means end of input. False on an I/O error.
    virtual bool Read(uint8_t* buf, size_t n, size_t* got) = 0;
    // Goes back to the first byte, for the second pass.
    virtual bool Rewind() = 0;
    uint64_t size = 0;
};

struct Output {
    virtual ~Output() = default;
    virtual bool Write(const uint8_t* p, size_t n) = 0;
};

struct MemoryInput : Input {
    const uint8_t* data;
    size_t pos = 0;
    MemoryInput(const uint8_t* d, size_t n) : data(d) { size = n; }
    bool Read(uint8_t* buf, size_t n, size_t* got) override;
    bool Rewind() override {
        pos = 0;
        return true;
    }
};

struct MemoryOutput : Output {
    std::vector<uint8_t> bytes;
    bool Write(const uint8_t* p, size_t n) override {
        bytes.insert(bytes.end(), p, p + n);
        return true;
    }
};

// Buffered sequential reader that tracks its position and tells a short
// read (end of input) from an I/O error.
class Reader {
public:
    explicit Reader(Input* in) : in_(in) {}
    // False at end of input or on error; see failed().
    bool ReadByte(uint8_t* b);
    // Reads exactly n bytes (or skips them when dst is null).
    bool ReadExact(uint8_t* dst, size_t n);
    // Hands out the next buffered chunk (up to max bytes) without copying.
    bool NextChunk(size_t max, const uint8_t** p, size_t* n);
    bool Rewind();
    uint64_t position() const { return pos_; }
    bool failed() const { return failed_; }

private:
    bool Fill();
    Input* in_;
    std::vector<uint8_t> buf_;  // allocated on first use; see Fill
    size_t start_ = 0;
    size_t end_ = 0;
    uint64_t pos_ = 0;
    bool refilled_ = false;  // buf_ no longer starts at the first byte
    bool failed_ = false;
};

}  // namespace jhead
