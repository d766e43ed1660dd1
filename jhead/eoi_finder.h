// Finds the end of the main picture (its EOI marker) in the bytes that follow
// the first scan header, fed in chunks of any size. It walks markers the way
// a decoder does: stuffed 0xFF00, restart markers and fill bytes stay inside
// the entropy-coded data, and the segments between progressive scans (DHT,
// SOS, ...) are skipped by their length so that their contents cannot pass
// for an EOI.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jhead {

class EoiFinder {
public:
    // Returns how many bytes of this chunk belong to the picture: n when the
    // EOI is not in it, else the count up to and including the EOI.
    size_t Feed(const uint8_t* p, size_t n);
    bool found() const { return found_; }

private:
    enum State : uint8_t { Entropy, SawFF, Length1, Length2, InSegment };
    State state_ = Entropy;
    bool found_ = false;
    uint32_t length_ = 0;
    uint32_t skip_ = 0;
};

}  // namespace jhead
