#include "eoi_finder.h"

#include <cstring>

namespace jhead {

size_t EoiFinder::Feed(const uint8_t* p, size_t n) {
    if (found_) return 0;
    size_t i = 0;
    while (i < n) {
        switch (state_) {
            case Entropy: {
                const void* ff = memchr(p + i, 0xFF, n - i);
                if (!ff) return n;
                i = (size_t)((const uint8_t*)ff - p) + 1;
                state_ = SawFF;
                break;
            }
            case SawFF: {
                uint8_t b = p[i++];
                if (b == 0xFF) break;  // fill byte, the marker follows
                if (b == 0xD9) {
                    found_ = true;
                    return i;
                }
                bool standalone = b == 0x00 || b == 0x01 || (b >= 0xD0 && b <= 0xD8);
                state_ = standalone ? Entropy : Length1;
                break;
            }
            case Length1:
                length_ = (uint32_t)p[i++] << 8;
                state_ = Length2;
                break;
            case Length2:
                length_ |= p[i++];
                // A length below 2 is damage; go on as if it were entropy data.
                skip_ = length_ >= 2 ? length_ - 2 : 0;
                state_ = skip_ > 0 ? InSegment : Entropy;
                break;
            case InSegment: {
                size_t take = n - i < skip_ ? n - i : skip_;
                i += take;
                skip_ -= (uint32_t)take;
                if (skip_ == 0) state_ = Entropy;
                break;
            }
        }
    }
    return n;
}

}  // namespace jhead
