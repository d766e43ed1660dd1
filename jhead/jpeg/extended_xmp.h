// An XMP packet too long for one segment, put back together from its
// chunks (which may come in any order) before it is read: a chunk on its
// own starts and ends anywhere in the text and uses prefixes declared in
// another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "metadata/findings.h"

namespace jhead {

class ExtendedXmp {
public:
    // Larger packets are read chunk by chunk.
    static constexpr uint32_t kMaxSize = 16u << 20;

    // One chunk: what follows its identifier (GUID, full length, offset,
    // text). A chunk of another packet, or of one too large to gather, is
    // read on its own.
    void Add(const uint8_t* p, size_t n, Findings* f);
    // Reads the packet gathered so far.
    void Scan(Findings* f) const;
    // Reads one chunk on its own, for its kinds only.
    static void ScanChunk(const uint8_t* p, size_t n, Findings* f);

private:
    std::string guid_;
    std::string text_;  // the whole packet; spaces where no chunk came
};

}  // namespace jhead
