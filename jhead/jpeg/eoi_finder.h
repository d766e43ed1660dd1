// Finds the end of the main picture (its EOI marker) in the bytes that follow
// the first scan header, fed in chunks of any size. It walks markers the way
// a decoder does: stuffed 0xFF00, restart markers and fill bytes stay inside
// the entropy-coded data, and the segments between progressive scans (DHT,
// SOS, ...) are skipped by their length so that their contents cannot pass
// for an EOI. On the way it notes the metadata segments between scans that
// can be cut out without touching the picture data around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jpeg/segment_kind.h"

namespace jhead {

// A byte range of the file to leave out of the cleaned picture.
struct Cut {
    uint64_t offset = 0;
    uint32_t size = 0;
    Kind kind = Kind::OtherApp;
};

class EoiFinder {
public:
    // offset: where in the file the first byte fed sits.
    explicit EoiFinder(uint64_t offset = 0) : pos_(offset) {}
    // Returns how many bytes of this chunk belong to the picture: n when the
    // EOI is not in it, else the count up to and including the EOI.
    size_t Feed(const uint8_t* p, size_t n);
    bool found() const { return found_; }
    // Complete metadata segments followed by a marker, in file order.
    const std::vector<Cut>& cuts() const { return cuts_; }
    // More such segments than a plan may hold: the picture is refused.
    bool too_many() const { return too_many_; }

private:
    enum State : uint8_t { Entropy, SawFF, Length1, Length2, InSegment, AfterSegment, AfterFF };
    State EndOfSegment(uint64_t end);

    State state_ = Entropy;
    bool found_ = false;
    bool too_many_ = false;
    bool metadata_ = false;  // the segment being skipped is APPn or COM
    uint8_t marker_ = 0;
    uint64_t pos_;  // file offset of the next byte fed
    uint64_t segment_at_ = 0;
    uint32_t length_ = 0;
    uint32_t skip_ = 0;
    uint8_t id_[kIdentifierBytes] = {};
    size_t id_n_ = 0;
    Cut pending_;  // waits for the marker after it
    std::vector<Cut> cuts_;
};

}  // namespace jhead
