#include "jpeg/eoi_finder.h"

#include <algorithm>
#include <cstring>

#include "jpeg/jpeg_markers.h"

namespace jhead {

// Far more than any real picture holds; keeps memory bounded on hostile input.
constexpr size_t kMaxCuts = 100000;

EoiFinder::State EoiFinder::EndOfSegment(uint64_t end) {
    if (!metadata_) return Entropy;
    Kind kind = ClassifySegment(marker_, id_, id_n_);
    if (IsKept(kind)) return Entropy;
    pending_ = {segment_at_, (uint32_t)(end - segment_at_), kind};
    return AfterSegment;
}

size_t EoiFinder::Feed(const uint8_t* p, size_t n) {
    if (found_) return 0;
    const uint64_t base = pos_;
    size_t i = 0;
    while (i < n) {
        switch (state_) {
            case Entropy: {
                const void* ff = memchr(p + i, 0xFF, n - i);
                if (!ff) {
                    i = n;
                    break;
                }
                i = (size_t)((const uint8_t*)ff - p) + 1;
                state_ = SawFF;
                break;
            }
            case SawFF: {
                uint8_t b = p[i++];
                if (b == 0xFF) break;  // fill byte, the marker follows
                if (b == marker::kEoi) {
                    found_ = true;
                    pos_ = base + i;
                    return i;
                }
                if (b == 0x00 || marker::HasNoLength(b)) {
                    state_ = Entropy;
                    break;
                }
                marker_ = b;
                metadata_ = marker::IsMetadata(b);
                segment_at_ = base + i - 2;
                id_n_ = 0;
                state_ = Length1;
                break;
            }
            case Length1:
                length_ = (uint32_t)p[i++] << 8;
                state_ = Length2;
                break;
            case Length2:
                length_ |= p[i++];
                // A length below 2 is damage; go on as if it were entropy data.
                if (length_ < 2) {
                    state_ = Entropy;
                } else {
                    skip_ = length_ - 2;
                    state_ = skip_ > 0 ? InSegment : EndOfSegment(base + i);
                }
                break;
            case InSegment: {
                size_t take = std::min<size_t>(n - i, skip_);
                if (metadata_ && id_n_ < kIdentifierBytes) {
                    size_t id = std::min(take, kIdentifierBytes - id_n_);
                    memcpy(id_ + id_n_, p + i, id);
                    id_n_ += id;
                }
                i += take;
                skip_ -= (uint32_t)take;
                if (skip_ == 0) state_ = EndOfSegment(base + i);
                break;
            }
            case AfterSegment:
                // Data right after the segment: damage around it, so it stays.
                if (p[i] != 0xFF) {
                    state_ = Entropy;
                    break;
                }
                i++;
                state_ = AfterFF;
                break;
            case AfterFF:
                if (p[i] == 0xFF) {
                    i++;
                    break;
                }
                if (marker::MayFollowSegment(p[i])) {
                    if (cuts_.size() < kMaxCuts) {
                        cuts_.push_back(pending_);
                    } else {
                        too_many_ = true;
                    }
                }
                state_ = SawFF;  // the same byte, read as the marker it is
                break;
        }
    }
    pos_ = base + n;
    return n;
}

}  // namespace jhead
