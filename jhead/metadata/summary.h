// What the report says about one picture of any kind: the personal
// information found, the bytes removed by block, what was kept.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "metadata/findings.h"

namespace jhead {

struct Summary {
    const char* kind = "JPEG";  // the picture kind, as report mode names it
    Findings found;
    // Bytes removed by block name ("Exif", "XMP", "文本" ...), in the order
    // first removed; a name holding 0 bytes is never listed.
    std::vector<std::pair<std::string, uint64_t>> removed;
    int orientation = 0;     // the Exif orientation kept (2..8), 0 for none
    bool truncated = false;  // picture data cut short, kept as it is
    uint64_t size_after = 0;

    void AddRemoved(const std::string& name, uint64_t n) {
        if (n == 0) return;
        for (auto& r : removed) {
            if (r.first == name) {
                r.second += n;
                return;
            }
        }
        removed.emplace_back(name, n);
    }
    bool RemovesAnything() const { return !removed.empty(); }
};

}  // namespace jhead
