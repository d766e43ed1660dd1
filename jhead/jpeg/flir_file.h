// A thermal camera's own file, carried in APP1 "FLIR" segments one piece
// each: a directory of records, of which the camera record (model, lens,
// serial numbers, time) and the GPS record name personal information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "metadata/findings.h"

namespace jhead {

class FlirFile {
public:
    // Pieces past this are not gathered; the records in them are not read.
    static constexpr size_t kMaxSize = 16u << 20;

    // One segment's payload after "FLIR\0" (a version byte, the piece's
    // index, the last index, then the piece), in file order.
    void Add(const uint8_t* p, size_t n);
    void Scan(Findings* f) const;

private:
    std::vector<uint8_t> file_;
    size_t pieces_ = 0;
    bool cut_ = false;  // pieces were missing or beyond the bound
};

}  // namespace jhead
