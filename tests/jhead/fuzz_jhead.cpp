// libFuzzer target for the parser and writer (built by scripts/fuzz-jhead.sh
// with clang): no crash or hang on any input, and whatever it writes keeps
// the input's picture segments and picture data exactly, in their order.
#include <cstdlib>
#include <cstring>

#include "cleaner.h"

using namespace jhead;

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

// Kept segments, Exif aside (the minimal block replaces the original one).
std::vector<uint8_t> KeptBytes(const uint8_t* data, const Plan& plan) {
    std::vector<uint8_t> bytes;
    for (const Segment& s : plan.segments) {
        if (s.keep && s.kind != Kind::Exif) {
            bytes.insert(bytes.end(), data + s.offset, data + s.offset + s.size);
        }
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Plan plan;
    MemoryOutput out;
    bool wrote;
    ParseError e = CleanInMemory(data, size, &plan, &out, &wrote);
    if (e != ParseError::None || !wrote) {
        Check(!wrote && out.bytes.empty());
        return 0;
    }
    const std::vector<uint8_t>& o = out.bytes;
    Check(plan.size_after == o.size());
    Check(o.size() >= 2 && o[0] == 0xFF && o[1] == 0xD8);

    // The output parses, with the same picture segments.
    Plan again;
    MemoryOutput out2;
    bool wrote2;
    Check(CleanInMemory(o.data(), o.size(), &again, &out2, &wrote2) == ParseError::None);
    Check(KeptBytes(data, plan) == KeptBytes(o.data(), again));
    if (plan.WritesMinimalExif()) Check(again.orientation.value == plan.orientation.value);

    // Picture data from the first scan on: the same bytes, up to its end.
    uint64_t kept = o.size() - again.scan_start;
    Check(plan.scan_start + kept + plan.removed[(int)Kind::Trailer] == size);
    Check(memcmp(o.data() + again.scan_start, data + plan.scan_start, kept) == 0);

    // Nothing left to remove: a second run leaves the file alone.
    Check(!wrote2);
    return 0;
}
