#include "webp/webp_cleaner.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "metadata/exif_orientation.h"
#include "metadata/readers.h"
#include "platform/byte_order.h"

namespace jhead {

namespace {

// VP8X flags that announce the metadata chunks.
constexpr uint8_t kExifFlag = 0x08;
constexpr uint8_t kXmpFlag = 0x04;
// Metadata chunks up to this size are read for the report; a larger one
// is removed unread.
constexpr uint32_t kReadWhole = 16 << 20;

void PutLe32(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 4; i++) p[i] = (uint8_t)(v >> (8 * i));
}

bool Is(const uint8_t* fourcc, const char* name) { return memcmp(fourcc, name, 4) == 0; }

struct Chunk {
    uint64_t offset = 0;  // of its header
    uint32_t payload = 0;
    uint8_t fourcc[4] = {};
    uint64_t size = 0;  // header, payload and the pad byte after an odd one
};

// One pass over the chunks; the RIFF header and VP8X, the plan's first
// two pieces, are finished once every chunk has been seen.
struct Walk {
    Source& src;
    EditPlan* plan;
    uint64_t end = 0;       // of the RIFF data
    bool extended = false;  // VP8X first
    bool image = false;     // an image chunk seen
    bool exif_seen = false;
    Orientation orientation;  // of the first EXIF chunk, kept when extended
};

// The RIFF header: its size must hold at least one chunk and stay inside
// the file. An odd size fits only a last chunk without its pad byte; the
// walk refuses any other.
Refusal ReadRiff(Walk& w) {
    uint8_t h[12];
    if (!w.src.ReadAt(0, h, 12) || !Is(h, "RIFF") || !Is(h + 8, "WEBP")) {
        return Broken(w.src, "不是 WebP 文件");
    }
    const uint64_t riff = GetLe(h + 4, 4);
    if (riff < 4 + 8 || 8 + riff > w.src.size) {
        return {false, "WebP 文件结构损坏：RIFF 大小与文件不符"};
    }
    w.end = 8 + riff;
    w.plan->Insert({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'});
    return {};
}

// The chunk header at offset, checked to lie inside the RIFF data. Some
// writers leave out the last chunk's pad byte, and decoders accept that.
Refusal ReadChunk(Walk& w, uint64_t offset, Chunk* c) {
    uint8_t h[8];
    c->offset = offset;
    if (offset + 8 > w.end || !w.src.ReadAt(offset, h, 8)) {
        return Broken(w.src, "WebP 文件结构损坏：数据块超出文件末尾");
    }
    memcpy(c->fourcc, h, 4);
    c->payload = (uint32_t)GetLe(h + 4, 4);
    c->size = 8 + (uint64_t)c->payload + (c->payload & 1);
    if (offset + 8 + c->payload > w.end) return {false, "WebP 文件结构损坏：数据块超出文件末尾"};
    c->size = std::min(c->size, w.end - offset);
    return {};
}

// The first chunk says the format: a lone image chunk, or VP8X and then
// the image chunks; a VP8X anywhere else is not a structure decoders read.
// VP8X goes into the plan as new bytes, its flags set at the end.
Refusal TakeVp8x(Walk& w, const Chunk& c, bool first) {
    if (!first || c.payload < 10) return {false, "WebP 文件结构损坏：扩展头（VP8X）位置或大小无效"};
    std::vector<uint8_t> bytes(8 + c.payload + c.payload % 2);  // padded, if it was not
    if (!w.src.ReadAt(c.offset, bytes.data(), c.size)) {
        return Broken(w.src, "WebP 文件结构损坏：数据块不完整");
    }
    w.extended = true;
    w.plan->Insert(std::move(bytes));
    return {};
}

bool IsKept(const uint8_t* f) {
    for (const char* k : {"VP8 ", "VP8L", "ALPH", "ANIM", "ANMF", "ICCP"}) {
        if (Is(f, k)) return true;
    }
    return false;
}

std::vector<uint8_t> OrientationChunk(Orientation o) {
    const std::vector<uint8_t> tiff = MinimalTiff(o);
    std::vector<uint8_t> c(8 + tiff.size());
    memcpy(c.data(), "EXIF", 4);
    PutLe32(&c[4], tiff.size());
    std::copy(tiff.begin(), tiff.end(), c.begin() + 8);
    return c;
}

// The first EXIF chunk's orientation stays where VP8X announces it (no
// viewer reads EXIF in the simple format): the chunk itself when it holds
// nothing else, as a cleaned file's does, or a minimal one in its place.
// Returns whether the chunk was kept.
bool KeepOrientation(Walk& w, const Chunk& c, const std::vector<uint8_t>& tiff) {
    if (w.exif_seen) return false;
    w.exif_seen = true;
    const Orientation o = ReadTiffOrientation(tiff.data(), tiff.size());
    if (!w.extended || o.value < 2) return false;
    w.orientation = o;
    w.plan->summary.orientation = o.value;
    if (tiff.size() + 8 == c.size && tiff == MinimalTiff(o)) {
        w.plan->Copy(c.offset, c.size);
        return true;
    }
    w.plan->Insert(OrientationChunk(o));
    return false;
}

// An EXIF or XMP chunk, read for the report (the EXIF chunk's TIFF block
// sometimes behind "Exif\0\0"), removed unless it holds only the
// orientation.
Refusal TakeMetadata(Walk& w, const Chunk& c) {
    const bool exif = Is(c.fourcc, "EXIF");
    Findings* found = &w.plan->summary.found;
    if (c.payload <= kReadWhole) {
        std::vector<uint8_t> data(c.payload);
        if (!w.src.ReadAt(c.offset + 8, data.data(), data.size())) {
            return Broken(w.src, "WebP 文件结构损坏：数据块不完整");
        }
        if (!exif) ScanXmp((const char*)data.data(), data.size(), found);
        const size_t skip = data.size() >= 6 && memcmp(data.data(), "Exif\0", 6) == 0 ? 6 : 0;
        if (exif) data.erase(data.begin(), data.begin() + skip);
        if (exif) ScanExif(data.data(), data.size(), found);
        if (exif && KeepOrientation(w, c, data)) return {};
    } else {
        found->unread = true;
    }
    w.plan->Removed(exif ? "Exif" : "XMP", c.size);
    return {};
}

Refusal Take(Walk& w, const Chunk& c, bool first) {
    w.image = w.image || Is(c.fourcc, "VP8 ") || Is(c.fourcc, "VP8L") || Is(c.fourcc, "ANMF");
    if (Is(c.fourcc, "VP8X")) return TakeVp8x(w, c, first);
    if (IsKept(c.fourcc)) {
        w.plan->Copy(c.offset, c.size);
        // The pad byte a writer left out, so that every reader finds the end.
        if (c.payload % 2 && c.size % 2) w.plan->Insert({0});
        return {};
    }
    if (Is(c.fourcc, "EXIF") || Is(c.fourcc, "XMP ")) return TakeMetadata(w, c);
    w.plan->Removed("其他数据块", c.size);
    return {};
}

// The RIFF size of the new file; VP8X with the metadata flags cleared, the
// EXIF one kept for an orientation that stays.
void Finish(Walk& w) {
    EditPlan* plan = w.plan;
    if (w.extended) {
        const bool keeps_exif = w.orientation.value >= 2;
        std::vector<uint8_t>& bytes = plan->pieces[1].bytes;
        bytes[8] &= (uint8_t) ~(kXmpFlag | (keeps_exif ? 0 : kExifFlag));
    }
    PutLe32(&plan->pieces.front().bytes[4], plan->OutputSize() - 8);
}

}  // namespace

Refusal PlanWebp(Source& src, EditPlan* plan) {
    plan->summary.kind = "WebP";
    Walk w{src, plan, 0, false, false, false, {}};
    Refusal r = ReadRiff(w);
    for (uint64_t at = 12; !r.refused() && at < w.end;) {
        Chunk c;
        r = ReadChunk(w, at, &c);
        if (!r.refused()) r = Take(w, c, at == 12);
        at += c.size;
    }
    if (r.refused()) return r;
    if (!w.image) return {false, "WebP 文件中没有图像数据"};
    Finish(w);
    plan->Removed("图像后附加数据", src.size - w.end);
    return {};
}

}  // namespace jhead
