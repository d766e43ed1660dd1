#include "jpeg/extended_xmp.h"

#include <cstring>

#include "metadata/readers.h"
#include "platform/byte_order.h"

namespace jhead {

constexpr size_t kGuidSize = 32;
constexpr size_t kHeaderSize = kGuidSize + 4 + 4;

// Only the kinds of a lone chunk count: where it is cut says nothing.
static void ScanAlone(const char* text, size_t n, Findings* f) {
    Findings chunk;
    ScanXmp(text, n, &chunk);
    f->kinds |= chunk.kinds;
}

void ExtendedXmp::ScanChunk(const uint8_t* p, size_t n, Findings* f) {
    if (n >= kHeaderSize) ScanAlone((const char*)p + kHeaderSize, n - kHeaderSize, f);
}

void ExtendedXmp::Add(const uint8_t* p, size_t n, Findings* f) {
    if (n < kHeaderSize) return;
    const std::string guid((const char*)p, kGuidSize);
    const uint32_t full = (uint32_t)GetBe(p + kGuidSize, 4),
                   offset = (uint32_t)GetBe(p + kGuidSize + 4, 4);
    const uint8_t* data = p + kHeaderSize;
    const size_t size = n - kHeaderSize;
    if (guid_.empty() && full <= kMaxSize) {
        guid_ = guid;
        text_.assign(full, ' ');
    }
    if (guid != guid_ || full != text_.size()) {
        ScanChunk(p, n, f);
        return;
    }
    if (offset >= full) return;  // nothing of it lies in the packet
    memcpy(&text_[offset], data, size < full - offset ? size : full - offset);
}

void ExtendedXmp::Scan(Findings* f) const {
    if (!text_.empty()) ScanXmp(text_.data(), text_.size(), f);
}

}  // namespace jhead
